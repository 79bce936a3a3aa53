#include <algorithm>
#include <vector>

#include "SimTestSupport.h"

using sim::Bench;
using sim::Direction;
using sim::ModuleKind;
using simtest::SimTest;
using simtest::Transfer;

class Transfers : public SimTest {
 protected:
  static bool Untouched(const std::vector<int16_t>& v, size_t from = 0) {
    return std::all_of(v.begin() + static_cast<long>(from), v.end(), [](int16_t x) { return x == 0x5A5A; });
  }
};

TEST_F(Transfers, QueuedReadsCompleteInOrderWithoutGapsOrRepeats) {
  Bench().SetScenario("ramp");
  IUsb3000Module* m = simtest::OpenUsb3000();
  ASSERT_TRUE(simtest::SetUsb3000Adc(m, {0, 1, 2}, 3000.0));
  // Several reads outstanding, each on its own record, as the streaming workers queue them.
  constexpr uint32_t kBlock = 6144;
  constexpr int kBlocks = 5;
  std::vector<int16_t> data(kBlock * kBlocks);
  uint32_t count = kBlock;
  Transfer t[kBlocks];
  ASSERT_TRUE(m->START_READ());
  const uint32_t start = platform::GetTickCount();
  for (int b = 0; b < kBlocks; ++b) ASSERT_TRUE(simtest::Read(m, data.data() + b * kBlock, count, t[b]));
  EXPECT_EQ(count, kBlock) << "the caller's count is never written";
  // The last one's signal means all are done: they complete in order.
  ASSERT_EQ(t[kBlocks - 1].Wait(3000), platform::kWaitObject0);
  EXPECT_EQ(platform::GetTickCount() - start, 10u) << "30720 samples at 3000 kHz take 10.24 ms";
  for (size_t i = 0; i < data.size(); ++i) ASSERT_EQ(data[i], simtest::RampCode(i)) << i;
  for (int b = 0; b < kBlocks; ++b) {
    if (b + 1 < kBlocks) {
      EXPECT_EQ(t[b].Wait(0), platform::kWaitObject0) << "each signalled its own event";
    }
    // As a driver: the status and that one request's bytes, not a count of requests.
    EXPECT_EQ(t[b].Overlapped.Internal, 0u);
    EXPECT_EQ(t[b].Overlapped.InternalHigh, 2u * kBlock);
  }
  EXPECT_EQ(Bench().AdcOverruns(ModuleKind::Usb3000, 0), 0u);
}

// Samples arriving while no read is queued wait in the 3072-sample FIFO; once it is full they
// are lost. The next reads get the FIFO's samples at once, then the live stream after the jump.
TEST_F(Transfers, ReadQueuedLateLosesWhatOverflowedTheFifo) {
  Bench().SetScenario("ramp");
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 1, 100.0));
  std::vector<int16_t> data(5120, 0x5A5A);
  uint32_t small = 1024, large = 2048;
  Transfer t[4], idle;
  ASSERT_TRUE(m->START_READ());
  simtest::Read(m, data.data(), small, t[0]);
  ASSERT_EQ(t[0].Wait(100), platform::kWaitObject0);
  // 100 ms with no read queued: 10000 samples arrive, the FIFO keeps 3072 of them.
  EXPECT_EQ(idle.Wait(100), platform::kWaitTimeout);
  const uint32_t queued = platform::GetTickCount();
  simtest::Read(m, data.data() + 1024, small, t[1]);
  simtest::Read(m, data.data() + 2048, small, t[2]);
  simtest::Read(m, data.data() + 3072, large, t[3]);
  ASSERT_EQ(t[2].Wait(100), platform::kWaitObject0);
  EXPECT_EQ(platform::GetTickCount(), queued) << "the FIFO's samples come at once";
  ASSERT_EQ(t[3].Wait(100), platform::kWaitObject0);
  EXPECT_EQ(platform::GetTickCount() - queued, 10u) << "then 1024 live samples at 100 kHz";
  for (size_t i = 0; i < 4096; ++i) ASSERT_EQ(data[i], simtest::RampCode(i)) << i;
  for (size_t i = 4096; i < 5120; ++i) ASSERT_EQ(data[i], simtest::RampCode(i + 6928)) << i;
  EXPECT_EQ(Bench().AdcOverruns(ModuleKind::Quev, 0), 6928u);
}

// Blocks complete after their duration on the bench's clock; a stalled one lets the caller's
// wait run out on the same clock.
TEST_F(Transfers, BlocksTakeTheirDurationAndAStalledOneTimesOut) {
  Bench().StallAfter(ModuleKind::Quev, Direction::Read, 2);
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 1, 5.0));
  std::vector<int16_t> block(5024);
  uint32_t count = 5024;
  Transfer t;
  m->START_READ();
  const uint32_t start = platform::GetTickCount();
  for (int b = 1; b <= 2; ++b) {
    simtest::Read(m, block.data(), count, t);
    ASSERT_EQ(t.Wait(2004), platform::kWaitObject0);
    EXPECT_EQ(platform::GetTickCount() - start, static_cast<uint32_t>(b * 1004.8)) << b;
  }
  simtest::Read(m, block.data(), count, t);
  const uint32_t before = platform::GetTickCount();
  EXPECT_EQ(t.Wait(2004), platform::kWaitTimeout);
  EXPECT_EQ(platform::GetTickCount() - before, 2004u);
}

