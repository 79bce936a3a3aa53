#include <algorithm>
#include <vector>

#include "SimTestSupport.h"

using sim::Bench;
using sim::Direction;
using sim::ModuleKind;
using simtest::SimTest;
using simtest::Transfer;

class Transfers : public SimTest {};

TEST_F(Transfers, QueuedReadsCompleteInOrderWithoutGapsOrRepeats) {
  Bench().SetScenario("ramp");
  IUsb3000Module* m = simtest::OpenUsb3000();
  ASSERT_NE(m, nullptr);
  RTUSB3000::INPUT_PARS p{};
  p.size = sizeof(p);
  m->GET_INPUT_PARS(&p);
  p.ChannelsQuantity = 3;
  for (int i = 0; i < 3; ++i) p.ControlTable[i] = static_cast<uint16_t>(i);
  p.InputRate = 3000.0;
  ASSERT_TRUE(m->SET_INPUT_PARS(&p));

  // Several reads outstanding on one overlapped record, as the playback does.
  constexpr uint32_t kBlock = 6144;
  constexpr int kBlocks = 5;
  std::vector<int16_t> data(kBlock * kBlocks);
  uint32_t count = kBlock;
  Transfer t;
  ASSERT_TRUE(m->START_READ());
  const uint32_t start = platform::GetTickCount();
  for (int b = 0; b < kBlocks; ++b)
    ASSERT_TRUE(m->ReadData(data.data() + b * kBlock, &count, &t.Done, &t.Overlapped));
  EXPECT_EQ(count, kBlock) << "the caller's count is never written";
  for (int b = 0; b < kBlocks; ++b) ASSERT_EQ(t.Wait(3000), platform::kWaitObject0) << b;
  EXPECT_EQ(platform::GetTickCount() - start, 10u) << "30720 samples at 3000 kHz take 10.24 ms";
  EXPECT_TRUE(m->STOP_READ());
  for (size_t i = 0; i < data.size(); ++i)
    ASSERT_EQ(data[i], static_cast<int16_t>(static_cast<int>(i % 16384) - 8192)) << i;
}

TEST_F(Transfers, EachBlockCompletesAfterItsDuration) {
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 1, 5.0));
  std::vector<int16_t> block(5024);
  uint32_t count = 5024;
  Transfer t;
  m->START_READ();
  const uint32_t start = platform::GetTickCount();
  for (int b = 1; b <= 3; ++b) {
    m->ReadData(block.data(), &count, &t.Done, &t.Overlapped);
    ASSERT_EQ(t.Wait(2004), platform::kWaitObject0);
    EXPECT_EQ(platform::GetTickCount() - start, static_cast<uint32_t>(b * 1004.8)) << b;
  }
  m->STOP_READ();
}

TEST_F(Transfers, StalledReadMakesTheWaitTimeOut) {
  Bench().StallAfter(ModuleKind::Quev, Direction::Read, 1);
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 1, 5.0));
  std::vector<int16_t> block(5024);
  uint32_t count = 5024;
  Transfer t;
  m->START_READ();
  m->ReadData(block.data(), &count, &t.Done, &t.Overlapped);
  EXPECT_EQ(t.Wait(2004), platform::kWaitObject0);
  m->ReadData(block.data(), &count, &t.Done, &t.Overlapped);
  const uint32_t before = platform::GetTickCount();
  EXPECT_EQ(t.Wait(2004), platform::kWaitTimeout);
  EXPECT_EQ(platform::GetTickCount() - before, 2004u) << "the time-out runs on the bench's clock";
}

TEST_F(Transfers, FailedReadNeverCompletes) {
  Bench().FailOnCall(ModuleKind::Quev, "ReadData", 1);
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 1, 5.0));
  std::vector<int16_t> block(5024, 77);
  uint32_t count = 5024;
  Transfer t;
  m->START_READ();
  EXPECT_FALSE(m->ReadData(block.data(), &count, &t.Done, &t.Overlapped));
  EXPECT_EQ(t.Wait(2004), platform::kWaitTimeout);
  EXPECT_EQ(block[0], 77);
}

