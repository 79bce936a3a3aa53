// Throughput of the data files on 16 channels x 1,000,000 frames, file in the page cache.
// Targets on one core: ".asc" read >= 500 MB/s, write >= 800 MB/s; ".dat" at memory-copy speed.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "files/FileFormats.h"
#include "state/State.h"

namespace {

constexpr uint8_t kChannels = 16;
constexpr int32_t kFrames = 1'000'000;

std::string ScratchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// Acquisition-like codes: mostly 3 to 5 characters with a sign now and then.
void FillSamples() {
    ResetSharedState();
    ChartState.DataKind = kKindTimeData;
    SampleData.DataRate = 400;
    SampleData.DataChannels = kChannels;
    SampleData.SampleBuffer.resize(static_cast<size_t>(kFrames) * kChannels);
    uint32_t state = 12345;
    for (auto& sample : SampleData.SampleBuffer) {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<int16_t>(static_cast<int32_t>(state >> 16) % 8000 - 4000);
    }
    SampleData.SampleCount = kFrames * kChannels;
    SampleData.FrameCount = kFrames;
}

void SetBytes(benchmark::State& state, const std::string& path) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}

void BM_AscWrite(benchmark::State& state) {
    FillSamples();
    const std::string path = ScratchPath("quev-bench.asc");
    for (auto _ : state) {
        WriteAscFile(path);
    }
    SetBytes(state, path);
    std::filesystem::remove(path);
}

void BM_AscRead(benchmark::State& state) {
    FillSamples();
    const std::string path = ScratchPath("quev-bench.asc");
    WriteAscFile(path);
    for (auto _ : state) {
        ReadAscFile(path, ImportShape{}, nullptr);
        benchmark::DoNotOptimize(SampleData.SampleBuffer.data());
    }
    SetBytes(state, path);
    std::filesystem::remove(path);
}

void BM_DatWrite(benchmark::State& state) {
    FillSamples();
    const std::string path = ScratchPath("quev-bench.dat");
    for (auto _ : state) {
        WriteDatFile(path);
    }
    SetBytes(state, path);
    std::filesystem::remove(path);
}

void BM_DatRead(benchmark::State& state) {
    FillSamples();
    const std::string path = ScratchPath("quev-bench.dat");
    WriteDatFile(path);
    for (auto _ : state) {
        ReadDatFile(path, ImportShape{400, kChannels, 0});
        benchmark::DoNotOptimize(SampleData.SampleBuffer.data());
    }
    SetBytes(state, path);
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(BM_AscWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AscRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DatWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DatRead)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
