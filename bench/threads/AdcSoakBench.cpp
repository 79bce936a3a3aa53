// Soak of the real-time acquisition: the worker streams the simulated USB3000 at 3000 kHz, 16
// channels, a ring of 10 blocks, in real time, for QUEV_SOAK_SECONDS (60 by default): the first
// half with the live oscilloscope, the second with the live spectrum (16-bit transform, every bin);
// QUEV_SOAK_NO_SPECTRUM=1 keeps the oscilloscope throughout. Every input carries the ramp, so that
// the ring left at the stop proves every sample arrived once and in order. Reported: blocks, overruns, samples out of order in the final ring, the worker's
// CPU time per block (with the simulated clock's wake-ups of its waits), the GUI thread's time per
// block for each view (mean and worst after the first, which sizes the chart's arrays), the
// finishing step (rotation and redraw of the whole ring), and the resident memory of each view's
// steady run and how much it grew.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <unistd.h>

#include "settings/BringUp.h"
#include "sim/BenchControl.h"
#include "state/State.h"
#include "threads/AdcThread.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"

namespace {

using Clock = std::chrono::steady_clock;

double SoakSeconds() {
    const char* text = std::getenv("QUEV_SOAK_SECONDS");
    return text != nullptr ? std::atof(text) : 60.0;
}

Clock::duration AfterSeconds(double seconds) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

std::set<std::string> Tasks() {
    std::set<std::string> tasks;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') tasks.insert(entry->d_name);
        }
        closedir(dir);
    }
    return tasks;
}

// Nanoseconds the task has run on a CPU.
double TaskCpuNs(const std::string& tid) {
    std::ifstream in("/proc/self/task/" + tid + "/schedstat");
    double ns = 0;
    in >> ns;
    return ns;
}

double ResidentMb() {
    std::ifstream in("/proc/self/statm");
    long pages = 0, resident = 0;
    in >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// The first call of a view sizes the chart's point arrays; it is reported apart.
struct ViewTimes {
    int calls = 0;
    double firstMs = 0;
    double totalMs = 0;
    double worstMs = 0;
    void Add(double ms) {
        if (calls++ == 0) {
            firstMs = ms;
            return;
        }
        totalMs += ms;
        worstMs = std::max(worstMs, ms);
    }
    double MeanMs() const { return calls > 1 ? totalMs / (calls - 1) : 0; }
};

// Serves the worker's synchronous calls until `until`, timing each on the GUI thread.
void Serve(Clock::time_point until, ViewTimes& times) {
    while (Clock::now() < until) {
        const auto start = Clock::now();
        if (ui::Application.ServePendingCalls() > 0) {
            times.Add(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
}

void BM_RealTimeSoak(benchmark::State& state) {
    ui::ScriptedFrontEnd frontEnd;
    ui::Application.SetGuiThread();
    ui::Application.SetFrontEnd(&frontEnd);
    sim::Bench().Reset();
    sim::Bench().SetClock(sim::ClockMode::RealTime);
    sim::Bench().SetScenario("ramp");
    sim::Bench().SetPresent(sim::ModuleKind::Quev, false);
    ResetSharedState();
    auto form = std::make_unique<TForma>();
    Forma = form.get();
    ConnectUsb3000Module();

    AcquisitionSettings.LongMode = 0;
    AcquisitionSettings.AdcRate = 3000;
    AcquisitionSettings.AdcTime = 0.05;
    AcquisitionSettings.AdcChannels = 16;
    BlockRing.BlockCount = 10;
    form->ComboBoxK->SetItemIndex(0);
    form->ComboBoxX->SetItemIndex(0);
    form->ComboBoxY->SetItemIndex(0);
    form->ComboBoxFFTBit->SetItemIndex(6);  // 16 bits
    form->EditFFT_XB->SetText("0");
    form->EditFFT_XE->SetText("40000");

    const double seconds = SoakSeconds();
    ViewTimes setUp, oscilloscope, spectrum, finish;
    // Resident memory at the start and end of each view's steady run.
    double rssOscStart = 0, rssOscEnd = 0, rssSpecStart = 0, rssSpecEnd = 0, workerNs = 0;
    int64_t blocks = 0;
    for (auto _ : state) {
        const std::set<std::string> before = Tasks();
        form->SpeedButtonRecord->Click();
        std::string worker;
        for (const std::string& tid : Tasks()) {
            if (!before.count(tid)) worker = tid;
        }
        const auto start = Clock::now();
        // The set-up's calls and the first blocks, then memory is taken as the baseline.
        Serve(start + std::chrono::seconds(3), setUp);
        rssOscStart = ResidentMb();
        Serve(start + AfterSeconds(seconds / 2), oscilloscope);
        rssOscEnd = ResidentMb();
        if (!std::getenv("QUEV_SOAK_NO_SPECTRUM")) ThreadControl.FftRealTime = 1;
        Serve(start + AfterSeconds(seconds / 2 + 3), spectrum);
        rssSpecStart = ResidentMb();
        Serve(start + AfterSeconds(seconds), spectrum);
        rssSpecEnd = ResidentMb();
        const double cpu = TaskCpuNs(worker);
        form->SpeedButtonRecord->Click();
        const auto stopAt = Clock::now();
        ui::Application.WaitForWorker(*ThreadControl.AdcWorker);
        finish.Add(std::chrono::duration<double, std::milli>(Clock::now() - stopAt).count());
        workerNs = cpu;
    }

    // Blocks completed: the passes (one call each, after the set-up's three) and block 0.
    blocks = 1 + (setUp.calls - 3) + oscilloscope.calls + spectrum.calls;
    int64_t outOfOrder = 0;
    const auto& ring = SampleData.SampleBuffer;
    for (size_t i = 1; i < static_cast<size_t>(SampleData.SampleCount); ++i) {
        outOfOrder += ((ring[i - 1] + 8192 + 1) % 16384) != ((ring[i] + 8192) % 16384);
    }
    state.counters["blocks"] = static_cast<double>(blocks);
    state.counters["overruns"] = static_cast<double>(sim::Bench().AdcOverruns(sim::ModuleKind::Usb3000, 0));
    state.counters["ring_samples"] = SampleData.SampleCount;
    state.counters["ring_out_of_order"] = static_cast<double>(outOfOrder);
    state.counters["worker_cpu_ms_per_block"] = workerNs / 1e6 / static_cast<double>(blocks);
    state.counters["osc_gui_ms_mean"] = oscilloscope.MeanMs();
    state.counters["osc_gui_ms_worst"] = oscilloscope.worstMs;
    state.counters["spec_gui_ms_mean"] = spectrum.MeanMs();
    state.counters["spec_gui_ms_worst"] = spectrum.worstMs;
    state.counters["spec_gui_ms_first"] = spectrum.firstMs;
    state.counters["finish_ms"] = finish.firstMs;
    state.counters["rss_osc_mb"] = rssOscStart;
    state.counters["rss_osc_growth_mb"] = rssOscEnd - rssOscStart;
    state.counters["rss_spec_mb"] = rssSpecStart;
    state.counters["rss_spec_growth_mb"] = rssSpecEnd - rssSpecStart;
    state.counters["boxes"] = static_cast<double>(frontEnd.Messages().size());

    ReleaseModulesAtShutdown();
    Forma = nullptr;
    form.reset();
    ui::Application.SetFrontEnd(nullptr);
    ResetSharedState();
    sim::Bench().Reset();
}
BENCHMARK(BM_RealTimeSoak)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
