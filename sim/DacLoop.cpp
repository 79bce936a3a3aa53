#include "sim/DacLoop.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/Defaults.h"

namespace sim {

DacSample DecodeDacWord(DacFormat format, uint16_t word) {
  DacSample s;
  s.Channel = (word & 0x8000) ? 1 : 0;
  int code = word & 0x0FFF;
  if (format == DacFormat::Quev) {
    if (code >= 0x800) code -= 0x1000;
  } else {
    code -= 2048;
  }
  s.Mv = code / defaults::kDacCodesPerMv;
  return s;
}

void FirstOrderLowPass::SetCorner(double hz) {
  tau_ = hz > 0 ? 1.0 / (2.0 * std::numbers::pi * hz) : 1.0;
}

double FirstOrderLowPass::AdvanceTo(double t) {
  if (t > time_) {
    output_ = input_ + (output_ - input_) * std::exp(-(t - time_) / tau_);
    time_ = t;
  }
  return output_;
}

void DacLoop::SetCorner(double hz) {
  for (auto& f : filters_) f.SetCorner(hz);
}

void DacLoop::Start(double startS, double rateKHz, double latencyS) {
  running_ = true;
  start_ = startS;
  latency_ = std::max(0.0, latencyS);
  rateHz_ = rateKHz > 0 ? rateKHz * 1000.0 : 1.0;
  words_.clear();
  silent_.clear();
  silentCursor_ = 0;
  nextWord_ = 0;
  underruns_ = 0;
}

void DacLoop::Stop(double stopS) {
  if (!running_) return;
  // Words never written before the stop count as lost output too.
  const double due = std::max(0.0, std::ceil((stopS - start_ - latency_) * rateHz_));
  if (due > static_cast<double>(words_.size()))
    underruns_ += static_cast<size_t>(due) - words_.size();
  LevelsAt(stopS);
  running_ = false;
  Apply(stopS, 0, 0);
  Apply(stopS, 1, 0);
}

void DacLoop::Append(const int16_t* words, size_t count, double writtenAtS) {
  if (!running_ || count == 0) return;
  const size_t first = words_.size();
  words_.insert(words_.end(), reinterpret_cast<const uint16_t*>(words),
                reinterpret_cast<const uint16_t*>(words) + count);
  size_t lost = 0;
  while (lost < count && WordTime(first + lost) < writtenAtS) ++lost;
  if (lost > 0) {
    silent_.emplace_back(first, first + lost);
    underruns_ += lost;
  }
}

bool DacLoop::Silent(size_t n) {
  while (silentCursor_ < silent_.size() && silent_[silentCursor_].second <= n) ++silentCursor_;
  return silentCursor_ < silent_.size() && silent_[silentCursor_].first <= n;
}

void DacLoop::Apply(double t, int channel, double mv) {
  filters_[0].AdvanceTo(t);
  filters_[1].AdvanceTo(t);
  level_[channel] = mv;
  filters_[channel].SetInput(mv);
}

DacLevels DacLoop::LevelsAt(double t) {
  if (running_) {
    while (nextWord_ < words_.size() && WordTime(nextWord_) <= t) {
      const size_t n = nextWord_++;
      const DacSample s = DecodeDacWord(format_, words_[n]);
      Apply(WordTime(n), s.Channel, Silent(n) ? 0.0 : s.Mv);
    }
    // A stream that has run dry leaves the outputs at 0 until more words come.
    const double dry = WordTime(words_.size());
    if (nextWord_ == words_.size() && dry <= t) {
      Apply(dry, 0, 0);
      Apply(dry, 1, 0);
    }
  }
  DacLevels levels;
  for (int c = 0; c < 2; ++c) {
    levels.Direct[c] = level_[c];
    levels.Filtered[c] = filters_[c].AdvanceTo(t);
  }
  return levels;
}

}  // namespace sim
