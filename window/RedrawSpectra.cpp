// Display modes over frequency: sweep results, harmonics, the live spectrum and the sequence
// components.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/Numbers.h"
#include "window/Form.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace redraw {

namespace {

constexpr double kDegreesPerRadian = 57.295779513082320877;

// Draws scale * table[row * stride + column] against x(row) for rows first..last on series
// `index`, skipping rows the table does not hold.
template <class XOfRow>
void AddTableColumn(int index, const std::vector<double>& table, std::int64_t first,
                    std::int64_t last, std::size_t stride, std::size_t column, XOfRow xOfRow,
                    double scale = 1) {
    for (std::int64_t row = std::max<std::int64_t>(first, 0); row <= last; ++row) {
        const std::size_t at = static_cast<std::size_t>(row) * stride + column;
        if (at >= table.size()) break;
        AddPoint(index, xOfRow(row), scale * table[at]);
    }
}

double IndexAsX(std::int64_t k) { return static_cast<double>(k); }

// Curves drawn for `curves` columns of a table: one per series, the rest left out.
int DrawnCurves(int curves) { return std::clamp(curves, 0, kSeriesCount); }

bool AmplitudesChosen() { return Forma->RadioButtonFurieAmpl->Checked(); }

} // namespace

double HertzPerHarmonic() {
    const AnalysisResultsGroup& results = AnalysisResults;
    return SampleData.DataRate * 1000 / SampleData.DataChannels / results.FourierCount /
           results.AnalysisInterval;
}

double DegreesPerPhaseUnit() { return AnalysisResults.PhasesInRadians ? kDegreesPerRadian : 1.0; }

void FrequencyAxes(double hertzPerRow, const char* leftFormat) {
    AutomaticAxes(BottomScale::Linear);
    if (std::isfinite(hertzPerRow)) SetSeriesX(hertzPerRow);
    ChartState.YMultiplier = 1;
    SetSeriesY(1);
    SetAxisFormats(kFormatHertz, leftFormat);
}

void RedrawSweepResults(std::uint8_t kind) {
    const char* modeText = "     АЧХ :  с  ";
    const char* leftFormat = kFormatDecibels;
    switch (kind) {
        case kKindSweepPhase:
            modeText = "     ФЧХ :  с  ";
            leftFormat = kFormatDegrees;
            break;
        case kKindSweepAmplitudes:
            modeText = "     АМПЛИТУДЫ :  с  ";
            leftFormat = kFormatMillivolts;
            break;
        case kKindSweepPhases:
            modeText = "     ФАЗЫ :  с  ";
            leftFormat = kFormatDegrees;
            break;
        default: break;
    }
    Forma->Chart->SetTitleText(FileHead() + modeText + SweepTail());
    AutomaticAxes(BottomScale::Keep);
    SetAxisFormats(kFormatHertz, leftFormat);
    SetSeriesX(1);
    SetSeriesY(1);

    const FrequencyResponseGroup& sweep = FrequencyResponse;
    if (sweep.AfcSteps < 1) return;
    const double octaves = std::log2(sweep.AfcFreqEnd / sweep.AfcFreqBegin);
    const auto frequency = [&](std::int64_t k) {
        return sweep.AfcFreqBegin *
               std::pow(2.0, octaves * static_cast<double>(k) / sweep.AfcSteps);
    };

    // The results' own shape, not a step or channel count changed since they were made.
    const std::int64_t lastRow = static_cast<std::int64_t>(SweepResultRows()) - 1;
    const int channels = std::max(sweep.AfcResultChannels, 0);
    const std::size_t stride = static_cast<std::size_t>(channels);
    if (kind == kKindSweepGain || kind == kKindSweepPhase) {
        // Channels 1 .. N - 1 each against channel 0.
        const std::vector<double>& table =
            kind == kKindSweepGain ? sweep.AfcDbTable : sweep.AfcPhaseTable;
        for (int pair = 0; pair < DrawnCurves(channels - 1); ++pair) {
            AddTableColumn(pair, table, 0, lastRow, stride - 1, pair, frequency);
        }
    } else {
        const std::vector<double>& table =
            kind == kKindSweepAmplitudes ? AnalysisResults.AmpTable : AnalysisResults.PhaseTable;
        for (int c = 0; c < DrawnCurves(channels); ++c) {
            AddTableColumn(c, table, 0, lastRow, stride, c, frequency);
        }
    }
}