TEST_F(Transfers, StopAndReleaseLeaveTheCallersBufferAlone) {
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(m, 2, 10.0));
  std::vector<int16_t> block(4000, 0x5A5A);
  uint32_t count = 2000;  // the second half guards against writes past the count
  Transfer t;
  m->START_READ();
  m->ReadData(block.data(), &count, &t.Done, &t.Overlapped);
  EXPECT_TRUE(m->STOP_READ());
  EXPECT_EQ(t.Wait(5000), platform::kWaitTimeout);
  EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](int16_t v) { return v == 0x5A5A; }));

  m->START_READ();
  m->ReadData(block.data(), &count, &t.Done, &t.Overlapped);
  EXPECT_TRUE(m->ReleaseDevice());
  EXPECT_EQ(t.Wait(5000), platform::kWaitTimeout);
  EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](int16_t v) { return v == 0x5A5A; }));

  // A completed read writes exactly its count.
  IQuevModule* again = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevAdc(again, 2, 10.0));
  again->START_READ();
  again->ReadData(block.data(), &count, &t.Done, &t.Overlapped);
  EXPECT_EQ(t.Wait(1200), platform::kWaitObject0);
  EXPECT_TRUE(std::all_of(block.begin() + 2000, block.end(), [](int16_t v) { return v == 0x5A5A; }));
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
  std::vector<int16_t> block(64);
  uint32_t count = 64;
  Transfer t;
  q->START_READ();
  q->ReadData(block.data(), &count, &t.Done, &t.Overlapped);
  ASSERT_EQ(t.Wait(1100), platform::kWaitObject0);
  EXPECT_EQ(block[0], 1280) << "100 mV * 16 / 1.25";
  EXPECT_EQ(block[1], -8192) << "clamped to the 14-bit range";

  IUsb3000Module* u = simtest::OpenUsb3000();
  RTUSB3000::INPUT_PARS p{};
  p.size = sizeof(p);
  u->GET_INPUT_PARS(&p);
  p.ChannelsQuantity = 2;
  p.ControlTable[0] = 1;  // channel 0 reads input 1
  p.ControlTable[1] = 0;
  p.InputRate = 100.0;
  ASSERT_TRUE(u->SET_INPUT_PARS(&p));
  u->START_READ();
  u->ReadData(block.data(), &count, &t.Done, &t.Overlapped);
  ASSERT_EQ(t.Wait(1100), platform::kWaitObject0);
  EXPECT_EQ(block[0], -8192);
  EXPECT_EQ(block[1], 160) << "100 mV / 0.625";
}

TEST_F(Transfers, DacWriteCompletesWhenAllButTheFifoHasPlayed) {
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevDac(m, 125.0));
  std::vector<int16_t> zeros(4032, 0);
  uint32_t count = 4032;
  Transfer t;
  ASSERT_TRUE(m->START_WRITE());
  const uint32_t start = platform::GetTickCount();
  m->WriteData(zeros.data(), &count, &t.Done, &t.Overlapped);
  EXPECT_EQ(t.Wait(50), platform::kWaitObject0);
  EXPECT_EQ(platform::GetTickCount(), start) << "a FIFO's worth completes at once";
  std::vector<int16_t> more(12500, 0);
  count = 12500;
  m->WriteData(more.data(), &count, &t.Done, &t.Overlapped);
  EXPECT_EQ(t.Wait(1000), platform::kWaitObject0);
  EXPECT_EQ(platform::GetTickCount() - start, 100u) << "12500 of 16532 words at 125 kHz";
  EXPECT_TRUE(m->STOP_WRITE());
  EXPECT_EQ(Bench().DacWords(ModuleKind::Quev, 0).size(), 16532u);
  EXPECT_EQ(Bench().DacUnderruns(ModuleKind::Quev, 0), 0u);
}

TEST_F(Transfers, DacWordsReachTheirChannelByTheirHighBits) {
  // Quev words: DAC0 as the plain 12-bit code, DAC1 with the high nibble set.
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevDac(m, 100.0));
  ASSERT_TRUE(simtest::SetQuevAdc(m, 3, 30.0));  // channels 0 and 2: DAC0 and DAC1 direct
  std::vector<int16_t> words(40000);
  for (size_t i = 0; i < words.size(); i += 2) {
    words[i] = 0x0400;                           // +1024 codes: 2500 mV
    words[i + 1] = static_cast<int16_t>(0xFC00);  // -1024 codes on the second channel
  }
  uint32_t wordCount = 40000;
  std::vector<int16_t> samples(3 * 1000);
  uint32_t sampleCount = 3000;
  Transfer w, r;
  m->START_WRITE();
  m->WriteData(words.data(), &wordCount, &w.Done, &w.Overlapped);
  m->START_READ();
  m->ReadData(samples.data(), &sampleCount, &r.Done, &r.Overlapped);
  ASSERT_EQ(r.Wait(2000), platform::kWaitObject0);
  // The DAC speaks 40.32 - 28 ms after its start; the last frame is at 99.9 ms.
  const size_t last = samples.size() - 3;
  EXPECT_EQ(samples[0], 0);
  EXPECT_EQ(samples[last], 2000) << "2500 mV / 1.25";
  EXPECT_EQ(samples[last + 2], -2000);
}
