// The chart redraw: status bar, then the display mode's title, axes, multipliers and points.

#include "window/Redraw.h"

#include <cmath>

#include "settings/SystemStatus.h"
#include "window/AxisUnits.h"
#include "window/Form.h"
#include "state/State.h"

namespace redraw {

double MillisecondsPerFrame() { return SampleData.DataChannels / SampleData.DataRate; }

} // namespace redraw

void RedrawChart() {
    using namespace redraw;
    ChartUpdate update(*Forma->Chart);
    ShowFreeMemory();
    for (ui::Series* series : Forma->Series) series->Clear();
    ChartState.SequenceCurves = false;

    const std::uint8_t kind = ChartState.DataKind;
    if (IsTimeDomainKind(kind)) {
        RedrawTimeData(kind);
        return;
    }
    switch (kind) {
        case kKindSweepGain:
        case kKindSweepPhase:
        case kKindSweepAmplitudes:
        case kKindSweepPhases: RedrawSweepResults(kind); break;
        case kKindHarmonics:
        case kKindHarmonicsLog: RedrawHarmonics(kind); break;
        case kKindSpectrum: RedrawLiveSpectrum(); break;
        case kKindPower:
        case kKindTorque:
        case kKindSpeed: RedrawPowerSeries(kind); break;
        case kKindSequence: RedrawSequence(); break;
        case kKindMetSignal:
        case kKindMetRecording: RedrawMetrology(kind); break;
        case kKindDacBuffer: RedrawDacBuffer(); break;
        default: break; // nothing to draw: the chart stays empty under its last title and axes
    }
}

namespace redraw {

void AutomaticAxes(BottomScale bottom) {
    ui::Axis& left = Forma->Chart->LeftAxis();
    left.SetAutomatic(true);
    left.SetLogarithmic(false);
    ui::Axis& bottomAxis = Forma->Chart->BottomAxis();
    bottomAxis.SetAutomatic(true);
    if (bottom == BottomScale::Linear) bottomAxis.SetLogarithmic(false);
}

void SetAxisFormats(const char* bottom, const char* left) {
    Forma->Chart->BottomAxis().SetValueFormat(bottom);
    Forma->Chart->LeftAxis().SetValueFormat(left);
}

void SetSeriesX(double multiplier, int count) {
    for (int i = 0; i < count && i < kSeriesCount; ++i)
        Forma->Series[i]->SetXMultiplier(multiplier);
}

void SetSeriesY(double multiplier, int count) {
    for (int i = 0; i < count && i < kSeriesCount; ++i)
        Forma->Series[i]->SetYMultiplier(multiplier);
}

double FiniteOr(double candidate, double previous) {
    return std::isfinite(candidate) ? candidate : previous;
}

void AddPoint(int index, double x, double y) {
    if (index < 0 || index >= kSeriesCount) return;
    if (std::isfinite(x) && std::isfinite(y)) Forma->Series[index]->AddXY(x, y);
}

} // namespace redraw
