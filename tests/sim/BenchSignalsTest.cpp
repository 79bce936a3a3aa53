#include <cmath>
#include <complex>
#include <cstdlib>
#include <vector>

#include "SimTestSupport.h"

using sim::Bench;
using simtest::SimTest;
using simtest::Transfer;

namespace {

constexpr double kDeg = 180 / std::numbers::pi;

// Records at least `frames` frames of `channels` Quev channels at range code 0 (whole 32-frame
// units, which the module's transfers need for any channel count).
std::vector<int16_t> RecordQuev(int channels, double rateKHz, uint32_t frames) {
  IQuevModule* m = simtest::OpenQuev();
  EXPECT_TRUE(simtest::SetQuevAdc(m, channels, rateKHz));
  std::vector<int16_t> data(static_cast<size_t>((frames + 31) / 32 * 32) * channels);
  uint32_t count = static_cast<uint32_t>(data.size());
  Transfer t;
  m->START_READ();
  simtest::Read(m, data.data(), count, t);
  EXPECT_EQ(t.Wait(static_cast<uint32_t>(count / rateKHz) + 1000), platform::kWaitObject0);
  m->ReleaseDevice();
  return data;
}

double PhaseDeg(std::complex<double> z) { return std::arg(z) * kDeg; }

}  // namespace

class BenchSignals : public SimTest {};

TEST_F(BenchSignals, DriveGivesSymmetricPhasesLaggingCurrentsPulsesAndTorque) {
  ASSERT_TRUE(Bench().SetScenario("drive"));
  EXPECT_FALSE(Bench().SetScenario("nonsense")) << "and leaves the drive in place";
  const sim::DriveModel drive = Bench().Model().Drive;
  // 8 channels at 400 kHz: 50000 frames per second, ten mains periods in 0.2 s.
  const std::vector<int16_t> d = RecordQuev(8, 400.0, 10000);
  auto fundamental = [&](int c, double order = 1) {
    return simtest::Harmonic(d, 8, c, 0, 10000, 10 * order);
  };
  const auto ua = fundamental(3), ub = fundamental(4), uc = fundamental(5);
  EXPECT_NEAR(std::abs(ua), drive.VoltageMv / 1.25, 1.0);
  EXPECT_NEAR(std::remainder(PhaseDeg(ub) - PhaseDeg(ua), 360), -120, 0.1);
  EXPECT_NEAR(std::remainder(PhaseDeg(uc) - PhaseDeg(ua), 360), 120, 0.1);
  EXPECT_NEAR(std::abs(fundamental(3, 5)) / std::abs(ua), 0.04, 0.001);
  const auto ia = fundamental(0);
  EXPECT_NEAR(std::abs(ia), drive.CurrentMv / 1.25, 1.0);
  EXPECT_NEAR(std::remainder(PhaseDeg(ua) - PhaseDeg(ia), 360), drive.CurrentLagDeg, 0.1);
  EXPECT_NEAR(std::abs(fundamental(0, 3)) / std::abs(ia), 0.10, 0.001);

  int edges = 0;
  double torque = 0;
  for (size_t k = 1; k < 10000; ++k) {
    edges += (d[k * 8 + 6] > 1000) != (d[(k - 1) * 8 + 6] > 1000);
    torque += d[k * 8 + 7];
  }
  EXPECT_EQ(edges, 199) << "500 pulses per second, two edges each, the first at frame 0";
  EXPECT_NEAR(torque / 9999, drive.TorqueMv / 1.25, 1.0);
}

TEST_F(BenchSignals, RotorMarksOncePerRevolutionWithVibrationLockedToThem) {
  ASSERT_TRUE(Bench().SetScenario("balance"));
  const sim::RotorModel rotor = Bench().Model().Rotor;
  // The balancing run's rate: 3 channels at 300 kHz, 100000 frames per second.
  const std::vector<int16_t> d = RecordQuev(3, 300.0, 210000);
  auto peak = [&](size_t from, size_t to) {
    size_t best = from;
    for (size_t k = from; k < to; ++k)
      if (d[k * 3] > d[best * 3]) best = k;
    return best;
  };
  const size_t m0 = peak(0, 50000), m1 = peak(50000, 150000), m2 = peak(150000, 210000);
  EXPECT_EQ(m0, 500u) << "the first mark 5 ms after the start";
  EXPECT_EQ(m1 - m0, 100000u);
  EXPECT_EQ(m2 - m1, 100000u);
  EXPECT_NEAR(d[m0 * 3], rotor.MarkPeakMv / 1.25, 1);
  for (int plane = 0; plane < 2; ++plane) {
    const auto v = simtest::Harmonic(d, 3, 1 + plane, m0, m1 - m0, rotor.VibrationOrder);
    EXPECT_NEAR(std::abs(v), rotor.VibrationMv[plane] / 1.25, 1.0) << plane;
    // A sine of phase p has the cosine-referred coefficient angle p - 90.
    EXPECT_NEAR(std::remainder(PhaseDeg(v) - (rotor.VibrationPhaseDeg[plane] - 90), 360), 0, 0.1)
        << plane;
  }
}

// Without a scenario chosen the bench is "live": an operator recording on a fresh start sees a
// moving signal on every one of the sixteen inputs. A named scenario replaces it; an unknown
// name is ignored.
TEST_F(BenchSignals, DefaultBenchIsLiveOnEveryInputUnlessAScenarioIsChosen) {
  const struct {
    const char* chosen;  // QUEV_SIM_SCENARIO, or none
    sim::SignalKind first;
  } cases[] = {{nullptr, sim::SignalKind::PhaseCurrent},
               {"balance", sim::SignalKind::RevolutionMark},
               {"nonsense", sim::SignalKind::PhaseCurrent}};
  const char* saved = std::getenv("QUEV_SIM_SCENARIO");
  const std::string before = saved ? saved : "";
  for (const auto& c : cases) {
    simtest::SetVariable("QUEV_SIM_SCENARIO", c.chosen);
    Bench().Reset();
    EXPECT_EQ(Bench().Model().Inputs[0].Kind, c.first) << (c.chosen ? c.chosen : "none");
  }
  simtest::SetVariable("QUEV_SIM_SCENARIO", nullptr);
  Bench().Reset();
  Bench().SetClock(sim::ClockMode::Instant);
  // 16 channels at 400 kHz for half a second.
  const std::vector<int16_t> d = RecordQuev(16, 400.0, 12500);
  for (int c = 0; c < 16; ++c) {
    int low = 8191, high = -8192;
    for (size_t k = 0; k < 12500; ++k) {
      low = std::min<int>(low, d[k * 16 + c]);
      high = std::max<int>(high, d[k * 16 + c]);
    }
    EXPECT_GT(high - low, 50) << "channel " << c;
  }
  if (saved) simtest::SetVariable("QUEV_SIM_SCENARIO", before.c_str());
}
