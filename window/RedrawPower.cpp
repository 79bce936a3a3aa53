// Display modes of the power page's results: one value per averaging interval.

#include <algorithm>
#include <vector>

#include "window/Form.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace redraw {

namespace {

void AddSeriesValues(int index, const std::vector<double>& values, std::int64_t count) {
    const std::int64_t drawn =
        std::min<std::int64_t>(count, static_cast<std::int64_t>(values.size()));
    Forma->Series[index]->Reserve(static_cast<std::size_t>(std::max<std::int64_t>(drawn, 0)));
    for (std::int64_t j = 0; j < drawn; ++j) AddPoint(index, static_cast<double>(j), values[j]);
}

} // namespace

void RedrawPowerSeries(std::uint8_t kind) {
    const PowerAnalysisGroup& power = PowerAnalysis;
    const char* title = "     АКТИВНАЯ  МОЩНОСТЬ :";
    const char* leftFormat = kFormatWatts;
    if (kind == kKindTorque) {
        title = "     МОМЕНТ  НА  ВАЛУ :  ";
        leftFormat = kFormatNewtonMetres;
    } else if (kind == kKindSpeed) {
        title = "     СКОРОСТЬ  ДВИГАТЕЛЯ :";
        leftFormat = kFormatRevsPerSecond;
    }
    Forma->Chart->SetTitleText(FileHead() + title);
    AutomaticAxes(BottomScale::Linear);
    SetAxisFormats(kFormatSeconds, leftFormat);
    // Seconds per averaging interval.
    ChartState.XMultiplier =
        FiniteOr(SampleData.DataChannels * power.PowerWindow / SampleData.DataRate / 1000,
                 ChartState.XMultiplier);
    SetSeriesX(ChartState.XMultiplier);
    ChartState.YMultiplier = 1;
    SetSeriesY(1);

    // Without a window there are no intervals to show.
    const std::int64_t intervals =
        power.PowerWindow > 0 ? SampleData.FrameCount / power.PowerWindow : 0;
    if (kind == kKindPower) {
        const int phases = std::min<int>(4, static_cast<int>(power.PowerSeries.size()));
        for (int s = 0; s < phases; ++s) AddSeriesValues(s, power.PowerSeries[s], intervals);
    } else {
        AddSeriesValues(0, kind == kKindTorque ? power.TorqueSeries : power.SpeedSeries, intervals);
    }
}

} // namespace redraw
