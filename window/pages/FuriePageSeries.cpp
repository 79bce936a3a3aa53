// Fourier series of the window typed on the processing page, and the sequence components of
// channels 0 to 2 built on it.

#include "window/AxisUnits.h"
#include "window/Form.h"
#include "window/pages/FuriePageCommon.h"
#include "analysis/Kernels.h"
#include "window/Redraw.h"
#include "state/State.h"

using namespace furie_page;

namespace {

// The series costs N x N/2 multiply-adds per channel on the GUI thread; wider windows are refused.
constexpr int32_t kSeriesFramesLimit = 50000;
// Windows the sequence handler takes; the table would hold the harmonics of twice as many.
constexpr int32_t kSequenceFramesLimit = 20000;

constexpr const char* kSequenceTitle = "Последовательности:  1)Прямая  2)Нулевая  3)Обратная .";

// Checks the typed window for a Fourier series; nullptr when it may be analysed.
const char* SeriesRefusal(const TypedWindow& window, int32_t framesLimit, const char* limitText) {
    if (window.count > framesLimit) return limitText;
    return WindowRefusal(window, 0);
}

// Takes the window as the results' window and logs it; nothing before this point has changed.
void AcceptWindow(const TypedWindow& window, uint8_t kind, const char* tag) {
    const std::string line = LogLine(tag, window.first, window.count, 1.0);
    ChartState.DataKind = kind;
    AnalysisResults.FourierFirst = window.first;
    AnalysisResults.FourierCount = window.count;
    AnalysisResults.AnalysisInterval = 1.0;
    Log(line);
}

void RunFourierSeries(uint8_t kind) {
    if (AnalysisBlocked()) return;
    const TypedWindow window = ReadTypedWindow();
    if (const char* refusal = SeriesRefusal(window, kSeriesFramesLimit, kSeriesLimitText)) {
        Refuse(refusal);
        return;
    }
    ResultsInProgress inProgress;
    AcceptWindow(window, kind, kSeriesTag);
    FurieDecompose(0);
    RedrawChart();
}

}  // namespace

void TForma::SpeedButtonFurieClick(ui::Control*) {
    RunFourierSeries(RadioButtonFurieAmpl->Checked() ? kKindHarmonics : kKindHarmonicsLog);
}

void TForma::SpeedButtonFurieSPClick(ui::Control*) { RunFourierSeries(kKindHarmonicsLog); }

void TForma::SpeedButtonPoslClick(ui::Control*) {
    if (AnalysisBlocked()) return;
    const TypedWindow window = ReadTypedWindow();
    if (SampleData.DataChannels < 3) {
        Refuse(kNoThreeChannels);
        return;
    }
    if (const char* refusal = SeriesRefusal(window, kSequenceFramesLimit, kSequenceLimitText)) {
        Refuse(refusal);
        return;
    }
    ResultsInProgress inProgress;
    Chart->SetTitleText(kSequenceTitle);
    AcceptWindow(window, kKindSpectrum, kSequenceTag);
    for (ui::Series* series : Series) series->Clear();
    FurieDecompose(0);
    CalcSequenceComponents(0, 1, 2);

    // Positive, zero and negative sequence as seen in phase a, in millivolts over the frequency
    // of each harmonic, as the harmonic views show it.
    constexpr int kShownQuantities[] = {0, 3, 6};
    ChartUpdate update(*Chart);
    redraw::FrequencyAxes(redraw::HertzPerHarmonic(), redraw::kFormatMillivolts);
    ChartState.SequenceCurves = true;
    const int harmonics = window.count / 2;
    for (int s = 0; s < 3; ++s) {
        const double* amplitudes = AnalysisResults.SequenceTable[2][kShownQuantities[s]];
        Series[s]->Reserve(static_cast<size_t>(harmonics));
        for (int k = 1; k <= harmonics; ++k) Series[s]->AddXY(k, amplitudes[k - 1]);
    }
}
