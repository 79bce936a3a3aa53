#pragma once
// Axis units of the chart: the value multipliers, value formats and left-axis range chosen on the
// acquisition page, and the time-domain drawing the chart's zoom events run.

#include <cstdint>
#include <optional>

#include "ui/Chart.h"

// Left-axis range from ComboBoxC; the range is in codes, scaled by YMultiplier.
void SetScreenRange();
// XMultiplier and the bottom-axis format from ComboBoxX; every series gets the multiplier. Only
// views whose points stand at frames of the record take a unit; a view over frequency or over the
// rows of a table keeps its axis.
void SetAxisXUnits();
// The unit per code of the data in memory for ComboBoxY's item ("шт", "мВ", "В"); none for
// any other item.
std::optional<double> YUnitsPerCode(int item);
// YMultiplier and the left-axis format from ComboBoxY; every series gets the multiplier, then
// the screen range follows the new unit. Codes take the scale of the data in memory; tables
// already in millivolts change their unit only ("мВ", "В"); a view of another quantity (phases,
// decibels, power) keeps its unit.
void SetAxisYUnits();

// True for the display modes drawn from SampleBuffer by the zoom events.
bool IsTimeDomainKind(std::uint8_t kind);

// Clears all series and draws frames first..last of the record in memory on the series of the
// current display mode: point by point below 2400 frames, else in 1201 min/max buckets. The
// caller keeps first..last within the frames the buffer holds.
void DrawRecordFrames(std::int64_t first, std::int64_t last);

// Coalesces the chart's change notifications over a redraw, also when it is abandoned midway.
class ChartUpdate {
public:
    explicit ChartUpdate(ui::Chart& chart) : chart_(chart) { chart_.BeginUpdate(); }
    ~ChartUpdate() { chart_.EndUpdate(); }
    ChartUpdate(const ChartUpdate&) = delete;
    ChartUpdate& operator=(const ChartUpdate&) = delete;

private:
    ui::Chart& chart_;
};