void RedrawHarmonics(std::uint8_t kind) {
    const bool logarithmic = kind == kKindHarmonicsLog;
    ui::Axis& left = Forma->Chart->LeftAxis();
    ui::Axis& bottom = Forma->Chart->BottomAxis();
    left.SetAutomatic(true);
    bottom.SetAutomatic(true);
    left.SetLogarithmic(logarithmic);
    bottom.SetLogarithmic(logarithmic);
    bottom.SetValueFormat(kFormatHertz);

    const AnalysisResultsGroup& results = AnalysisResults;
    const int channels = SampleData.DataChannels;
    const double hertzPerIndex = HertzPerHarmonic();
    if (std::isfinite(hertzPerIndex)) SetSeriesX(hertzPerIndex);

    const std::int64_t firstIndex = Forma->RadioButton0GarmYes->Checked() ? 0 : 1;
    const std::int64_t lastIndex = results.FourierCount / 2;

    const bool amplitudes = AmplitudesChosen();
    Forma->Chart->SetTitleText(FileHead() +
                               (amplitudes ? "     АМПЛИТУДЫ :  с " : "     ФАЗЫ :  с ") +
                               platform::IntToStr(results.FourierFirst) + "  в кол-ве " +
                               platform::IntToStr(results.FourierCount) + " шт.  инт. " +
                               platform::FloatToStr(results.AnalysisInterval));
    // The amplitudes are millivolts already, drawn as they are; the phases are drawn in degrees,
    // whichever unit the table keeps them in.
    ChartState.YMultiplier = 1;
    SetSeriesY(1);
    left.SetValueFormat(amplitudes ? (logarithmic ? kFormatSpectralDensity : kFormatMillivolts)
                                   : kFormatDegrees);
    const std::vector<double>& table = amplitudes ? results.AmpTable : results.PhaseTable;
    const double scale = amplitudes ? 1.0 : DegreesPerPhaseUnit();
    for (int c = 0; c < DrawnCurves(channels); ++c) {
        AddTableColumn(c, table, firstIndex, lastIndex, channels, c, IndexAsX, scale);
    }
}

void RedrawLiveSpectrum() {
    ui::Axis& left = Forma->Chart->LeftAxis();
    ui::Axis& bottom = Forma->Chart->BottomAxis();
    left.SetAutomatic(true);
    left.SetLogarithmic(false);
    bottom.SetAutomatic(false);
    bottom.SetLogarithmic(false);
    bottom.SetValueFormat(kFormatHertz);

    AcquisitionSettings.FftXBegin = platform::TypedStrToFloat(Forma->EditFFT_XB->Text());
    AcquisitionSettings.FftXEnd = platform::TypedStrToFloat(Forma->EditFFT_XE->Text());
    // Whichever limit is set first must not cross the other one still standing.
    if (AcquisitionSettings.FftXBegin > bottom.CurrentMaximum()) {
        bottom.SetMaximum(AcquisitionSettings.FftXEnd);
        bottom.SetMinimum(AcquisitionSettings.FftXBegin);
    } else {
        bottom.SetMinimum(AcquisitionSettings.FftXBegin);
        bottom.SetMaximum(AcquisitionSettings.FftXEnd);
    }
    SetSeriesX(1); // one bin per hertz
    Forma->Chart->SetTitleText("СПЕКТРОАНАЛИЗ РЕАЛЬНОГО ВРЕМЕНИ");

    const int channels = SampleData.DataChannels;
    for (int c = 0; c < DrawnCurves(channels); ++c) {
        AddTableColumn(c, AnalysisResults.AmpTable, AnalysisResults.SpectrumFirst,
                       AnalysisResults.SpectrumLast, channels, c, IndexAsX);
    }
}

void RedrawSequence() {
    const AnalysisResultsGroup& results = AnalysisResults;
    ChartState.XMultiplier =
        FiniteOr(SampleData.DataRate * 1000 / SampleData.DataChannels / results.FourierCount,
                 ChartState.XMultiplier);
    const bool amplitudes = AmplitudesChosen();
    FrequencyAxes(ChartState.XMultiplier, amplitudes ? kFormatMillivolts : kFormatDegrees);
    Forma->Chart->SetTitleText(FileHead() +
                               (amplitudes ? "     ПОСЛЕДОВАТЕЛЬНОСТИ  АМПЛИТУДЫ :  с "
                                           : "     ПОСЛЕДОВАТЕЛЬНОСТИ  ФАЗЫ :  с ") +
                               WindowTail());
    // The table holds kSequenceHarmonics harmonics of each quantity; a wider window shows those.
    const int harmonics = std::clamp(results.FourierCount / 2, 0, kSequenceHarmonics);
    const int group = amplitudes ? 2 : 3;
    const double scale = amplitudes ? 1.0 : kDegreesPerRadian;
    for (int q = 0; q < kSequenceQuantities; ++q) {
        const double* values = results.SequenceTable[group][q];
        Forma->Series[q]->Reserve(static_cast<std::size_t>(harmonics));
        for (int k = 1; k <= harmonics; ++k) AddPoint(q, k, scale * values[k - 1]);
    }
}

} // namespace redraw
