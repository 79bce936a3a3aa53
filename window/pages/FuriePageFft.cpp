// The transform of the processing page: the typed window resampled by linear interpolation to a
// power of two of real samples, then its single-sided spectrum per channel.

#include <algorithm>
#include <cmath>

#include "window/Form.h"
#include "window/pages/FuriePageCommon.h"
#include "analysis/Kernels.h"
#include "window/Redraw.h"
#include "state/State.h"

using namespace furie_page;

namespace {

constexpr int32_t kSmallestPower = 10;  // 1024 real samples
constexpr int32_t kLargestPower = 20;   // 2^20 real samples
constexpr double kDegreesPerRadian = 57.29577951308232;

// Bits of the real length for a window of `count` frames: one more than the integer part of
// log2(count - 1), kept within 10 to 20. The caller refuses windows below 2 frames.
int32_t TransformPower(int32_t count) {
    const int32_t bits = static_cast<int32_t>(std::log2(static_cast<double>(count - 1))) + 1;
    return std::clamp(bits, kSmallestPower, kLargestPower);
}

// Puts 2n samples of channel c, taken every `step` frames from frame `first` and interpolated
// between neighbours, into positions 1 to n of the work arrays (even samples in WorkRe, odd ones
// in WorkIm), in the unit of the chart's current value multiplier.
void Resample(int c, int32_t first, double step, int32_t n) {
    const std::vector<int16_t>& codes = SampleData.SampleBuffer;
    const int64_t lastFrame = ValidFrames() - 1;
    const double scale = ChartState.YMultiplier;
    AnalysisResultsGroup& r = AnalysisResults;
    for (int64_t s = 0; s < 2 * static_cast<int64_t>(n); ++s) {
        const double t = first + static_cast<double>(s) * step;
        const int64_t i = std::min(static_cast<int64_t>(t), lastFrame);
        const int64_t next = std::min(i + 1, lastFrame);
        const double f = t - static_cast<double>(i);
        const double x0 = codes[SampleIndex(i, c)];
        const double x1 = codes[SampleIndex(next, c)];
        const double value = (x0 + f * (x1 - x0)) * scale;
        std::vector<double>& work = s % 2 == 0 ? r.WorkRe : r.WorkIm;
        work[s / 2 + 1] = value;
    }
}

// Phase in degrees of a bin held as (Re, Im) = (A sin φ, −A cos φ), referred to the window's
// first sample.
double BinPhase(double re, double im, double amplitude) {
    if (re == 0.0) return 0.0;
    const double degrees = std::acos(std::clamp(-im / amplitude, -1.0, 1.0)) * kDegreesPerRadian;
    return re > 0.0 ? degrees : 360.0 - degrees;
}

// Amplitudes and phases of bins 0 to n - 1 of channel c from the transformed work arrays; bin 0
// pairs the mean with the Nyquist term, and row n stays 0.
void StoreBins(int c, int32_t n) {
    AnalysisResultsGroup& r = AnalysisResults;
    for (int32_t j = 0; j < n; ++j) {
        const double re = r.WorkRe[static_cast<size_t>(j) + 1];
        const double im = r.WorkIm[static_cast<size_t>(j) + 1];
        const double amplitude = std::sqrt(re * re + im * im);
        r.AmpTable[TableIndex(j, c)] = amplitude;
        r.PhaseTable[TableIndex(j, c)] = BinPhase(re, im, amplitude);
    }
}

}  // namespace

void TForma::SpeedButtonFFTClick(ui::Control*) {
    if (AnalysisBlocked()) return;
    const TypedWindow window = ReadTypedWindow();
    // The interpolation reads one frame past the window.
    const char* refusal = WindowRefusal(window, 1);
    // log2(count - 1) needs at least two frames.
    if (refusal == nullptr && window.count < 2) refusal = kNoSuchData;
    if (refusal != nullptr) {
        Refuse(refusal);
        return;
    }

    const int32_t power = TransformPower(window.count);
    const int32_t n = int32_t{1} << (power - 1);
    const double step = static_cast<double>(window.count) / 2.0 / n;
    const std::string line = LogLine(kSeriesTag, window.first, 2 * n, step);

    ResultsInProgress inProgress;
    AnalysisResultsGroup& r = AnalysisResults;
    ChartState.DataKind = kKindHarmonics;
    r.FourierFirst = window.first;
    r.FftPower = power;
    r.FftSize = n;
    r.AnalysisInterval = step;
    r.FourierCount = 2 * n;
    const size_t channels = SampleData.DataChannels;
    r.WorkRe.assign(static_cast<size_t>(n) + 1, 0.0);
    r.WorkIm.assign(static_cast<size_t>(n) + 1, 0.0);
    r.AmpTable.assign((static_cast<size_t>(n) + 1) * channels, 0.0);
    r.PhaseTable.assign((static_cast<size_t>(n) + 1) * channels, 0.0);
    Log(line);

    for (size_t c = 0; c < channels; ++c) {
        Resample(static_cast<int>(c), window.first, step, n);
        RealFFT(n, power, 1);
        StoreBins(static_cast<int>(c), n);
    }
    // Emptied, not only cleared: they may hold megabytes.
    std::vector<double>().swap(r.WorkRe);
    std::vector<double>().swap(r.WorkIm);
    RedrawChart();
}
