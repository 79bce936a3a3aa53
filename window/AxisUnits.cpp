// Units and ranges the acquisition page's combo boxes give the chart.

#include "window/AxisUnits.h"

#include <cmath>
#include <optional>

#include "window/Form.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace {

// Screen ranges in codes per ComboBoxC index 1 to 4: the module's full scale of each range,
// with the negative side one step wider (-2084, not -2081, is what the station has always shown).
struct CodeRange {
    double lowest;
    double highest;
};
constexpr CodeRange kScreenRanges[] = {{-8321, 8320}, {-2084, 2080}, {-521, 520}, {-131, 130}};

// Units of the bottom axis per frame; a record without a rate keeps the multiplier it had rather
// than scaling the axis by infinity.
std::optional<double> PerFrame(double millisecondsPerUnit) {
    const double value = redraw::MillisecondsPerFrame() / millisecondsPerUnit;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// What the view on the chart shows: the quantity of its points' values, and whether its points
// stand at frames of the record in memory (the time views) or at frequencies or rows of a table.
enum class PointValues { Codes, Millivolts, Other };

struct ShownView {
    PointValues values;
    bool atFrames;
};

ShownView ShownOnChart() {
    const bool amplitudes = Forma->RadioButtonFurieAmpl->Checked();
    switch (ChartState.DataKind) {
        case kKindSweepAmplitudes: return {PointValues::Millivolts, false};
        case kKindHarmonics:
        case kKindHarmonicsLog:
        case kKindSequence: return {amplitudes ? PointValues::Millivolts : PointValues::Other, false};
        case kKindSpectrum:
            return {ChartState.SequenceCurves ? PointValues::Millivolts : PointValues::Codes, false};
        case kKindSweepGain:
        case kKindSweepPhase:
        case kKindSweepPhases:
        case kKindPower:
        case kKindTorque:
        case kKindSpeed: return {PointValues::Other, false};
        default: {
            // The playback page's views keep their own scale.
            const bool record = ChartState.DataKind < kKindDshkData;
            return {record ? PointValues::Codes : PointValues::Other, record};
        }
    }
}

// "мВ" and "В" of a table already in millivolts; none for any other item.
std::optional<double> YUnitsPerMillivolt(int item) {
    switch (item) {
        case 1: return 1.0;
        case 2: return 0.001;
        default: return std::nullopt;
    }
}

} // namespace

void SetScreenRange() {
    const int index = Forma->ComboBoxC->ItemIndex();
    ui::Axis& left = Forma->Chart->LeftAxis();
    if (index == 0) {
        left.SetAutomatic(true);
    } else if (index >= 1 && index <= 4) {
        const CodeRange& range = kScreenRanges[index - 1];
        left.SetAutomatic(false);
        left.SetMinimum(range.lowest * ChartState.YMultiplier);
        left.SetMaximum(range.highest * ChartState.YMultiplier);
    }
}

void SetAxisXUnits() {
    if (!ShownOnChart().atFrames) return;
    struct XUnit {
        std::optional<double> multiplier;
        const char* format;
    };
    std::optional<XUnit> unit;
    switch (Forma->ComboBoxX->ItemIndex()) {
        case 0: unit = XUnit{1.0, redraw::kFormatPlain}; break;
        case 1: unit = XUnit{PerFrame(1), "# ##0.######мс"}; break;
        case 2: unit = XUnit{PerFrame(1000), redraw::kFormatSeconds}; break;
        case 3: unit = XUnit{PerFrame(60000), "# ##0.######м"}; break;
        default: break;
    }
    if (unit && unit->multiplier) {
        ChartState.XMultiplier = *unit->multiplier;
        Forma->Chart->BottomAxis().SetValueFormat(unit->format);
    }
    redraw::SetSeriesX(ChartState.XMultiplier);
}

std::optional<double> YUnitsPerCode(int item) {
    // In the scale of the data in memory, whichever module recorded them.
    switch (item) {
        case 0: return 1.0;
        case 1: return SampleData.DataMvPerCode;
        case 2: return SampleData.DataMvPerCode / 1000;
        default: return std::nullopt;
    }
}

void SetAxisYUnits() {
    const PointValues values = ShownOnChart().values;
    if (values == PointValues::Other) return;
    constexpr const char* kFormats[] = {redraw::kFormatPlain, redraw::kFormatMillivolts, redraw::kFormatVolts};
    const int item = Forma->ComboBoxY->ItemIndex();
    const auto perPoint = values == PointValues::Codes ? YUnitsPerCode(item) : YUnitsPerMillivolt(item);
    if (perPoint) {
        ChartState.YMultiplier = *perPoint;
        Forma->Chart->LeftAxis().SetValueFormat(kFormats[item]);
    }
    redraw::SetSeriesY(ChartState.YMultiplier);
    SetScreenRange();
}
