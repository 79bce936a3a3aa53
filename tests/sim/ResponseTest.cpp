#include <cmath>
#include <complex>
#include <vector>

#include "SimTestSupport.h"

using sim::Bench;
using simtest::SimTest;
using simtest::Transfer;

class DacToAdc : public SimTest {
 protected:
  // Plays a sine of `hz` on DAC0 at 125 kHz while recording DAC0 directly (channel 0) and
  // through the bench's low-pass (channel 1) at 125 kHz per channel; returns the frames.
  std::vector<int16_t> Record(double hz, double amplitudeMv, double seconds) {
    IQuevModule* m = simtest::OpenQuev();
    EXPECT_TRUE(simtest::SetQuevDac(m, 125.0));
    EXPECT_TRUE(simtest::SetQuevAdc(m, 2, 250.0));
    const auto frames = static_cast<uint32_t>(seconds * 125000);
    std::vector<int16_t> words(frames + 20000);
    for (size_t n = 0; n < words.size(); ++n)
      words[n] = simtest::QuevDacWord(amplitudeMv * std::sin(2 * std::numbers::pi * hz * n / 125000.0));
    std::vector<int16_t> samples(2 * frames);
    uint32_t wordCount = static_cast<uint32_t>(words.size());
    uint32_t sampleCount = static_cast<uint32_t>(samples.size());
    Transfer w, r;
    m->START_WRITE();
    m->WriteData(words.data(), &wordCount, &w.Done, &w.Overlapped);
    m->START_READ();
    m->ReadData(samples.data(), &sampleCount, &r.Done, &r.Overlapped);
    EXPECT_EQ(r.Wait(static_cast<uint32_t>(seconds * 1000) + 1000), platform::kWaitObject0);
    m->STOP_WRITE();
    m->STOP_READ();
    m->ReleaseDevice();
    return samples;
  }
};

TEST_F(DacToAdc, LowPassGainAndPhaseMatchTheFirstOrderFormula) {
  const double corner = Bench().Model().LowPassCornerHz;
  for (double hz : {5.0, 20.0, 80.0}) {
    const std::vector<int16_t> data = Record(hz, 2000.0, 1.5);
    // One whole second after the filter and the output latency have settled.
    const std::complex<double> direct = simtest::Harmonic(data, 2, 0, 62500, 125000, hz);
    const std::complex<double> filtered = simtest::Harmonic(data, 2, 1, 62500, 125000, hz);
    EXPECT_NEAR(std::abs(direct), 2000.0 / 1.25, 2.0) << hz;
    const std::complex<double> measured = filtered / direct;
    const std::complex<double> expected = 1.0 / std::complex<double>(1.0, hz / corner);
    EXPECT_NEAR(20 * std::log10(std::abs(measured)), 20 * std::log10(std::abs(expected)), 0.05)
        << hz;
    EXPECT_NEAR(std::arg(measured) * 180 / std::numbers::pi,
                std::arg(expected) * 180 / std::numbers::pi, 0.5)
        << hz;
  }
}

TEST_F(DacToAdc, OutputAppearsAfterTheFifoLatency) {
  // At 5 kHz the 4032-word FIFO holds 806.4 ms, of which the module plays 28 ms early.
  IQuevModule* m = simtest::OpenQuev();
  ASSERT_TRUE(simtest::SetQuevDac(m, 5.0));
  ASSERT_TRUE(simtest::SetQuevAdc(m, 1, 5.0));
  std::vector<int16_t> words(8064, simtest::QuevDacWord(1250.0));
  std::vector<int16_t> samples(5024);
  uint32_t wordCount = 8064, sampleCount = 5024;
  Transfer w, r;
  m->START_WRITE();
  m->WriteData(words.data(), &wordCount, &w.Done, &w.Overlapped);
  m->START_READ();
  m->ReadData(samples.data(), &sampleCount, &r.Done, &r.Overlapped);
  ASSERT_EQ(r.Wait(2004), platform::kWaitObject0);
  size_t first = 0;
  while (first < samples.size() && samples[first] == 0) ++first;
  EXPECT_EQ(first, 3892u) << "5 frames per ms times 778.4 ms";
  EXPECT_EQ(samples[first], 1000) << "1250 mV, 512 DAC codes, 1000 ADC codes";
}

TEST_F(DacToAdc, DryOrLateStreamPlaysSilenceAndCountsTheLostWords) {
  IUsb3000Module* m = simtest::OpenUsb3000();
  RTUSB3000::OUTPUT_PARS p{};
  p.size = sizeof(p);
  m->GET_OUTPUT_PARS(&p);
  p.OutputRate = 10.0;
  ASSERT_TRUE(m->SET_OUTPUT_PARS(&p));
  RTUSB3000::INPUT_PARS in{};
  in.size = sizeof(in);
  m->GET_INPUT_PARS(&in);
  in.ChannelsQuantity = 1;
  in.ControlTable[0] = 0;  // DAC0 straight back
  in.InputRate = 10.0;
  ASSERT_TRUE(m->SET_INPUT_PARS(&in));
  // 0x4800 + 800: 800 codes, 1953.125 mV, 3125 ADC codes. The output lags 375.2 ms.
  std::vector<int16_t> words(5000, static_cast<int16_t>(0x4800 + 800));
  std::vector<int16_t> samples(10240);
  uint32_t wordCount = 5000, sampleCount = 10240;
  Transfer w, r;
  m->START_WRITE();
  m->WriteData(words.data(), &wordCount, &w.Done, &w.Overlapped);
  m->START_READ();
  m->ReadData(samples.data(), &sampleCount, &r.Done, &r.Overlapped);
  ASSERT_EQ(r.Wait(2100), platform::kWaitObject0);
  EXPECT_EQ(samples[3700], 0);
  EXPECT_EQ(samples[6000], 3125);
  EXPECT_EQ(samples[9000], 0) << "the 5000 words ended at 875.2 ms";
  EXPECT_EQ(Bench().DacUnderruns(sim::ModuleKind::Usb3000, 0), 0u);
  // Words written now were due long ago: they are lost.
  m->WriteData(words.data(), &wordCount, &w.Done, &w.Overlapped);
  EXPECT_GT(Bench().DacUnderruns(sim::ModuleKind::Usb3000, 0), 0u);
  m->STOP_WRITE();
}
