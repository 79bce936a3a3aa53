// Time-domain drawing: the whole record on undo-zoom, the visible part on zoom and scroll, both
// bounded to 2402 points per series by min/max buckets.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "window/AxisUnits.h"
#include "analysis/Decimate.h"
#include "window/Form.h"
#include "state/State.h"
#include "threads/WorkerSlot.h"

namespace {

constexpr int kChartDivisions = 1200;

// Which buffer channels the current mode draws, on series 0, 1, ... in order. Currents and
// voltages are fixed channel triples; a record with fewer channels draws the ones it has.
struct ChannelSpan {
    int firstChannel;
    int count;
};

ChannelSpan DrawnChannels() {
    const int channels = SampleData.DataChannels;
    int first = 0;
    int count = channels;
    if (ChartState.DataKind == kKindCurrents || ChartState.DataKind == kKindVoltages) {
        first = ChartState.DataKind == kKindCurrents ? 0 : 3;
        count = std::clamp(channels - first, 0, 3);
    }
    return {first, std::min(count, kSeriesCount)};
}

void ClearAllSeries() {
    for (ui::Series* series : Forma->Series) series->Clear();
}

void DrawPoints(const ChannelSpan& span, std::int64_t first, std::int64_t last) {
    const std::int16_t* codes = SampleData.SampleBuffer.data();
    const int channels = SampleData.DataChannels;
    for (int s = 0; s < span.count; ++s) {
        ui::Series& series = *Forma->Series[s];
        series.Reserve(static_cast<std::size_t>(last - first + 1));
        const int channel = span.firstChannel + s;
        for (std::int64_t k = first; k <= last; ++k) {
            series.AddXY(static_cast<double>(k), codes[k * channels + channel]);
        }
    }
}

void DrawBuckets(const ChannelSpan& span, std::int64_t first, std::int64_t last) {
    for (int s = 0; s < span.count; ++s) Forma->Series[s]->Reserve(2 * (kChartDivisions + 1));
    decimate::ForEachMinMaxBucket(
        SampleData.SampleBuffer.data(), SampleData.DataChannels, first, last, kChartDivisions,
        [&span](std::int64_t x, const std::int16_t* mins, const std::int16_t* maxs) {
            for (int s = 0; s < span.count; ++s) {
                ui::Series& series = *Forma->Series[s];
                const int channel = span.firstChannel + s;
                series.AddXY(static_cast<double>(x), mins[channel]);
                series.AddXY(static_cast<double>(x), maxs[channel]);
            }
        });
}

} // namespace

bool IsTimeDomainKind(std::uint8_t kind) {
    switch (kind) {
        case kKindTimeData:
        case kKindSweepData:
        case kKindCurrents:
        case kKindVoltages:
        case kKindDshkData:
        case kKindPlaybackData: return true;
        default: return false;
    }
}

void DrawRecordFrames(std::int64_t first, std::int64_t last) {
    ChartUpdate update(*Forma->Chart);
    ClearAllSeries();
    if (last < first) return;
    const ChannelSpan span = DrawnChannels();
    if (span.count <= 0) return;
    if (last - first + 1 < decimate::kBucketThreshold) {
        DrawPoints(span, first, last);
    } else if (SampleData.DataChannels <= decimate::kMaxChannels) {
        // The station never records more channels than the buckets keep extremes for; a state
        // that claims more leaves a long range undrawn rather than overrun them.
        DrawBuckets(span, first, last);
    }
}

// Zoom, scroll and undo-zoom read the record up to FrameCount: never while a worker writes it,
// except for the worker's own redraw when it has finished its transfers.
void TForma::ChartUndoZoom(ui::Control*) {
    if (!IsTimeDomainKind(ChartState.DataKind) || RecordInWorkersHands()) return;
    DrawRecordFrames(0, static_cast<std::int64_t>(ValidFrames()) - 1);
}

void TForma::ChartZoom(ui::Control*) {
    if (!IsTimeDomainKind(ChartState.DataKind) || RecordInWorkersHands()) return;
    const std::int64_t frames = ValidFrames();
    if (frames == 0) {
        DrawRecordFrames(0, -1);
        return;
    }
    // Axis values back to frame indices. Without a usable multiplier the axis says nothing about
    // frames, so the whole record is drawn; limits are clamped while still doubles, so that no
    // out-of-range value is ever truncated.
    const double multiplier = ChartState.XMultiplier;
    const double lowest = Chart->BottomAxis().CurrentMinimum() / multiplier;
    const double highest = Chart->BottomAxis().CurrentMaximum() / multiplier;
    const double lastFrame = static_cast<double>(frames - 1);
    double first = 0;
    double last = lastFrame;
    if (multiplier != 0 && std::isfinite(lowest) && std::isfinite(highest)) {
        first = std::clamp(std::trunc(lowest), 0.0, lastFrame);
        last = std::clamp(std::trunc(highest) + 1, 0.0, lastFrame);
    }
    DrawRecordFrames(static_cast<std::int64_t>(first), static_cast<std::int64_t>(last));
}
