#pragma once

// The module's DAC as the bench sees it: the stream of written words played out one every
// 1/rate after the output latency, each word addressed to a channel by its high bits, and the
// device under test, a first-order low-pass solved exactly over every constant step.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "sim/Signals.h"

namespace sim {

enum class DacFormat { Quev, Usb3000 };

struct DacSample {
  int Channel = 0;
  double Mv = 0;
};

// Quev: bit 15 clear is the first channel, set (0xF000 OR code) the second; the code is the
// low 12 bits as two's complement. USB3000: bit 15 chooses the channel; the code is the low
// 12 bits less 2048. 2048 codes are 5000 mV.
DacSample DecodeDacWord(DacFormat format, uint16_t word);

class FirstOrderLowPass {
 public:
  void SetCorner(double hz);
  // Holds the input constant from the last step to time t (s) and returns the output there.
  double AdvanceTo(double t);
  void SetInput(double mv) { input_ = mv; }
  double Output() const { return output_; }

 private:
  double tau_ = 1.0;
  double lastStep_ = 0, lastDecay_ = 1;  // the decay over the last step length asked for
  double time_ = 0;
  double input_ = 0;
  double output_ = 0;
};

// The DAC's output over time, kept as a history of runs (START_WRITE to STOP_WRITE), so that an
// ADC sample reads what the DAC played at the sample's own time even when its block is computed
// after the DAC stopped or restarted. The history up to the current time is final: a word
// written after its output time is lost, and a stop takes effect from the moment it is made.
// The bench reads the history through one cursor that only moves forward in time; runs the
// cursor has passed are forgotten, the latest run's words are kept for tests.
class DacLoop final : public DacSource {
 public:
  explicit DacLoop(DacFormat format) : format_(format) {}

  void SetCorner(double hz);
  // Word n reaches the output at startS + latencyS + n / rate; a new start begins a new run
  // (and ends one still running).
  void Start(double startS, double rateKHz, double latencyS);
  // From stopS on the outputs are 0 and no further word of the run is played.
  void Stop(double stopS);
  // Words written at writtenAtS; any whose output time has already passed are lost (underrun)
  // and the output holds 0 in their place, as it does while the run has run dry.
  void Append(const int16_t* words, size_t count, double writtenAtS);

  // The outputs at time t, read by the cursor; calls must not go back in time.
  DacLevels LevelsAt(double t) override;

  // The latest run's words and the words it lost.
  const std::vector<uint16_t>& Words() const;
  size_t Underruns() const { return underruns_; }

 private:
  struct Run {
    double Start = 0, Latency = 0, RateHz = 1;
    double Stop = 0;
    bool Stopped = false;
    std::vector<uint16_t> Words;
    std::vector<std::pair<size_t, size_t>> Silent;  // [first, last) lost to underruns
    double WordTime(size_t n) const { return Start + Latency + static_cast<double>(n) / RateHz; }
    bool Plays(size_t n) const { return !Stopped || !Reached(Stop, WordTime(n)); }
  };

  // Word, sample, write and stop moments are sums in seconds of the clock's time and offsets;
  // where two fall together, their rounding differs with how long the clock has run. A moment
  // within a nanosecond, the clock's resolution, of t counts as reached by t, so that a sample
  // on a word's edge reads that word however long the clock has run.
  static constexpr double kSameMomentS = 1e-9;
  static bool Reached(double moment, double t) { return moment <= t + kSameMomentS; }

  // Plays the cursor's run up to t; true when the run is over by then.
  bool PlayRunTo(Run& run, double t);
  bool Silent(const Run& run, size_t n);
  void Apply(double t, int channel, double mv);

  DacFormat format_;
  FirstOrderLowPass filters_[2];
  double level_[2] = {0, 0};
  std::deque<Run> runs_;  // the cursor's run first, the latest last
  size_t nextWord_ = 0;     // the cursor's next word of runs_.front()
  size_t silentCursor_ = 0;
  size_t underruns_ = 0;
};

}  // namespace sim
