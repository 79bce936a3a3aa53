#pragma once

// The module's DAC as the bench sees it: the stream of written words played out one every
// 1/rate after the output latency, each word addressed to a channel by its high bits, and the
// device under test, a first-order low-pass solved exactly over every constant step.

#include <cstddef>
#include <cstdint>
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
  double time_ = 0;
  double input_ = 0;
  double output_ = 0;
};

class DacLoop {
 public:
  explicit DacLoop(DacFormat format) : format_(format) {}

  void SetCorner(double hz);
  // Word n reaches the output at startS + latencyS + n / rate; a new start begins a new stream.
  void Start(double startS, double rateKHz, double latencyS);
  // From stopS on the outputs are 0 and no further word is played.
  void Stop(double stopS);
  // Words written at writtenAtS; any whose output time has already passed are lost (underrun)
  // and the output holds 0 in their place, as it does while the stream has run dry.
  void Append(const int16_t* words, size_t count, double writtenAtS);

  // The outputs at time t; calls must not go back in time.
  DacLevels LevelsAt(double t);

  const std::vector<uint16_t>& Words() const { return words_; }
  size_t Underruns() const { return underruns_; }

 private:
  double WordTime(size_t n) const { return start_ + latency_ + static_cast<double>(n) / rateHz_; }
  bool Silent(size_t n);
  void Apply(double t, int channel, double mv);

  DacFormat format_;
  FirstOrderLowPass filters_[2];
  double level_[2] = {0, 0};
  bool running_ = false;
  double start_ = 0, latency_ = 0, rateHz_ = 1;
  std::vector<uint16_t> words_;
  std::vector<std::pair<size_t, size_t>> silent_;  // [first, last) lost to underruns
  size_t silentCursor_ = 0;
  size_t nextWord_ = 0;  // next word to play
  size_t underruns_ = 0;
};

}  // namespace sim
