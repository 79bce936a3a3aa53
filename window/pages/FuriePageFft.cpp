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

constexpr double kDegreesPerRadian = 57.29577951308232;

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
    r.PhasesInRadians = false;
    Log(line);

    for (size_t c = 0; c < channels; ++c) {
        // In millivolts, as the series' harmonics are.
        ResampleIntoWork(static_cast<int>(c), window.first, step, n, SampleData.DataMvPerCode);
        RealFFT(n, power, 1);
        StoreBins(static_cast<int>(c), n);
    }
    // Emptied, not only cleared: they may hold megabytes.
    std::vector<double>().swap(r.WorkRe);
    std::vector<double>().swap(r.WorkIm);
    RedrawChart();
}
