// Which module a real-time run streams from when both are up: the USB3000, whose rates the page
// offers, alone; over the whole range the bar offers above the Quev module's 400 kHz, the live
// bench's 50 Hz current keeps its period on the chart's time axis and no module is let go.

#include <cmath>
#include <optional>

#include "AdcThreadFixture.h"
#include "platform/Numbers.h"
#include "settings/BringUpSteps.h"
#include "sim/Defaults.h"

namespace adctest {
namespace {

using AdcModuleChoice = AdcThreadFixture;

// Upward zero crossings of channel c in frames [0, frames), at interpolated frame positions; a
// crossing counts only after the signal has been well below zero, so that noise around it does not.
std::vector<double> RisingCrossings(int c, int frames) {
    constexpr int kArmBelow = -200;  // codes
    std::vector<double> crossings;
    bool armed = false;
    for (int k = 1; k < frames; ++k) {
        const double before = SampleData.SampleBuffer[SampleIndex(k - 1, c)];
        const double now = SampleData.SampleBuffer[SampleIndex(k, c)];
        if (before < kArmBelow) armed = true;
        if (armed && before < 0 && now >= 0) {
            crossings.push_back(k - 1 + before / (before - now));
            armed = false;
        }
    }
    return crossings;
}

// The page's choices for a real-time run, made on its controls: 8 channels, 10 blocks of memory,
// a display time of 0.3 s and the rate bar at `ratePosition`.
constexpr int kTime03 = 9;  // TrackBarT position of 0.3 s

void ChooseOnThePage(TForma& form, int ratePosition) {
    form.ComboBoxR->Select(0);
    form.ComboBoxK->Select(0);
    form.ComboBoxN->Select(7);
    form.ComboBoxM->Select(3);
    form.ComboBoxX->Select(1);
    form.ComboBoxY->Select(1);
    form.ComboBoxFFTBit->Select(0);
    form.EditFFT_XB->SetText("0");
    form.EditFFT_XE->SetText("200");
    // 0.3 s first: a longer window at a higher rate would step the rate back as well.
    form.TrackBarT->SetPosition(kTime03);
    form.TrackBarQ->SetPosition(ratePosition);
}

TEST_F(AdcModuleChoice, BothModulesUpARealRunStreamsTheUsb3000AtEveryRateTheBarOffers) {
    struct Rate {
        int position;
        double kHz;
    };
    // The bar's USB3000 positions from 400 kHz to 1 MHz; the Quev module stops at 400.
    const Rate rates[] = {{26, 400}, {27, 500}, {28, 600}, {29, 700}, {30, 800}, {31, 1000}};
    for (const Rate& rate : rates) {
        SCOPED_TRACE(rate.kHz);
        TearDown();
        SetUp();
        views.clear();
        Bench().SetScenario("live");
        BringUp(true, true);
        ChooseOnThePage(*form, rate.position);
        ASSERT_EQ(AcquisitionSettings.AdcRate, rate.kHz);
        ASSERT_EQ(AcquisitionSettings.AdcChannels, 8);
        ASSERT_EQ(BlockRing.BlockCount, 10);
        const double startSeconds = Bench().Clock().NowSeconds();
        Run(10);  // 11 blocks of about a second; the ring keeps the last 10

        EXPECT_TRUE(frontEnd.Messages().empty());
        EXPECT_EQ(ModuleState.QuevPresent, 1);
        EXPECT_EQ(ModuleState.Usb3000Present, 1);
        EXPECT_EQ(form->ShapeADC->Color(), bringup::kLampUp);
        EXPECT_EQ(form->ShapeDAC->Color(), bringup::kLampUp);
        EXPECT_EQ(Calls(ModuleKind::Quev, "START_READ"), 0);
        EXPECT_EQ(Calls(ModuleKind::Quev, "ReadData"), 0);
        EXPECT_EQ(Calls(ModuleKind::Usb3000, "START_READ"), 1);
        // The 11 blocks and the one queued behind the last, which the stop cancels.
        EXPECT_EQ(Calls(ModuleKind::Usb3000, "ReadData"), 12);
        EXPECT_EQ(double{Bench().LastUsb3000InputPars().InputRate}, rate.kHz);
        const double runSeconds = Bench().Clock().NowSeconds() - startSeconds;
        EXPECT_GT(runSeconds, 10.9);
        EXPECT_LT(runSeconds, 11.2);

        // 50 periods per second of the chart's time axis, which counts N / Q ms per frame.
        ASSERT_TRUE(SampleData.DataRate == rate.kHz && ChartState.XMultiplier == 8 / rate.kHz);
        const int frames = ValidFrames();
        const double axisSeconds = frames * ChartState.XMultiplier / 1000;
        EXPECT_GT(axisSeconds, 9.9);
        const std::vector<double> crossings = RisingCrossings(0, frames);
        ASSERT_GE(crossings.size(), 2u);
        EXPECT_NEAR(crossings.size() / axisSeconds, 50, 0.2);
        const double periodFrames = (crossings.back() - crossings.front()) / (crossings.size() - 1);
        EXPECT_NEAR(1000 / (periodFrames * ChartState.XMultiplier), 50, 0.01) << "Hz on the axis";

        const auto log = Log();
        ASSERT_FALSE(log.empty());
        EXPECT_NE(log.back().find(",  Q=" + platform::FloatToStr(rate.kHz) + "кГц,  N=8,"), std::string::npos)
            << log.back();
        // The FIFO of the module that streamed, not the Quev module's.
        EXPECT_TRUE(log.back().ends_with(",  Fifo=" + std::to_string(sim::defaults::kUsb3000InputFifoLength)))
            << log.back();
    }
}

TEST_F(AdcModuleChoice, OneModuleUpARealRunStreamsThatModule) {
    for (const bool usb3000 : {false, true}) {
        SCOPED_TRACE(usb3000 ? "USB3000" : "Quev");
        TearDown();
        SetUp();
        views.clear();
        BringUp(!usb3000, usb3000);
        Choose({});
        Run(3);
        EXPECT_TRUE(frontEnd.Messages().empty());
        // Block 0, the three drawn and the one queued behind the last, which the stop cancels.
        EXPECT_EQ(Calls(ModuleKind::Quev, "ReadData"), usb3000 ? 0 : 5);
        EXPECT_EQ(Calls(ModuleKind::Usb3000, "ReadData"), usb3000 ? 5 : 0);
        EXPECT_EQ(Log().back().rfind("REAL,  ", 0), 0u);
        const uint16_t fifo = usb3000 ? sim::defaults::kUsb3000InputFifoLength : sim::defaults::kQuevInputFifoLength;
        EXPECT_TRUE(Log().back().ends_with(",  Fifo=" + std::to_string(fifo))) << Log().back();
    }
}

} // namespace
} // namespace adctest
