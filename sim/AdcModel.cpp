#include "sim/AdcModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/Defaults.h"

namespace sim {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// A mark's Gaussian is below a thousandth of a code at every gain beyond this many widths.
constexpr double kMarkReach = 10.0;

int16_t RampCode(uint64_t position) {
  return static_cast<int16_t>(static_cast<int>(position % 16384) - 8192);
}

constexpr double kLowest = defaults::kAdcCodeMin;
constexpr double kHighest = defaults::kAdcCodeMax;

// Rounds half to even, like the converter, and clamps to the 14-bit range; not-a-number reads
// the lowest code. Adding and taking away 1.5 * 2^52 rounds in the current (nearest) mode.
double RoundedCode(double code) {
  constexpr double kRound = 6755399441055744.0;
  code = code > kLowest ? code : kLowest;
  code = code < kHighest ? code : kHighest;
  return (code + kRound) - kRound;
}

int16_t Code(double code) { return static_cast<int16_t>(RoundedCode(code)); }

// Millivolts to codes, every `stride`-th place of out. The arithmetic runs over the contiguous
// values first (the compiler vectorises it), the strided stores after.
void StoreCodes(double* __restrict mv, size_t count, double gain, double mvPerCode,
                int16_t* __restrict out, size_t stride) {
  for (size_t k = 0; k < count; ++k) mv[k] = RoundedCode(mv[k] * gain / mvPerCode);
  for (size_t k = 0; k < count; ++k) out[k * stride] = static_cast<int16_t>(mv[k]);
}

// mv[k] += s cos[k] + c sin[k]
void AddTone(double* __restrict mv, const double* __restrict cosTable,
             const double* __restrict sinTable, double s, double c, size_t count) {
  for (size_t k = 0; k < count; ++k) mv[k] += s * cosTable[k] + c * sinTable[k];
}

double Sine(const Tone& tone, double t) {
  return tone.AmplitudeMv * std::sin(kTwoPi * tone.Hz * t + tone.PhaseRad);
}

double PulseMv(const InputPlan& plan, double t) {
  const double cycles = t * plan.PulseHz;
  return cycles - std::floor(cycles) < 0.5 ? plan.PulseHighMv : 0.0;
}

double MarkMv(const InputPlan& plan, double t) {
  const double sinceFirst = t - plan.FirstMarkS;
  const double nearest = plan.FirstMarkS + std::round(sinceFirst * plan.MarkHz) / plan.MarkHz;
  const double z = (t - nearest) / plan.MarkSigmaS;
  return plan.MarkPeakMv * std::exp(-0.5 * z * z);
}

}  // namespace

AdcSynth::AdcSynth(ModuleKind kind, const AdcSetup& setup, const BenchModel& model)
    : kind_(kind),
      channels_(std::clamp(setup.Channels, 1, 16)),
      rateHz_(setup.RateKHz > 0 ? setup.RateKHz * 1000.0 : 1000.0),
      period_(channels_ / rateHz_) {
  for (int c = 0; c < channels_; ++c) {
    const uint16_t entry = setup.ControlTable[c];
    const int physical = entry & 0x0F;
    Channel channel;
    channel.Plan = PlanInput(model, model.Inputs[kind == ModuleKind::Quev ? 15 - physical : physical]);
    channel.Gain = kind == ModuleKind::Quev ? std::pow(4.0, (entry >> 6) & 3) : 1.0;
    channel.MvPerCode =
        kind == ModuleKind::Quev ? defaults::kQuevMvPerCode : defaults::kUsb3000MvPerCode;
    usesDac_ = usesDac_ || channel.Plan.From == InputPlan::Source::DacDirect ||
               channel.Plan.From == InputPlan::Source::DacFiltered;
    inputs_.push_back(std::move(channel));
  }
}

int AdcSynth::TableFor(double hz) {
  for (size_t i = 0; i < tables_.size(); ++i)
    if (tables_[i].Hz == hz) return static_cast<int>(i);
  ToneTable table;
  table.Hz = hz;
  table.Cos.resize(kSlice);
  table.Sin.resize(kSlice);
  for (size_t k = 0; k < kSlice; ++k) {
    const double angle = kTwoPi * hz * (static_cast<double>(k) * period_);
    table.Cos[k] = std::cos(angle);
    table.Sin[k] = std::sin(angle);
  }
  tables_.push_back(std::move(table));
  return static_cast<int>(tables_.size()) - 1;
}

void AdcSynth::FrameAt(double t, int16_t* out) {
  for (int c = 0; c < channels_; ++c) {
    const Channel& channel = inputs_[c];
    const InputPlan& plan = channel.Plan;
    double mv = 0;
    if (plan.From == InputPlan::Source::Ramp) {
      out[c] = RampCode(static_cast<uint64_t>(c));
      continue;
    }
    if (plan.From == InputPlan::Source::Analogue) {
      mv = plan.OffsetMv;
      for (const Tone& tone : plan.Tones) mv += Sine(tone, t);
      if (plan.PulseHz > 0) mv += PulseMv(plan, t);
      if (plan.MarkHz > 0) mv += MarkMv(plan, t);
    }
    out[c] = Code(mv * channel.Gain / channel.MvPerCode);
  }
}

