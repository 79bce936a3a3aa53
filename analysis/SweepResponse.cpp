#include "analysis/SweepResponse.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "analysis/Kernels.h"
#include "state/State.h"

namespace {

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

// A non-negative count from a real, 0 when the real is no such count, at most `limit`.
int64_t WholeCount(double value, int64_t limit) {
    if (!std::isfinite(value) || value <= 0) return 0;
    return value >= static_cast<double>(limit) ? limit : static_cast<int64_t>(value);
}

int32_t FramesPerSecond() {
    if (SampleData.DataChannels == 0) return 0;
    const double k = 1000.0 * SampleData.DataRate / SampleData.DataChannels;
    return static_cast<int32_t>(WholeCount(std::nearbyint(k), kInt32Max));
}

// Magnitudes of bins 1 to n - 1 of channel c from the transformed work arrays into AmpTable
// (row n is 0); returns the bin of the first largest magnitude above 1, or 1.
int32_t StoreSpectrumAndFindPeak(int c, int32_t n) {
    AnalysisResultsGroup& r = AnalysisResults;
    r.AmpTable[TableIndex(static_cast<size_t>(n), static_cast<size_t>(c))] = 0;
    int32_t best = 1;
    for (int32_t j = 1; j < n; ++j) {
        const double magnitude = std::hypot(r.WorkRe[static_cast<size_t>(j) + 1], r.WorkIm[static_cast<size_t>(j) + 1]);
        r.AmpTable[TableIndex(static_cast<size_t>(j), static_cast<size_t>(c))] = magnitude;
        if (magnitude > r.AmpTable[TableIndex(static_cast<size_t>(best), static_cast<size_t>(c))] && magnitude > 1.0) {
            best = j;
        }
    }
    return best;
}

}  // namespace

void SizeSweepTransform() {
    AnalysisResultsGroup& r = AnalysisResults;
    const int32_t framesPerSecond = FramesPerSecond();
    r.FftPower = TransformPower(framesPerSecond);
    r.FftSize = int32_t{1} << (r.FftPower - 1);
    r.AnalysisInterval = framesPerSecond / 2.0 / r.FftSize;
    r.FourierCount = 2 * r.FftSize;
}

SweepExtent RecordedSweepExtent() {
    const double samples = SampleData.SampleCount;
    const double rate = SampleData.DataRate;
    const int64_t perSecond = FramesPerSecond();
    const int64_t frames = ValidFrames();
    if (perSecond <= 0) return {};
    // A second or step starting past the frames held reads nothing.
    const int64_t seconds = std::min(WholeCount(samples / rate / 1000, kInt32Max), frames / perSecond + 1);
    const int64_t steps = WholeCount(samples / rate / 100, kInt32Max);
    const int64_t lastStep = std::min(steps - kSweepEdgeSteps, kSweepStepsPerSecond * frames / perSecond + 1);
    return {static_cast<int32_t>(seconds), static_cast<int32_t>(std::max<int64_t>(lastStep, 0))};
}

void SizeSweepTables(const SweepExtent& extent) {
    AnalysisResultsGroup& r = AnalysisResults;
    const size_t n = static_cast<size_t>(r.FftSize);
    const size_t lastStep = static_cast<size_t>(std::max(extent.lastStep, 0));
    r.WorkRe.assign(std::max(n + 1, lastStep + 1), 0.0);
    r.WorkIm.assign(r.WorkRe.size(), 0.0);
    r.AmpTable.assign((std::max(n, lastStep) + 1) * SampleData.DataChannels, 0.0);
}

std::optional<double> EstimateSweepStart(int32_t seconds) {
    AnalysisResultsGroup& r = AnalysisResults;
    const int32_t n = r.FftSize;
    const int64_t perSecond = FramesPerSecond();
    const double step = r.AnalysisInterval;
    const int64_t frames = ValidFrames();
    int32_t count = 0;
    double sum = 0;
    for (int32_t s = 0; s < seconds; ++s) {
        const int64_t first = s * perSecond;
        // The interpolation reaches the frame after the last position when it falls between two.
        const double lastPosition = static_cast<double>(first) + static_cast<double>(2 * n - 1) * step;
        if (!(std::ceil(lastPosition) < static_cast<double>(frames))) break;
        r.FourierFirst = static_cast<int32_t>(first);
        for (int c = 0; c < SampleData.DataChannels; ++c) {
            ResampleIntoWork(c, r.FourierFirst, step, n, 1.0);
            RealFFT(n, r.FftPower, 1);
            const int32_t peak = StoreSpectrumAndFindPeak(c, n);
            if (c == 1 && PeakCountsTowardStart(peak)) {
                ++count;
                sum += PeakAtSweepStart(peak, s);
            }
        }
    }
    if (count == 0) return std::nullopt;
    return sum / count;
}

void MeasureSweepSteps(double startFrequency, int32_t lastStep,
                       const std::function<void(int channel, double frequency, double amplitude)>& point) {
    AnalysisResultsGroup& r = AnalysisResults;
    const size_t channels = SampleData.DataChannels;
    const int64_t frames = ValidFrames();
    for (int32_t m = kSweepEdgeSteps; m <= lastStep; ++m) {
        const double frequency = SweepStepFrequency(startFrequency, m);
        const auto window = StepWindow(frequency, m, FramesPerSecond());
        if (!window || window->first < 0 || window->first + window->period > frames) continue;
        for (size_t c = 0; c < channels; ++c) {
            const int16_t* samples = &SampleData.SampleBuffer[SampleIndex(static_cast<size_t>(window->first), c)];
            const ToneSums sums = OnePeriodSums(samples, channels, window->period);
            r.WorkRe[static_cast<size_t>(m)] = sums.sine;
            r.WorkIm[static_cast<size_t>(m)] = sums.cosine;
            r.AmpTable[TableIndex(static_cast<size_t>(m), c)] = sums.amplitude;
            if (point) point(static_cast<int>(c), frequency, sums.amplitude);
        }
    }
}

bool PeakCountsTowardStart(int32_t bin) { return (bin >= 11 && bin <= 15) || (bin >= 27 && bin <= 34); }

double PeakAtSweepStart(int32_t bin, int32_t second) {
    return bin / std::pow(2.0, (second + 0.5) / kSweepSecondsPerOctave);
}

double SweepStepFrequency(double startFrequency, int32_t step) {
    return startFrequency * std::pow(2.0, step / (kSweepStepsPerSecond * kSweepSecondsPerOctave));
}

std::optional<SweepStepWindow> StepWindow(double frequency, int32_t step, int32_t framesPerSecond) {
    const double period = framesPerSecond / frequency;
    if (!std::isfinite(period) || period < 1 || period >= kInt32Max) return std::nullopt;
    const int32_t whole = static_cast<int32_t>(period);
    const double first = static_cast<double>(step) * framesPerSecond / kSweepStepsPerSecond - whole / 2.0;
    return SweepStepWindow{static_cast<int64_t>(first), whole};
}

ToneSums OnePeriodSums(const int16_t* firstSample, std::size_t stride, int32_t period) {
    ToneSums sums;
    if (period < 1) return sums;
    const double omega = 2 * std::numbers::pi / period;
    for (int32_t j = 0; j < period; ++j) {
        const double x = firstSample[static_cast<size_t>(j) * stride];
        sums.sine += x * std::sin((j + 1) * omega);
        sums.cosine += x * std::cos((j + 1) * omega);
    }
    sums.amplitude = 2 * std::hypot(sums.sine / period, sums.cosine / period);
    return sums;
}
