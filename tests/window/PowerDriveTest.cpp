// A long recording of the simulated drive bench, then "МОЩНОСТЬ": the power, torque and speed
// per interval are those the bench's drive model implies.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "settings/BringUp.h"
#include "sim/BenchControl.h"
#include "state/State.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"

namespace {

using sim::Bench;

class PowerOfTheDriveBench : public ::testing::Test {
protected:
    void SetUp() override {
        Bench().Reset();
        Bench().SetClock(sim::ClockMode::Instant);
        Bench().SetScenario("drive");
        ui::Application.SetFrontEnd(&frontEnd);
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
        Bench().SetPresent(sim::ModuleKind::Usb3000, false);
        ConnectQuevModule();
        ConnectUsb3000Module();
    }
    void TearDown() override {
        StopAndReapAllWorkers();
        ReleaseModulesAtShutdown();
        Forma = nullptr;
        form.reset();
        ui::Application.SetFrontEnd(nullptr);
        ResetSharedState();
        Bench().Reset();
    }

    // A long recording of 8 channels at 40 kHz over one second, range ±10.24 V.
    void RecordOneSecond() {
        form->ComboBoxR->Select(1);
        form->ComboBoxK->Select(0);
        form->ComboBoxN->Select(7);
        form->TrackBarQ->SetPosition(13);
        form->TrackBarQChange(nullptr);
        form->TrackBarT->SetPosition(12);
        form->TrackBarTChange(nullptr);
        form->SpeedButtonRecord->Click();
    }

    // The codes round every sample to a step of the range; over an interval of 40 ms that leaves
    // the results within about 1e-4 of the model's values. A sum divided by one frame too many
    // (200 frames an interval: 0.5 % low) is far outside.
    static constexpr double kModelTolerance = 5e-4;

    static void ExpectModelValue(const std::vector<double>& series, double expected, const char* what) {
        ASSERT_GE(series.size(), 24u) << what;  // 1 s in intervals of 40 ms
        for (double v : series) EXPECT_NEAR(v, expected, kModelTolerance * expected) << what;
    }