void AdcSynth::Frames(uint64_t first, size_t count, double readStartS, DacSource* dac,
                      int16_t* out) {
  if (tables_.empty() && !inputs_.empty()) {
    for (Channel& channel : inputs_) {
      channel.Tables.clear();
      for (const Tone& tone : channel.Plan.Tones) channel.Tables.push_back(TableFor(tone.Hz));
    }
    mv_.resize(kSlice);
    for (auto& levels : dac_) levels.resize(usesDac_ ? kSlice : 0);
  }
  const double* levels[4] = {dac_[0].data(), dac_[1].data(), dac_[2].data(), dac_[3].data()};
  while (count > 0) {
    const size_t n = std::min(count, kSlice);
    if (usesDac_) {
      for (size_t k = 0; k < n; ++k) {
        const DacLevels l = dac != nullptr
                                ? dac->LevelsAt(readStartS + FrameTime(first + k))
                                : DacLevels{};
        dac_[0][k] = l.Direct[0];
        dac_[1][k] = l.Direct[1];
        dac_[2][k] = l.Filtered[0];
        dac_[3][k] = l.Filtered[1];
      }
    }
    Slice(first, n, levels, out);
    first += n;
    count -= n;
    out += n * static_cast<size_t>(channels_);
  }
}

void AdcSynth::AnalogueMv(const Channel& channel, uint64_t first, size_t count, double* mv) {
  const InputPlan& plan = channel.Plan;
  const double t0 = FrameTime(first);
  std::fill(mv, mv + count, plan.OffsetMv);
  for (size_t i = 0; i < plan.Tones.size(); ++i) {
    // sin(a + b_k) = sin a cos b_k + cos a sin b_k, with b_k from the table.
    const Tone& tone = plan.Tones[i];
    const double a = kTwoPi * tone.Hz * t0 + tone.PhaseRad;
    const double s = tone.AmplitudeMv * std::sin(a), c = tone.AmplitudeMv * std::cos(a);
    const ToneTable& table = tables_[channel.Tables[i]];
    AddTone(mv, table.Cos.data(), table.Sin.data(), s, c, count);
  }
  if (plan.PulseHz > 0)
    for (size_t k = 0; k < count; ++k) mv[k] += PulseMv(plan, FrameTime(first + k));
  if (plan.MarkHz > 0) Marks(plan, first, count, mv);
}

void AdcSynth::Marks(const InputPlan& plan, uint64_t first, size_t count, double* mv) const {
  const double reach = kMarkReach * plan.MarkSigmaS;
  const double interval = 1.0 / plan.MarkHz;
  if (2 * reach >= interval) {  // marks so close that every frame is near one
    for (size_t k = 0; k < count; ++k) mv[k] += MarkMv(plan, FrameTime(first + k));
    return;
  }
  // Only the frames within reach of a mark carry one.
  const double t0 = FrameTime(first), t1 = FrameTime(first + count);
  const double firstNear = std::floor((t0 - reach - plan.FirstMarkS) * plan.MarkHz);
  for (double j = firstNear;; ++j) {
    const double mark = plan.FirstMarkS + j * interval;
    if (mark - reach >= t1) break;
    const double from = std::clamp(std::ceil((mark - reach - t0) / period_), 0.0, double(count));
    const double to = std::clamp(std::ceil((mark + reach - t0) / period_), from, double(count));
    for (auto k = static_cast<size_t>(from); k < static_cast<size_t>(to); ++k)
      mv[k] += MarkMv(plan, FrameTime(first + k));
  }
}

void AdcSynth::Slice(uint64_t first, size_t count, const double* const* dac,
                     int16_t* out) {
  const auto stride = static_cast<size_t>(channels_);
  for (int c = 0; c < channels_; ++c) {
    const Channel& channel = inputs_[c];
    int16_t* o = out + c;
    switch (channel.Plan.From) {
      case InputPlan::Source::Ramp:
        for (size_t k = 0; k < count; ++k) o[k * stride] = RampCode((first + k) * stride + c);
        continue;
      case InputPlan::Source::DacDirect:
      case InputPlan::Source::DacFiltered: {
        const bool filtered = channel.Plan.From == InputPlan::Source::DacFiltered;
        const double* levels = dac[(filtered ? 2 : 0) + channel.Plan.Dac];
        std::copy(levels, levels + count, mv_.data());
        StoreCodes(mv_.data(), count, channel.Gain, channel.MvPerCode, o, stride);
        continue;
      }
      case InputPlan::Source::Analogue:
        AnalogueMv(channel, first, count, mv_.data());
        StoreCodes(mv_.data(), count, channel.Gain, channel.MvPerCode, o, stride);
        continue;
    }
  }
}

}  // namespace sim
