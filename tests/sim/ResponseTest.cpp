#include <cmath>
#include <complex>
#include <vector>

#include "SimTestSupport.h"

using sim::Bench;
using simtest::SimTest;
using simtest::Transfer;

class DacToAdc : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    Bench().SetScenario("response");
  }
  // Plays a sine of `hz` on DAC0 at 125 kHz while recording DAC0 directly (channel 0) and
  // through the bench's low-pass (channel 1) at 125 kHz per channel; returns the frames.
  std::vector<int16_t> Record(double hz, double amplitudeMv, uint32_t frames) {
    IQuevModule* m = simtest::OpenQuev();
    EXPECT_TRUE(simtest::SetQuevDac(m, 125.0));
    EXPECT_TRUE(simtest::SetQuevAdc(m, 2, 250.0));
    std::vector<int16_t> words(frames + 20000);
    for (size_t n = 0; n < words.size(); ++n)
      words[n] = simtest::QuevDacWord(amplitudeMv * std::sin(2 * std::numbers::pi * hz * n / 125000.0));
    std::vector<int16_t> samples(2 * frames);
    uint32_t wordCount = static_cast<uint32_t>(words.size());
    uint32_t sampleCount = static_cast<uint32_t>(samples.size());
    Transfer w, r;
    m->START_WRITE();
    simtest::Write(m, words.data(), wordCount, w);
    m->START_READ();
    simtest::Read(m, samples.data(), sampleCount, r);
    EXPECT_EQ(r.Wait(frames / 125 + 1000), platform::kWaitObject0);
    m->ReleaseDevice();
    return samples;
  }
};

TEST_F(DacToAdc, LowPassGainAndPhaseMatchTheFirstOrderFormula) {
  const double corner = Bench().Model().LowPassCornerHz;
  for (double hz : {5.0, 20.0, 80.0}) {
    const std::vector<int16_t> data = Record(hz, 2000.0, 187520);
    // One whole second after the filter and the output latency have settled.
    const std::complex<double> direct = simtest::Harmonic(data, 2, 0, 62500, 125000, hz);
    const std::complex<double> filtered = simtest::Harmonic(data, 2, 1, 62500, 125000, hz);
    EXPECT_NEAR(std::abs(direct), 2000.0 / 1.25, 2.0) << hz;
    const std::complex<double> measured = filtered / direct;
    const std::complex<double> expected = 1.0 / std::complex<double>(1.0, hz / corner);
    EXPECT_NEAR(20 * std::log10(std::abs(measured)), 20 * std::log10(std::abs(expected)), 0.05) << hz;
    EXPECT_NEAR(std::arg(measured) * 180 / std::numbers::pi, std::arg(expected) * 180 / std::numbers::pi, 0.5)
        << hz;
  }
}

// Each word reaches the DAC its high bits name (the second channel's carry the high nibble set)
// once the FIFO's latency has passed: at 5 kHz the 4032-word FIFO holds 806.4 ms, of which the
// module plays 28 ms early. Frames fall on word edges here; a frame reads the word due at its
// own moment, however long the clock has run before.
TEST_F(DacToAdc, WordsReachTheirChannelAfterTheFifoLatency) {
  // DAC0 steps through 15 codes of 64 (125 ADC codes each), DAC1 holds -1250 mV.
  auto step = [](size_t j) { return static_cast<int16_t>(64 * (1 + j % 15)); };
  std::vector<int16_t> words(8064);
  for (size_t i = 0; i < words.size(); i += 2) {
    words[i] = step(i / 2);
    words[i + 1] = static_cast<int16_t>(simtest::QuevDacWord(-1250.0) | 0xF000);
  }
  for (uint32_t clockRunMs : {0u, 3166u, 71548u}) {
    SCOPED_TRACE(clockRunMs);
    platform::Event idle = platform::CreateEvent();
    platform::WaitForSingleObject(idle, clockRunMs);
    platform::CloseHandle(idle);
    IQuevModule* m = simtest::OpenQuev();
    ASSERT_TRUE(simtest::SetQuevDac(m, 5.0));
    ASSERT_TRUE(simtest::SetQuevAdc(m, 3, 15.0));  // channels 0 and 2: DAC0 and DAC1 direct
    std::vector<int16_t> samples(3 * 5024);
    uint32_t wordCount = 8064, sampleCount = 3 * 5024;
    Transfer w, r;
    m->START_WRITE();
    simtest::Write(m, words.data(), wordCount, w);
    m->START_READ();
    simtest::Read(m, samples.data(), sampleCount, r);
    ASSERT_EQ(r.Wait(2004), platform::kWaitObject0);
    m->ReleaseDevice();
    size_t first = 0;
    while (first < 5024 && samples[first * 3] == 0) ++first;
    EXPECT_EQ(first, 3892u) << "5 frames per ms times 778.4 ms";
    // Frame 3892 + n is sampled as word n is played: DAC0 holds pair n / 2's step.
    for (size_t n = 0; first + n < 5024; ++n)
      ASSERT_EQ(samples[(first + n) * 3], 125 * (1 + n / 2 % 15)) << "word " << n;
    EXPECT_EQ(samples[3891 * 3 + 2], 0);
    EXPECT_EQ(samples[3894 * 3 + 2], -1000) << "1250 mV, 512 DAC codes, 1000 ADC codes";
  }
}

