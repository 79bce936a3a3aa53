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

    static void ExpectWithin1Percent(const std::vector<double>& series, double expected, const char* what) {
        ASSERT_GE(series.size(), 24u) << what;  // 1 s in intervals of 40 ms
        for (double v : series) EXPECT_NEAR(v, expected, 0.01 * expected) << what;
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
    for (const auto& series : PowerAnalysis.PowerSeries) ExpectWithin1Percent(series, phasePower, "power");

    // The torque ripple at twice the mains frequency averages out over whole periods.
    ExpectWithin1Percent(PowerAnalysis.TorqueSeries, newtonMetresPerMv * drive.TorqueMv, "torque");

    // Two edges per pulse; counted per interval, over 0.12 x the interval in ms. The first
    // interval may miss the one edge that falls on the record's first frame.
    const double interval = PowerAnalysis.PowerInterval;
    const double speed = 2 * drive.SpeedPulseHz * interval / 1000 / 0.12 / interval;
    const std::vector<double>& speeds = PowerAnalysis.SpeedSeries;
    for (double s : speeds) EXPECT_NEAR(s, speed, 1.001 / 0.12 / interval);
    ExpectWithin1Percent({speeds.begin() + 1, speeds.end()}, speed, "speed");

    // The voltages' fundamental is a positive sequence of the model's phase voltage.
    EXPECT_NEAR(AnalysisResults.SequenceTable[2][0][0], drive.VoltageMv, 0.01 * drive.VoltageMv);
    EXPECT_NEAR(AnalysisResults.SequenceTable[2][6][0], 0, 0.01 * drive.VoltageMv);
}

}  // namespace
