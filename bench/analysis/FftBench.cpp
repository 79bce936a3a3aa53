// The in-place real transform from 2^10 to 2^20 real points; the counter gives ns per point.
#include <benchmark/benchmark.h>

#include <cmath>

#include "analysis/Kernels.h"
#include "state/State.h"

namespace {

void BM_RealFFT(benchmark::State& state) {
    const int32_t bits = static_cast<int32_t>(state.range(0));
    const int32_t n = 1 << (bits - 1);
    ResetSharedState();
    std::vector<double>& re = AnalysisResults.WorkRe;
    std::vector<double>& im = AnalysisResults.WorkIm;
    for (auto _ : state) {
        state.PauseTiming();
        re.assign(static_cast<size_t>(n) + 1, 0.0);
        im.assign(static_cast<size_t>(n) + 1, 0.0);
        for (int32_t j = 1; j <= n; ++j) {
            re[j] = std::sin(0.01 * j);
            im[j] = std::cos(0.013 * j);
        }
        state.ResumeTiming();
        RealFFT(n, bits, 1);
        benchmark::DoNotOptimize(re.data());
    }
    state.counters["ns_per_point"] = benchmark::Counter(
        static_cast<double>(2 * n) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
    ResetSharedState();
}
BENCHMARK(BM_RealFFT)->DenseRange(10, 20, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
