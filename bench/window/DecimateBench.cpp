// Whole-record min/max drawing of a long record: 16 channels x 10 million frames (320 MB of codes).
// Reports samples per second; one pass over the frames in memory order.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "analysis/Decimate.h"
#include "window/Form.h"
#include "state/State.h"

namespace {

constexpr int kChannels = 16;
constexpr std::int64_t kFrames = 10'000'000;

const std::vector<std::int16_t>& LongRecord() {
    static const std::vector<std::int16_t> codes = [] {
        std::vector<std::int16_t> v(static_cast<std::size_t>(kFrames * kChannels));
        std::uint32_t seed = 12345;
        for (auto& code : v) {
            seed = seed * 1664525u + 1013904223u;
            code = static_cast<std::int16_t>(seed >> 16);
        }
        return v;
    }();
    return codes;
}

void BM_WholeRecordBuckets(benchmark::State& state) {
    const int channels = static_cast<int>(state.range(0));
    const auto& codes = LongRecord();
    const std::int64_t frames = static_cast<std::int64_t>(codes.size()) / channels;
    for (auto _ : state) {
        std::int64_t checksum = 0;
        decimate::ForEachMinMaxBucket(
            codes.data(), channels, 0, frames - 1, 1200,
            [&](std::int64_t x, const std::int16_t* mins, const std::int16_t* maxs) {
                checksum += x + mins[0] + maxs[channels - 1];
            });
        benchmark::DoNotOptimize(checksum);
    }
    state.SetItemsProcessed(state.iterations() * frames * channels);
}

// The same record through the main window: the undo-zoom event fills 16 series of 2402 points.
void BM_ChartUndoZoom(benchmark::State& state) {
    ui::ScriptedFrontEnd frontEnd;
    ui::Application.SetFrontEnd(&frontEnd);
    ResetSharedState();
    SampleData.SampleBuffer = LongRecord();
    SampleData.DataChannels = kChannels;
    SampleData.FrameCount = static_cast<std::int32_t>(kFrames);
    ChartState.DataKind = kKindTimeData;
    auto form = std::make_unique<TForma>();
    Forma = form.get();
    for (auto _ : state) {
        form->Chart->UndoZoom();
        benchmark::DoNotOptimize(form->Series[15]->Count());
    }
    state.SetItemsProcessed(state.iterations() * kFrames * kChannels);
    Forma = nullptr;
    form.reset();
    ResetSharedState();
    ui::Application.SetFrontEnd(nullptr);
}

} // namespace

BENCHMARK(BM_ChartUndoZoom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeRecordBuckets)->Arg(16)->Arg(5)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