TEST_F(DacToAdc, DryOrLateStreamPlaysSilenceAndCountsTheLostWords) {
  IUsb3000Module* m = simtest::OpenUsb3000();
  RTUSB3000::OUTPUT_PARS p{};
  p.size = sizeof(p);
  m->GET_OUTPUT_PARS(&p);
  p.OutputRate = 10.0;
  ASSERT_TRUE(m->SET_OUTPUT_PARS(&p));
  ASSERT_TRUE(simtest::SetUsb3000Adc(m, {0}, 10.0));  // DAC0 straight back
  // 0x4800 + 800: 800 codes, 1953.125 mV, 3125 ADC codes. The output lags 375.2 ms.
  std::vector<int16_t> words(5120, static_cast<int16_t>(0x4800 + 800));
  std::vector<int16_t> samples(10240);
  uint32_t wordCount = 5120, sampleCount = 10240;
  Transfer w, r;
  m->START_WRITE();
  simtest::Write(m, words.data(), wordCount, w);
  m->START_READ();
  simtest::Read(m, samples.data(), sampleCount, r);
  ASSERT_EQ(r.Wait(2100), platform::kWaitObject0);
  EXPECT_EQ(samples[3700], 0);
  EXPECT_EQ(samples[6000], 3125);
  EXPECT_EQ(samples[9000], 0) << "the 5120 words ended at 887.2 ms";
  EXPECT_EQ(Bench().DacUnderruns(sim::ModuleKind::Usb3000, 0), 0u);
  // Words written now were due long ago: they are lost.
  simtest::Write(m, words.data(), wordCount, w);
  EXPECT_GT(Bench().DacUnderruns(sim::ModuleKind::Usb3000, 0), 0u);
  m->STOP_WRITE();
}

// The sweep's stop order: wait for the DAC, stop it, wait for the ADC, stop it. The ADC block in
// flight when the DAC stops is completed afterwards, yet each of its frames reads the DAC as it
// was when the frame was sampled.
TEST_F(DacToAdc, AdcBlockCompletedAfterTheDacStopReadsWhatTheDacPlayedThen) {
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevDac(m, 5.0));
  ASSERT_TRUE(simtest::SetQuevAdc(m, 2, 10.0));
  constexpr uint32_t kRba = 10048, kRbd = 5024, kFrames = kRba / 2;
  constexpr int kBlocks = 4;
  std::vector<int16_t> words(kRbd * kBlocks, simtest::QuevDacWord(500.0));
  std::vector<int16_t> samples(kRba * kBlocks);
  uint32_t rba = kRba, rbd = kRbd;
  Transfer dac, adc;
  auto wait = [](Transfer& t) { ASSERT_EQ(t.Wait(2004), platform::kWaitObject0); };
  const uint32_t start = platform::GetTickCount();
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
  const uint32_t dacStopped = platform::GetTickCount();
  m->STOP_WRITE();
  wait(adc);
  m->STOP_READ();

  auto channel0 = [&](int block, uint32_t frame) { return samples[block * kRba + frame * 2]; };
  for (int block : {1, 2})
    for (uint32_t f = 0; f < kFrames; ++f) ASSERT_EQ(channel0(block, f), 400) << block << " " << f;
  // The last write completed when all but the FIFO's 4032 of 20096 words had been taken:
  // 3212.8 ms after the start, 992 frames into block 3 (which began at 3014.4 ms).
  EXPECT_EQ(dacStopped - start, 3212u);
  for (uint32_t f = 0; f < 991; ++f) ASSERT_EQ(channel0(3, f), 400) << f;
  for (uint32_t f = 993; f < kFrames; ++f) ASSERT_EQ(channel0(3, f), 0) << f;
}