    ui::ScriptedFrontEnd frontEnd;
    std::unique_ptr<TForma> form;
};

TEST_F(PowerOfTheDriveBench, PowerTorqueAndSpeedAreTheModels) {
    RecordOneSecond();
    ASSERT_TRUE(frontEnd.Messages().empty());
    ASSERT_EQ(SampleData.DataChannels, 8);
    form->SpeedButtonPower->Click();
    ASSERT_TRUE(frontEnd.Messages().empty());

    const sim::DriveModel drive = Bench().Model().Drive;
    // Coefficients of the page: 10 A, 100 V and 5 N·m per volt, i.e. per 1000 mV.
    const double amperesPerMv = 0.01, voltsPerMv = 0.1, newtonMetresPerMv = 0.005;

    // Over whole mains periods a current harmonic meets only the voltage harmonic of its own
    // order: mean(i u) = I U / 2 x sum over common orders of relative amplitudes x cos(lag).
    double inPhase = 1;
    for (const auto& i : drive.CurrentHarmonics)
        for (const auto& u : drive.VoltageHarmonics) inPhase += i.N == u.N ? i.Relative * u.Relative : 0;
    const double meanProduct =
        drive.CurrentMv * drive.VoltageMv / 2 * inPhase * std::cos(drive.CurrentLagDeg * std::numbers::pi / 180);
    const double phasePower = 1.5 * amperesPerMv * voltsPerMv * meanProduct;
    ASSERT_EQ(PowerAnalysis.PowerSeries.size(), 4u);
    for (const auto& series : PowerAnalysis.PowerSeries) ExpectModelValue(series, phasePower, "power");

    // The torque ripple at twice the mains frequency averages out over whole periods.
    ExpectModelValue(PowerAnalysis.TorqueSeries, newtonMetresPerMv * drive.TorqueMv, "torque");

    // Two edges per pulse; counted per interval, over 0.12 x the interval in ms. The first
    // interval may miss the one edge that falls on the record's first frame.
    const double interval = PowerAnalysis.PowerInterval;
    const double speed = 2 * drive.SpeedPulseHz * interval / 1000 / 0.12 / interval;
    const std::vector<double>& speeds = PowerAnalysis.SpeedSeries;
    for (double s : speeds) EXPECT_NEAR(s, speed, 1.001 / 0.12 / interval);
    ExpectModelValue({speeds.begin() + 1, speeds.end()}, speed, "speed");

    // The voltages' fundamental is a positive sequence of the model's phase voltage.
    EXPECT_NEAR(AnalysisResults.SequenceTable[2][0][0], drive.VoltageMv, kModelTolerance * drive.VoltageMv);
    EXPECT_NEAR(AnalysisResults.SequenceTable[2][6][0], 0, kModelTolerance * drive.VoltageMv);
}

// The model's phase voltage and current of phase p at t (seconds).
double PhaseVoltage(const sim::DriveModel& drive, int p, double t) {
    const double theta = 2 * std::numbers::pi * drive.MainsHz * t - p * 2 * std::numbers::pi / 3;
    double u = std::sin(theta);
    for (const auto& h : drive.VoltageHarmonics) u += h.Relative * std::sin(h.N * theta);
    return drive.VoltageMv * u;
}
double PhaseCurrent(const sim::DriveModel& drive, int p, double t) {
    const double theta = 2 * std::numbers::pi * drive.MainsHz * t - p * 2 * std::numbers::pi / 3;
    const double lag = drive.CurrentLagDeg * std::numbers::pi / 180;
    double i = std::sin(theta - lag);
    for (const auto& h : drive.CurrentHarmonics) i += h.Relative * std::sin(h.N * theta - lag);
    return drive.CurrentMv * i;
}

TEST_F(PowerOfTheDriveBench, LineVoltagesOnTheVoltageInputsGiveTheLineWiringsPowers) {
    for (int pair = 0; pair < 3; ++pair) {
        sim::InputSignal lineVoltage;
        lineVoltage.Kind = sim::SignalKind::LineVoltage;
        lineVoltage.Index = pair;
        Bench().SetInput(3 + pair, lineVoltage);
    }
    RecordOneSecond();
    ASSERT_TRUE(frontEnd.Messages().empty());
    form->RadioButtonUlin->Click();
    form->SpeedButtonPower->Click();
    ASSERT_TRUE(frontEnd.Messages().empty());

    // Phase A from the currents of B and A and the line voltages Ubc and Uca, and so on round,
    // averaged over one mains period of the model (the intervals hold whole periods).
    const sim::DriveModel drive = Bench().Model().Drive;
    const double amperesPerMv = 0.01, voltsPerMv = 0.1;
    const auto line = [&](int pair, double t) {
        return PhaseVoltage(drive, pair, t) - PhaseVoltage(drive, (pair + 1) % 3, t);
    };
    double mean[3] = {};
    const int steps = 20000;
    for (int n = 0; n < steps; ++n) {
        const double t = n / (steps * drive.MainsHz);
        const double ia = PhaseCurrent(drive, 0, t), ib = PhaseCurrent(drive, 1, t), ic = PhaseCurrent(drive, 2, t);
        mean[0] += (ib * line(1, t) - ia * line(2, t)) / steps;
        mean[1] += (ia * line(0, t) - ic * line(1, t)) / steps;
        mean[2] += (ic * line(2, t) - ib * line(0, t)) / steps;
    }
    ASSERT_EQ(PowerAnalysis.PowerSeries.size(), 4u);
    double total = 0;
    for (int p = 0; p < 3; ++p) {
        const double expected = amperesPerMv * voltsPerMv * mean[p];
        SCOPED_TRACE(testing::Message() << "phase " << p << ", " << expected << " W");
        ExpectModelValue(PowerAnalysis.PowerSeries[static_cast<size_t>(p)], expected, "power");
        total += expected;
    }
    ExpectModelValue(PowerAnalysis.PowerSeries[3], total / 3, "mean of the phases");
}

}  // namespace
