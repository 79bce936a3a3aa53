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
  lastStep_ = 0;
}

double FirstOrderLowPass::AdvanceTo(double t) {
  if (t > time_) {
    // A settled output stays where it is; the bench asks for it every frame.
    if (std::abs(output_ - input_) < 1e-9) {
      output_ = input_;
    } else {
      const double step = t - time_;
      if (step != lastStep_) {
        lastStep_ = step;
        lastDecay_ = std::exp(-step / tau_);
      }
      output_ = input_ + (output_ - input_) * lastDecay_;
    }
    time_ = t;
  }
  return output_;
}

void DacLoop::SetCorner(double hz) {
  for (auto& f : filters_) f.SetCorner(hz);
}

void DacLoop::Start(double startS, double rateKHz, double latencyS) {
  Stop(startS);
  Run run;
  run.Start = startS;
  run.Latency = std::max(0.0, latencyS);
  run.RateHz = rateKHz > 0 ? rateKHz * 1000.0 : 1.0;
  runs_.push_back(std::move(run));
  underruns_ = 0;
}

void DacLoop::Stop(double stopS) {
  if (runs_.empty() || runs_.back().Stopped) return;
  Run& run = runs_.back();
  // Words never written before the stop count as lost output too.
  const double due =
      std::max(0.0, std::ceil((stopS - kSameMomentS - run.Start - run.Latency) * run.RateHz));
  if (due > static_cast<double>(run.Words.size()))
    underruns_ += static_cast<size_t>(due) - run.Words.size();
  run.Stopped = true;
  run.Stop = stopS;
}

void DacLoop::Append(const int16_t* words, size_t count, double writtenAtS) {
  if (runs_.empty() || runs_.back().Stopped || count == 0) return;
  Run& run = runs_.back();
  const size_t first = run.Words.size();
  run.Words.insert(run.Words.end(), reinterpret_cast<const uint16_t*>(words),
                   reinterpret_cast<const uint16_t*>(words) + count);
  size_t lost = 0;
  while (lost < count && !Reached(writtenAtS, run.WordTime(first + lost))) ++lost;
  if (lost > 0) {
    run.Silent.emplace_back(first, first + lost);
    underruns_ += lost;
  }
}

const std::vector<uint16_t>& DacLoop::Words() const {
  static const std::vector<uint16_t> none;
  return runs_.empty() ? none : runs_.back().Words;
}

bool DacLoop::Silent(const Run& run, size_t n) {
  while (silentCursor_ < run.Silent.size() && run.Silent[silentCursor_].second <= n)
    ++silentCursor_;
  return silentCursor_ < run.Silent.size() && run.Silent[silentCursor_].first <= n;
}

void DacLoop::Apply(double t, int channel, double mv) {
  filters_[0].AdvanceTo(t);
  filters_[1].AdvanceTo(t);
  level_[channel] = mv;
  filters_[channel].SetInput(mv);
}

bool DacLoop::PlayRunTo(Run& run, double t) {
  while (nextWord_ < run.Words.size() && Reached(run.WordTime(nextWord_), t) && run.Plays(nextWord_)) {
    const size_t n = nextWord_++;
    const DacSample s = DecodeDacWord(format_, run.Words[n]);
    Apply(run.WordTime(n), s.Channel, Silent(run, n) ? 0.0 : s.Mv);
  }
  // A run that has run dry leaves the outputs at 0 until more words come; a stopped one for good.
  const double dry = run.WordTime(run.Words.size());
  if (nextWord_ == run.Words.size() && Reached(dry, t) && run.Plays(run.Words.size())) {
    Apply(dry, 0, 0);
    Apply(dry, 1, 0);
  }
  if (!run.Stopped || !Reached(run.Stop, t)) return false;
  Apply(run.Stop, 0, 0);
  Apply(run.Stop, 1, 0);
  return true;
}

DacLevels DacLoop::LevelsAt(double t) {
  // A finished run is forgotten once the cursor has passed it, unless it is the latest.
  while (!runs_.empty() && PlayRunTo(runs_.front(), t) && runs_.size() > 1) {
    runs_.pop_front();
    nextWord_ = 0;
    silentCursor_ = 0;
  }
  DacLevels levels;
  for (int c = 0; c < 2; ++c) {
    levels.Direct[c] = level_[c];
    levels.Filtered[c] = filters_[c].AdvanceTo(t);
  }
  return levels;
}

}  // namespace sim