// A read the module refuses (made to fail, or not a whole number of its 32- or 512-sample
// units) never completes and writes nothing.
TEST_F(Transfers, RefusedReadsNeverCompleteNorWrite) {
  Bench().FailOnCall(ModuleKind::Quev, "ReadData", 1);
  IQuevModule* q = simtest::OpenQuev();
  IUsb3000Module* u = simtest::OpenUsb3000();
  ASSERT_TRUE(simtest::SetQuevAdc(q, 1, 5.0));
  ASSERT_TRUE(simtest::SetUsb3000Adc(u, {0}, 5.0));
  q->START_READ();
  u->START_READ();
  std::vector<int16_t> block(6144, 0x5A5A);
  Transfer t;
  for (uint32_t count : {32u, 48u, 0u}) EXPECT_FALSE(simtest::Read(q, block.data(), count, t)) << count;
  for (uint32_t count : {6000u, 256u}) EXPECT_FALSE(simtest::Read(u, block.data(), count, t)) << count;
  EXPECT_EQ(t.Wait(2500), platform::kWaitTimeout);
  EXPECT_TRUE(Untouched(block));
}

// Stop and release cancel before they return, also a release made to fail; a completed read
// writes exactly its count.
TEST_F(Transfers, StopAndReleaseLeaveTheCallersBufferAlone) {
  Bench().FailOnCall(ModuleKind::Quev, "ReleaseDevice", 1);
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 2, 10.0));
  std::vector<int16_t> block(4000, 0x5A5A);
  uint32_t count = 1984;
  Transfer t;
  m->START_READ();
  simtest::Read(m, block.data(), count, t);
  EXPECT_TRUE(m->STOP_READ());
  EXPECT_EQ(t.Wait(5000), platform::kWaitTimeout);
  m->START_READ();
  simtest::Read(m, block.data(), count, t);
  EXPECT_FALSE(m->ReleaseDevice());
  EXPECT_EQ(t.Wait(5000), platform::kWaitTimeout);
  EXPECT_TRUE(Untouched(block));

  IQuevModule* again = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(again, 2, 10.0));
  again->START_READ();
  simtest::Read(again, block.data(), count, t);
  EXPECT_EQ(t.Wait(1200), platform::kWaitObject0);
  EXPECT_FALSE(Untouched(block));
  EXPECT_TRUE(Untouched(block, 1984));
}

TEST_F(Transfers, AdcCodesFollowInputGainAndScale) {
  sim::InputSignal dc;
  dc.Kind = sim::SignalKind::Sines;
  dc.OffsetMv = 100.0;
  Bench().SetInput(0, dc);
  dc.OffsetMv = -20000.0;
  Bench().SetInput(1, dc);
  IQuevModule* q = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(q, 2, 10.0, 2));  // range code 2: 16 times finer
  std::vector<int16_t> block(512);
  uint32_t count = 64;
  Transfer t;
  q->START_READ();
  simtest::Read(q, block.data(), count, t);
  ASSERT_EQ(t.Wait(1100), platform::kWaitObject0);
  EXPECT_EQ(block[0], 1280) << "100 mV * 16 / 1.25";
  EXPECT_EQ(block[1], -8192) << "clamped to the 14-bit range";

  IUsb3000Module* u = simtest::OpenUsb3000();
  ASSERT_TRUE(simtest::SetUsb3000Adc(u, {1, 0}, 100.0));  // channel 0 reads input 1
  count = 512;
  u->START_READ();
  simtest::Read(u, block.data(), count, t);
  ASSERT_EQ(t.Wait(1100), platform::kWaitObject0);
  EXPECT_EQ(block[0], -8192);
  EXPECT_EQ(block[1], 160) << "100 mV / 0.625";
}

TEST_F(Transfers, DacWriteCompletesWhenAllButTheFifoHasPlayed) {
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevDac(m, 125.0));
  std::vector<int16_t> words(4032 + 12512, 0);
  uint32_t count = 4032;
  Transfer t;
  ASSERT_TRUE(m->START_WRITE());
  const uint32_t start = platform::GetTickCount();
  simtest::Write(m, words.data(), count, t);
  EXPECT_EQ(t.Wait(50), platform::kWaitObject0);
  EXPECT_EQ(platform::GetTickCount(), start) << "a FIFO's worth completes at once";
  count = 12512;
  simtest::Write(m, words.data() + 4032, count, t);
  EXPECT_EQ(t.Wait(1000), platform::kWaitObject0);
  EXPECT_EQ(platform::GetTickCount() - start, 100u) << "12512 of 16544 words at 125 kHz";
  EXPECT_TRUE(m->STOP_WRITE());
  EXPECT_EQ(Bench().DacWords(ModuleKind::Quev, 0).size(), 16544u);
  EXPECT_EQ(Bench().DacUnderruns(ModuleKind::Quev, 0), 0u);
}
