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

// The worker streams ADC blocks as the real-time acquisition does; the main thread stops the
// ADC from outside while a read is queued. Blocks before the stop are gap-free; nothing is
// written after STOP_READ returns.
TEST_F(ClockThreads, StopFromAnotherThreadEndsTheStreamCleanly) {
  Bench().SetClock(ClockMode::Scaled, 5.0);
  Bench().SetScenario("ramp");
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 4, 400.0));
  constexpr uint32_t kBlock = 40000;  // 100 ms of bench time, 20 ms of ours
  std::vector<int16_t> ring(kBlock * 200, 0x7777);
  std::atomic<int> completed{0};
  std::atomic<bool> ended{false};
  Transfer t;
  ASSERT_TRUE(m->START_READ());
  std::thread worker([&] {
    uint32_t count = kBlock;
    for (int b = 0; b < 200; ++b) {
      m->ReadData(ring.data() + b * kBlock, &count, &t.Done, &t.Overlapped);
      if (t.Wait(1100) != platform::kWaitObject0) break;
      completed = b + 1;
    }
    ended = true;
  });
  while (completed < 3 && !ended) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(m->STOP_READ());
  const int done = completed;
  const std::vector<int16_t> snapshot(ring.begin() + (done + 1) * kBlock, ring.end());
  worker.join();
  ASSERT_GE(done, 3) << "blocks kept pace with the clock";
  EXPECT_LE(completed - done, 1) << "at most the block in flight when stopping completed";
  for (size_t i = 0; i < static_cast<size_t>(completed) * kBlock; ++i)
    ASSERT_EQ(ring[i], static_cast<int16_t>(static_cast<int>(i % 16384) - 8192)) << i;
  EXPECT_TRUE(std::equal(snapshot.begin(), snapshot.end(), ring.begin() + (done + 1) * kBlock));
  EXPECT_TRUE(std::all_of(ring.begin() + (completed + 1) * kBlock, ring.end(),
                          [](int16_t v) { return v == 0x7777; }));
}

// The sweep's order on a worker thread: wait DAC, write next, wait ADC, read next; at the end
// wait DAC, stop it, wait ADC, stop it.
TEST_F(ClockThreads, DacAndAdcBlockLoopRunsWithoutTimeOutsOrUnderruns) {
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
