#include "analysis/SweepGainPhase.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/Numbers.h"

namespace sweep {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kNoGainDb = -100;

bool Usable(double value) { return std::isfinite(value) && value > 0; }

bool CanBeTimed(const SweepRecord& r, const SweepTiming& t) {
    return t.Steps >= 1 && t.Steps <= kMaxSweepSteps && r.Channels >= 1 && Usable(r.FramesPerSecond) &&
           std::isfinite(r.MvPerCode) && Usable(t.FreqBegin) && Usable(t.FreqEnd) && Usable(t.OctavesPerMin) &&
           std::isfinite(t.RiseTime) && (r.Frames <= 0 || r.Samples != nullptr);
}

// Sine and cosine correlations of one channel over the window, each sample paired with the
// angle one step further on, in millivolts.
void Correlate(const SweepRecord& r, const StepWindow& win, int channel, const std::vector<double>& sines,
               const std::vector<double>& cosines, double& s, double& c) {
    s = 0;
    c = 0;
    const std::int64_t w = win.Length;
    // Frames outside the record count as zeros: only the part of the window inside it adds.
    const std::int64_t from = std::max<std::int64_t>(0, -win.First);
    const std::int64_t to = std::min<std::int64_t>(w, r.Frames - win.First);
    for (std::int64_t k = from; k < to; ++k) {
        const double x = r.Samples[(win.First + k) * r.Channels + channel];
        const std::size_t angle = static_cast<std::size_t>(k + 1 == w ? 0 : k + 1);
        s += x * sines[angle];
        c += x * cosines[angle];
    }
    s = s * r.MvPerCode / static_cast<double>(w);
    c = c * r.MvPerCode / static_cast<double>(w);
}

} // namespace

StepWindow SweepStepWindow(const SweepRecord& r, const SweepTiming& t, std::int32_t step) {
    // The sweep passes the start frequency half a period after the rise.
    const double f = SweepStepFrequency(t.FreqBegin, t.FreqEnd, step, t.Steps);
    const double period = r.FramesPerSecond / f;
    if (!(period >= 1.5) || !(period <= static_cast<double>(r.Frames))) return {};
    const std::int64_t w = platform::Round(period);
    const double octaves = std::log2(t.FreqEnd / t.FreqBegin);
    const double start = (octaves * (static_cast<double>(step) / t.Steps * 60) / t.OctavesPerMin +
                          (0.5 / t.FreqBegin + t.RiseTime)) *
                             r.FramesPerSecond -
                         static_cast<double>(w) / 2;
    if (!(start > static_cast<double>(-w) && start < static_cast<double>(r.Frames))) return {};
    return {platform::Round(start), w};
}

double SweepStepFrequency(double begin, double end, std::int32_t step, std::int32_t steps) {
    return begin * std::pow(2.0, std::log2(end / begin) * step / steps);
}

double SinePhaseDegrees(double s, double c) {
    if (c == 0) return s >= 0 ? 0 : 180;
    const double a = 2 * std::sqrt(s * s + c * c);
    // Rounding can carry the cosine just past ±1.
    const double degrees = std::acos(std::clamp(2 * s / a, -1.0, 1.0)) * kDegreesPerRadian;
    return c > 0 ? degrees : 360 - degrees;
}

double WrapPhaseDifference(double degrees) {
    if (!std::isfinite(degrees)) return degrees;
    while (degrees >= 180) degrees -= 360;
    while (degrees < -180) degrees += 360;
    return degrees;
}

SweepResponse MeasureSweepResponse(const SweepRecord& r, const SweepTiming& t) {
    SweepResponse out;
    if (!CanBeTimed(r, t)) return out;
    const int n = r.Channels;
    const std::size_t rows = static_cast<std::size_t>(t.Steps) + 1;
    out.Rows = static_cast<std::int32_t>(rows);
    out.Channels = n;
    out.Amplitudes.assign(rows * n, 0.0);
    out.Phases.assign(rows * n, 0.0);
    out.Gains.assign(rows * (n - 1), 0.0);
    out.PhaseDifferences.assign(rows * (n - 1), 0.0);

    std::vector<double> sines;
    std::vector<double> cosines;
    for (std::size_t i = 0; i < rows; ++i) {
        const std::int32_t step = static_cast<std::int32_t>(i);
        const StepWindow win = SweepStepWindow(r, t, step);
        const std::size_t w = static_cast<std::size_t>(win.Length);
        sines.resize(w);
        cosines.resize(w);
        for (std::size_t k = 0; k < w; ++k) {
            sines[k] = std::sin(2 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(w));
            cosines[k] = std::cos(2 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(w));
        }
        double* amplitudes = &out.Amplitudes[i * n];
        double* phases = &out.Phases[i * n];
        for (int c = 0; c < n; ++c) {
            double s = 0;
            double co = 0;
            if (w > 0) Correlate(r, win, c, sines, cosines, s, co);
            amplitudes[c] = 2 * std::sqrt(s * s + co * co);
            phases[c] = SinePhaseDegrees(s, co);
        }
        for (int j = 0; j + 1 < n; ++j) {
            const std::size_t d = i * static_cast<std::size_t>(n - 1) + static_cast<std::size_t>(j);
            // A silent input or output has no gain to show: both read as the floor of the scale.
            const double a0 = amplitudes[0];
            const double aj = amplitudes[j + 1];
            out.Gains[d] = a0 > 0 && aj > 0 ? 20 * std::log10(aj / a0) : kNoGainDb;
            out.PhaseDifferences[d] = WrapPhaseDifference(phases[j + 1] - phases[0]);
        }
    }
    return out;
}

} // namespace sweep
