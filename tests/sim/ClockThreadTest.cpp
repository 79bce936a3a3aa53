#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "SimTestSupport.h"

using sim::Bench;
using sim::ClockMode;
using simtest::SimTest;
using simtest::Transfer;
using Steady = std::chrono::steady_clock;

class ClockThreads : public SimTest {};

TEST_F(ClockThreads, ScaledClockShortensTimeOutsAndTicksAlike) {
  Bench().SetClock(ClockMode::Scaled, 50.0);
  Transfer t;
  const uint32_t ticks = platform::GetTickCount();
  const auto real = Steady::now();
  EXPECT_EQ(t.Wait(1000), platform::kWaitTimeout);
  const auto elapsed = Steady::now() - real;
  EXPECT_GE(platform::GetTickCount() - ticks, 1000u);
  EXPECT_LT(elapsed, std::chrono::milliseconds(500)) << "1 s of bench time is 20 ms of ours";
  EXPECT_GE(elapsed, std::chrono::milliseconds(15));
}

TEST_F(ClockThreads, InstantClockWaitsForTheOtherThreadsSignalWhenNoTimeOutIsSet) {
  Transfer t;
  std::thread setter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    platform::SetEvent(t.Event);
  });
  EXPECT_EQ(t.Wait(platform::kInfinite), platform::kWaitObject0);
  setter.join();
}

// Every block of the ring is queued at once, each on its own record; a worker follows their
// completions and the main thread stops the ADC from outside. Blocks before the stop are
// gap-free and complete in order; nothing is written after STOP_READ returns, and nothing ever
// into the blocks behind the one in flight.
TEST_F(ClockThreads, StopFromAnotherThreadEndsTheStreamCleanly) {
  Bench().SetClock(ClockMode::Scaled, 5.0);
  Bench().SetScenario("ramp");
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 4, 400.0));
  constexpr uint32_t kBlock = 40000;  // 100 ms of bench time, 20 ms of ours
  constexpr int kBlocks = 200;
  std::vector<int16_t> ring(kBlock * kBlocks, 0x7777);
  std::atomic<int> completed{0};
  std::atomic<bool> ended{false};
  std::vector<Transfer> t(kBlocks);
  uint32_t count = kBlock;
  ASSERT_TRUE(m->START_READ());
  for (int b = 0; b < kBlocks; ++b) simtest::Read(m, ring.data() + b * kBlock, count, t[static_cast<size_t>(b)]);
  std::thread worker([&] {
    // Each block signals its own event, in order.
    while (completed < kBlocks) {
      if (t[static_cast<size_t>(completed.load())].Wait(1100) != platform::kWaitObject0) break;
      ++completed;
    }
    ended = true;
  });
  while (completed < 3 && !ended) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(m->STOP_READ());
  const std::vector<int16_t> snapshot = ring;
  worker.join();  // its wait for the next block runs out: no block completes after the stop
  const int done = completed;
  ASSERT_GE(done, 3);
  EXPECT_EQ(Bench().AdcOverruns(sim::ModuleKind::Quev, 0), 0u);
  for (size_t i = 0; i < static_cast<size_t>(done) * kBlock; ++i)
    ASSERT_EQ(ring[i], simtest::RampCode(i)) << i;
  EXPECT_TRUE(ring == snapshot) << "nothing written after the stop";
  EXPECT_TRUE(std::all_of(ring.begin() + (done + 1) * kBlock, ring.end(),
                          [](int16_t v) { return v == 0x7777; }));
}

// The sweep's order on a worker thread: wait DAC, write next, wait ADC, read next; at the end
// wait DAC, stop it, wait ADC, stop it.
TEST_F(ClockThreads, DacAndAdcBlockLoopRunsWithoutTimeOutsOrUnderruns) {
  Bench().SetScenario("response");
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevDac(m, 5.0));
  ASSERT_TRUE(simtest::SetQuevAdc(m, 2, 10.0));
  constexpr uint32_t kRba = 10048, kRbd = 5024;
  constexpr int kBlocks = 7;
  std::vector<int16_t> words(kRbd * kBlocks, simtest::QuevDacWord(500.0));
  std::vector<int16_t> samples(kRba * kBlocks);
  int timeouts = 0;
  std::thread worker([&] {
    Transfer dac, adc;
    uint32_t rba = kRba, rbd = kRbd;
    auto wait = [&](Transfer& t) { timeouts += t.Wait(2004) != platform::kWaitObject0; };
    m->START_WRITE();
    simtest::Write(m, words.data(), rbd, dac);
    m->START_READ();
    simtest::Read(m, samples.data(), rba, adc);
    for (int b = 1; b < kBlocks; ++b) {
      wait(dac);
      simtest::Write(m, words.data() + b * kRbd, rbd, dac);
      wait(adc);
      simtest::Read(m, samples.data() + b * kRba, rba, adc);
    }
    wait(dac);
    m->STOP_WRITE();
    wait(adc);
    m->STOP_READ();
  });
  worker.join();
  EXPECT_EQ(timeouts, 0);
  EXPECT_EQ(Bench().DacUnderruns(sim::ModuleKind::Quev, 0), 0u);
  EXPECT_EQ(Bench().DacWords(sim::ModuleKind::Quev, 0).size(), words.size());
  EXPECT_EQ(samples[5 * kRba], 400) << "500 mV on DAC0 reaches channel 0 at 1.25 mV per code";
  EXPECT_EQ(samples.back(), 0) << "the DAC stopped before the last ADC block ended";
}
