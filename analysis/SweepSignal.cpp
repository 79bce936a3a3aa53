#include "analysis/SweepSignal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/QuevDacWord.h"
#include "analysis/SweepGainPhase.h"
#include "platform/Numbers.h"

namespace sweep {

namespace {

// Rates beyond any converter's, so that the block arithmetic below stays in range.
constexpr double kHighestRate = 1e6;  // kHz
// Sample indices of the signal are 32-bit; a sweep longer than this is far past its bound.
constexpr double kHighestIndex = 1e9;

bool UsableRate(double rate) { return std::isfinite(rate) && rate > 0 && rate <= kHighestRate; }

bool UsableSettings(const SweepSettings& s) {
    return std::isfinite(s.AmplitudeMv) && std::isfinite(s.FreqBegin) && s.FreqBegin > 0 &&
           std::isfinite(s.FreqEnd) && s.FreqEnd >= s.FreqBegin && std::isfinite(s.OctavesPerMin) &&
           s.OctavesPerMin > 0 && s.Steps >= 1 && s.Steps <= kMaxSweepSteps && std::isfinite(s.RiseTime) && s.RiseTime >= 0 &&
           std::isfinite(s.FallTime) && s.FallTime >= 0;
}

// One second of samples rounded up to whole units of 32.
std::int32_t SecondOfSamples(double rate) {
    return static_cast<std::int32_t>(32 * platform::Trunc((rate * 1000 - 1) / 32 + 1));
}

} // namespace

SweepPlan PlanSweep(const SweepSettings& s, double adcRate, double dacRate, SweepGeometry& g) {
    if (!UsableRate(adcRate) || !UsableRate(dacRate)) return SweepPlan::RatesUnusable;
    if (!UsableSettings(s)) return SweepPlan::SettingsUnusable;

    g.Octaves = std::log2(s.FreqEnd / s.FreqBegin);
    // The segment ends follow the running time, each rounded on its own.
    const double durations[5] = {s.RiseTime, 0.5 / s.FreqBegin, g.Octaves * 60 / s.OctavesPerMin,
                                 0.5 / s.FreqEnd, s.FallTime};
    double t = 0;
    for (double duration : durations) t += duration;
    g.TotalTime = t;
    if (!(1000 * dacRate * t <= kHighestIndex) || !(adcRate * 1000 * t <= kHighestIndex)) {
        return SweepPlan::TooManySamples;
    }
    t = 0;
    for (int i = 0; i < 5; ++i) {
        t += durations[i];
        g.SegmentEnd[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(platform::Round(1000 * dacRate * t));
    }

    g.AdcBlock = SecondOfSamples(adcRate);
    g.DacBlock = SecondOfSamples(dacRate);
    if (g.AdcBlock < g.DacBlock * adcRate / dacRate) g.AdcBlock += 32;
    g.LastBlock = static_cast<std::int32_t>(platform::Trunc((adcRate * 1000 * g.TotalTime + kDacFifoWords) / g.AdcBlock));

    // Exact comparison: both block sizes must keep the rates' ratio or the converters drift apart.
    if (adcRate / dacRate != static_cast<double>(g.AdcBlock) / g.DacBlock) return SweepPlan::RatioMismatch;
    const std::int64_t blocks = static_cast<std::int64_t>(g.LastBlock) + 1;
    if (blocks * g.AdcBlock > kMaxAdcSamples || blocks * g.DacBlock > kMaxDacWords) {
        return SweepPlan::TooManySamples;
    }
    return SweepPlan::Ready;
}

void SynthesiseSweep(const SweepSettings& s, double dacRate, const SweepGeometry& g, std::int16_t* words) {
    const std::int32_t nd1 = g.SegmentEnd[0], nd2 = g.SegmentEnd[1], nd3 = g.SegmentEnd[2],
                       nd4 = g.SegmentEnd[3], nd5 = g.SegmentEnd[4];
    const double u = s.AmplitudeMv;
    const double beginStep = s.FreqBegin / dacRate / 1000;
    const double endStep = s.FreqEnd / dacRate / 1000;
    // The phase, in cycles, is advanced before each sample is taken; each sample is rounded to
    // whole millivolts before it becomes a DAC word.
    double phase = 0;
    auto put = [&](std::int32_t n, double amplitude) {
        const double mv = static_cast<double>(platform::Round(std::sin(2 * std::numbers::pi * phase) * amplitude));
        words[n] = static_cast<std::int16_t>(QuevDacWord(mv));
    };
    std::int32_t n = 0;
    for (; n < nd1; ++n) {
        phase += beginStep;
        put(n, n / static_cast<double>(nd1) * u);
    }
    for (; n < nd2; ++n) {
        phase += beginStep;
        put(n, u);
    }
    for (; n < nd3; ++n) {
        const double f = s.FreqBegin * std::pow(2.0, (n - nd2) / dacRate / 60000 * s.OctavesPerMin);
        phase += f / 1000 / dacRate;
        put(n, u);
    }
    for (; n < nd4; ++n) {
        phase += endStep;
        put(n, u);
    }
    for (; n < nd5; ++n) {
        phase += endStep;
        put(n, static_cast<double>(nd5 - n) / (nd5 - nd4) * u);
    }
    std::fill(words + nd5, words + DacBufferWords(g), std::int16_t{0});
}

std::int32_t LatencyCutFrames(double adcRate, int channels, double dacRate) {
    if (channels < 1 || !UsableRate(adcRate) || !UsableRate(dacRate)) return 0;
    const double frames = adcRate / channels * (kDacFifoWords / dacRate - kDacEarlyStartMs);
    return frames > 0 ? static_cast<std::int32_t>(platform::Round(frames)) : 0;
}

} // namespace sweep
