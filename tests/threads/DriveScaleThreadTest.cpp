// The drive bench's phase current, 1434 mV peak with 1500 mV at 50 Hz, reads so on every page
// whichever module recorded it: the running oscilloscope, the chart after the stop and after the
// record went through an ".asc" file, the options dialog, both transforms in any order, and the
// power page's figures.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "settings/Options.h"
#include "tests/ScratchDirectory.h"
#include "tests/threads/AdcThreadFixture.h"
#include "window/Redraw.h"

namespace {

using adctest::Bench;
using adctest::ModuleKind;

constexpr double kPeakMv = 1434;         // the current's peak with its 3rd and 5th harmonics
constexpr double kFundamentalMv = 1500;  // its 50 Hz line
constexpr double kPhasePowerW = 1952;    // at the power page's 10 A and 100 V per volt
constexpr double kTorqueNm = 5;          // at 5 N·m per volt
constexpr int kWindowPeriods = 2;        // the transforms' window: its row 2 is 50 Hz

struct Recording {
    const char* name;
    bool quev, usb3000;
    bool realTime;
};

class DriveCurrentScale : public adctest::AdcThreadFixture, public ::testing::WithParamInterface<Recording> {
protected:
    void SetUp() override {
        AdcThreadFixture::SetUp();
        Bench().SetScenario("drive");
        Bench().SetPresent(ModuleKind::Quev, GetParam().quev);
        Bench().SetPresent(ModuleKind::Usb3000, GetParam().usb3000);
        // The options form brings the modules up, as at start-up.
        option = std::make_unique<TOption>();
        Option = option.get();
        form->Memo->Lines().Clear();
    }
    void TearDown() override {
        option.reset();
        Option = nullptr;
        AdcThreadFixture::TearDown();
    }

    // 8 channels at 40 kHz in millivolts over frames; a Real run stops at its third view, whose
    // peak it keeps.
    void Record() {
        form->ComboBoxX->SetItemIndex(0);
        form->ComboBoxY->SetItemIndex(1);
        if (GetParam().realTime) {
            Choose({40, 1, 8, 10});
            form->ComboBoxY->SetItemIndex(1);
            Run(3, [this](int) { runningPeak = ChartPeak(); });
        } else {
            form->ComboBoxR->Select(1);
            form->ComboBoxK->Select(0);
            form->ComboBoxN->Select(7);
            form->TrackBarQ->SetPosition(13);
            form->TrackBarQChange(nullptr);
            form->TrackBarT->SetPosition(12);
            form->TrackBarTChange(nullptr);
            form->SpeedButtonRecord->Click();
        }
        ASSERT_TRUE(frontEnd.Messages().empty());
        ASSERT_EQ(SampleData.DataChannels, 8);
        ASSERT_GE(ValidFrames(), 4 * FramesPerPeriod());
    }

    static int FramesPerPeriod() { return static_cast<int>(SampleData.DataRate * 1000 / SampleData.DataChannels / 50); }

    // The highest value series 1 shows, in its unit.
    double ChartPeak() const {
        const ui::Series& series = *form->Series[0];
        if (series.Count() == 0) return 0;
        return *std::max_element(series.YValues().begin(), series.YValues().end()) * series.YMultiplier();
    }
    // What series 1 shows at row x.
    double ChartAt(double x) const {
        const ui::Series& series = *form->Series[0];
        for (int i = 0; i < series.Count(); ++i)
            if (series.XValues()[i] == x) return series.YValues()[i] * series.YMultiplier();
        ADD_FAILURE() << "no point at " << x;
        return 0;
    }

    // The options dialog's value of channel 1 on the line with the tag at the typed position.
    double OptionsValueAt(const std::string& position, const std::string& tag) {
        option->EditZ->Type(position);
        for (const std::string& line : option->MemoZ->Lines().Strings()) {
            if (line.starts_with(tag)) return std::stod(line.substr(line.find("рез. ") + std::string("рез. ").size()));
        }
        ADD_FAILURE() << "no value at " << position;
        return 0;
    }
    // The options dialog's value of channel 1 at its highest sample.
    double OptionsValueAtThePeak() {
        int peakFrame = 0;
        for (int k = 0; k < ValidFrames(); ++k)
            if (SampleData.SampleBuffer[SampleIndex(k, 0)] > SampleData.SampleBuffer[SampleIndex(peakFrame, 0)])
                peakFrame = k;
        return OptionsValueAt(std::to_string(peakFrame), "1.   0:  зн. ");
    }

    void ExpectPeakOnTheChartAndInTheOptions(const char* where) {
        SCOPED_TRACE(where);
        RedrawChart();
        EXPECT_NEAR(ChartPeak(), kPeakMv, 0.01 * kPeakMv);
        EXPECT_NEAR(OptionsValueAtThePeak(), kPeakMv, 0.01 * kPeakMv);
    }

