#pragma once

// The ADC's view of the bench: which input each channel reads and at what gain (its control
// table entry), and the codes it produces for a run of frames. The synthesis works a slice of
// frames at a time, channel by channel: sine tones come from per-frequency tables of the slice's
// steps turned by one sine and cosine per slice, so a block of millions of samples takes a few
// milliseconds and the bench keeps pace with the fastest module.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/BenchControl.h"
#include "sim/Signals.h"

namespace sim {

struct AdcSetup {
  double RateKHz = 0;  // over all channels
  int Channels = 1;
  std::array<uint16_t, 16> ControlTable{};
};

class AdcSynth {
 public:
  // Frame f is sampled, all channels at once, f * channels / rate after START_READ. The input
  // is the entry's low 4 bits, counted down from 15 on the Quev module (whose channel i reads
  // input 15 - i) and up on the USB3000; the Quev gain is the entry's bits 6-7.
  AdcSynth(ModuleKind kind, const AdcSetup& setup, const BenchModel& model);

  // Codes of frames [first, first + count), interleaved by channel. readStartS places the
  // frames on the DAC's clock; dac may be null (the DAC outputs read 0).
  void Frames(uint64_t first, size_t count, double readStartS, DacSource* dac, int16_t* out);
  // One frame sampled at t seconds after START_READ (outside a stream: the ramp reads its start).
  void FrameAt(double t, int16_t* out);

  int Channels() const { return channels_; }
  double FrameTime(uint64_t frame) const {
    return static_cast<double>(frame) * channels_ / rateHz_;
  }

 private:
  static constexpr size_t kSlice = 1024;  // frames per slice, the length of the tone tables
  struct ToneTable {
    double Hz = 0;
    std::vector<double> Cos, Sin;  // of 2 pi Hz k frame period, k < kSlice
  };
  struct Channel {
    InputPlan Plan;
    std::vector<int> Tables;  // per tone of the plan
    double Gain = 1;  // the input's millivolts times Gain over MvPerCode make the code
    double MvPerCode = 1;
  };

  void Slice(uint64_t first, size_t count, const double* const* dac, int16_t* out);
  void AnalogueMv(const Channel& channel, uint64_t first, size_t count, double* mv);
  void Marks(const InputPlan& plan, uint64_t first, size_t count, double* mv) const;
  int TableFor(double hz);

  ModuleKind kind_;
  int channels_;
  double rateHz_;
  double period_;
  std::vector<Channel> inputs_;
  std::vector<ToneTable> tables_;
  bool usesDac_ = false;
  std::vector<double> mv_;
  std::array<std::vector<double>, 4> dac_;  // direct 0, direct 1, filtered 0, filtered 1
};

}  // namespace sim
