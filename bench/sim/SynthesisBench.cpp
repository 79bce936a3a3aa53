// Synthesis of one simulated USB3000 block at the highest rate: 16 channels at 3000 kHz,
// 3,004,416 samples (about 1 s of bench time), every input carrying a live signal. The bench runs
// on the instant clock, so the time measured is the bench's own work for the block; it must stay
// well under the block's second, also under the sanitizers' slow-down.
#include <benchmark/benchmark.h>

#include <vector>

#include "modules/Usb3000Module.h"
#include "platform/Events.h"
#include "sim/BenchControl.h"

namespace {

constexpr uint32_t kBlock = 3004416;

void BM_Usb3000Block16Channels(benchmark::State& state) {
  sim::Bench().Reset();
  sim::Bench().SetClock(sim::ClockMode::Instant);
  sim::Bench().SetScenario("live");
  IUsb3000Module* m = RtCreateInstance("usb3000");
  m->OpenDevice(0);
  m->LOAD_DSP(nullptr);
  RTUSB3000::INPUT_PARS p{};
  p.size = sizeof p;
  m->GET_INPUT_PARS(&p);
  p.ChannelsQuantity = 16;
  for (uint16_t c = 0; c < 16; ++c) p.ControlTable[c] = c;
  p.InputRate = 3000.0;
  m->SET_INPUT_PARS(&p);
  std::vector<int16_t> block(kBlock);
  platform::Event event = platform::CreateEvent();
  OverlappedRecord overlapped{};
  overlapped.hEvent = event;
  uint32_t count = kBlock, done = 0;
  for (auto _ : state) {
    m->START_READ();
    m->ReadData(block.data(), &count, &done, &overlapped);
    if (platform::WaitForSingleObject(event, 5000) != platform::kWaitObject0)
      state.SkipWithError("the block did not complete");
    m->STOP_READ();
    benchmark::DoNotOptimize(block.data());
  }
  state.counters["ns_per_sample"] = benchmark::Counter(
      static_cast<double>(kBlock) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
  m->ReleaseDevice();
  platform::CloseHandle(event);
  sim::Bench().Reset();
}
BENCHMARK(BM_Usb3000Block16Channels)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