    void Transform(ui::SpeedButton& button, const char* what) {
        SCOPED_TRACE(what);
        form->EditBeg->Type("0");
        form->EditKol->Type(std::to_string(kWindowPeriods * FramesPerPeriod()));
        button.Click();
        ASSERT_TRUE(frontEnd.Messages().empty()) << frontEnd.Messages()[0].Text;
        EXPECT_NEAR(AnalysisResults.AmpTable[TableIndex(kWindowPeriods, 0)], kFundamentalMv, 0.01 * kFundamentalMv);
        EXPECT_NEAR(ChartAt(kWindowPeriods), kFundamentalMv, 0.01 * kFundamentalMv);
        // Typed in the chart's hertz, whatever the time chart before counted in (frames).
        EXPECT_NEAR(OptionsValueAt("50", "1.   0:  Ampl. "), kFundamentalMv, 0.01 * kFundamentalMv);
    }

    // What series `number` shows at `hertz`, in its unit.
    double ChartAtHertz(int number, double hertz) const {
        const ui::Series& series = *form->Series[number - 1];
        for (int i = 0; i < series.Count(); ++i)
            if (std::abs(series.XValues()[i] * series.XMultiplier() - hertz) < 1e-6)
                return series.YValues()[i] * series.YMultiplier();
        ADD_FAILURE() << "no point at " << hertz << " Hz";
        return 0;
    }

    ScratchStartDirectory scratch;
    std::unique_ptr<TOption> option;
    double runningPeak = 0;
    std::string savedPath = scratch.File("drive.asc");
};

TEST_P(DriveCurrentScale, CurrentReadsItsMillivoltsOnEveryView) {
    Record();
    if (GetParam().realTime) {
        EXPECT_NEAR(runningPeak, kPeakMv, 0.01 * kPeakMv) << "running oscilloscope";
    }
    ExpectPeakOnTheChartAndInTheOptions("after the stop");

    // The same data, the same answer, whichever button was pressed before.
    Transform(*form->SpeedButtonFFT, "БПФ first");
    Transform(*form->SpeedButtonFurie, "ДПФ");
    Transform(*form->SpeedButtonFFT, "БПФ after ДПФ");
    form->SpeedButtonDan->Click();
    Transform(*form->SpeedButtonFFT, "БПФ after Дан.");

    // The currents' positive sequence at 50 Hz, their in-phase 3rd harmonic as the zero sequence
    // and their 5th as the negative one, over the time view's multipliers.
    form->SpeedButtonDan->Click();
    form->SpeedButtonPosl->PerformClick();
    ASSERT_TRUE(frontEnd.Messages().empty());
    EXPECT_NEAR(ChartAtHertz(1, 50), kFundamentalMv, 0.01 * kFundamentalMv) << "positive sequence";
    EXPECT_NEAR(ChartAtHertz(2, 150), 0.1 * kFundamentalMv, 0.01 * kFundamentalMv) << "zero sequence";
    EXPECT_NEAR(ChartAtHertz(3, 250), 0.05 * kFundamentalMv, 0.01 * kFundamentalMv) << "negative sequence";

    // A file does not say which module wrote it: it is read at the USB3000's scale when that is
    // up, which is right for what the USB3000 recorded.
    const bool recordedByUsb3000 =
        GetParam().usb3000 && (!GetParam().quev || !GetParam().realTime || Calls(ModuleKind::Usb3000, "START_READ") > 0);
    form->SpeedButtonDan->Click();
    frontEnd.QueueSave(savedPath, 1);
    form->SpeedButtonSave->Click();
    frontEnd.QueueOpen(savedPath, 1);
    form->SpeedButtonOpen->Click();
    ASSERT_TRUE(frontEnd.Messages().empty());
    if (!GetParam().usb3000 || recordedByUsb3000) ExpectPeakOnTheChartAndInTheOptions("after reopening the file");
}

TEST_P(DriveCurrentScale, PowerPageShowsTheDrivesPowerAndTorque) {
    Record();
    form->SpeedButtonPower->Click();
    ASSERT_TRUE(frontEnd.Messages().empty());
    ASSERT_EQ(PowerAnalysis.PowerSeries.size(), 4u);
    for (const auto& series : PowerAnalysis.PowerSeries) {
        ASSERT_FALSE(series.empty());
        for (double w : series) EXPECT_NEAR(w, kPhasePowerW, 0.01 * kPhasePowerW) << "power per phase";
    }
    ASSERT_FALSE(PowerAnalysis.TorqueSeries.empty());
    for (double m : PowerAnalysis.TorqueSeries) EXPECT_NEAR(m, kTorqueNm, 0.01 * kTorqueNm) << "torque";
}

INSTANTIATE_TEST_SUITE_P(
    WhicheverModuleRecorded, DriveCurrentScale,
    ::testing::Values(Recording{"LongQuevOnly", true, false, false}, Recording{"LongUsb3000Only", false, true, false},
                      Recording{"LongBothUp", true, true, false}, Recording{"RealQuevOnly", true, false, true},
                      Recording{"RealUsb3000Only", false, true, true}, Recording{"RealBothUp", true, true, true}),
    [](const ::testing::TestParamInfo<Recording>& info) { return std::string(info.param.name); });

}  // namespace
