// Fourier series of the analysis window: the fast routine on the full 16 x 50,000-frame window,
// and the direct sums on shorter windows (they grow as N², so extrapolate: x (50000/N)²).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "analysis/Kernels.h"
#include "state/State.h"

namespace {

void LoadWindow(int frames, int channels) {
    ResetSharedState();
    std::mt19937 random(1);
    std::uniform_int_distribution<int> noise(-200, 200);
    SampleData.DataChannels = static_cast<uint8_t>(channels);
    SampleData.SampleBuffer.resize(static_cast<size_t>(frames) * channels);
    for (int f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            SampleData.SampleBuffer[SampleIndex(f, c)] =
                static_cast<int16_t>(3000 * std::sin(0.00628 * f + c) + noise(random));
        }
    }
    SampleData.FrameCount = frames;
    SampleData.SampleCount = frames * channels;
    AnalysisResults.FourierFirst = 0;
    AnalysisResults.FourierCount = frames;
}

template <KernelStatus (*Decompose)(uint8_t)>
void BM_FurieDecompose(benchmark::State& state) {
    LoadWindow(static_cast<int>(state.range(0)), 16);
    for (auto _ : state) {
        if (Decompose(0) != KernelStatus::Done) {
            state.SkipWithError("refused");
        }
        benchmark::DoNotOptimize(AnalysisResults.AmpTable.data());
    }
    ResetSharedState();
}
BENCHMARK(BM_FurieDecompose<&FurieDecompose>)
    ->Name("BM_FurieDecomposeFast")
    ->Arg(50000)->Arg(49999)->Arg(32768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FurieDecompose<&FurieDecomposeDirect>)
    ->Name("BM_FurieDecomposeDirect")
    ->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
