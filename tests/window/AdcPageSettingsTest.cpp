// The acquisition page's choices: the real-time size limits enforced by the track bars stepping
// each other back (nested in their handlers), and what each choice writes and marks.

#include <string>

#include "tests/window/RedrawTestForm.h"
#include "window/pages/AdcPage.h"

namespace {

class AdcPageSettings : public redraw_test::RedrawForm {
protected:
    // Channels, rate and time set as the settings file sets them: control first, then its
    // handler, with the limits off so that the starting point is taken as it is.
    void Prepare(bool usb3000, bool longMode, int channels, int ratePosition, int timePosition) {
        ModuleState.Usb3000Present = usb3000 ? 1 : 0;
        AcquisitionSettings.LongMode = 1;
        form->ComboBoxN->SetItemIndex(channels - 1);
        form->ComboBoxNChange(nullptr);
        form->TrackBarQ->SetPosition(ratePosition);
        form->TrackBarQChange(nullptr);
        form->TrackBarT->SetPosition(timePosition);
        form->TrackBarTChange(nullptr);
        AcquisitionSettings.LongMode = longMode ? 1 : 0;
        ThreadControl.AcqParamsChanged = 0;
    }
    void ExpectChoice(int ratePosition, double rate, int timePosition, double time) const {
        EXPECT_EQ(form->TrackBarQ->Position(), ratePosition);
        EXPECT_EQ(AcquisitionSettings.AdcRate, rate);
        EXPECT_EQ(form->TrackBarT->Position(), timePosition);
        EXPECT_EQ(AcquisitionSettings.AdcTime, time);
    }
};

struct Cascade {
    const char* name;
    bool usb3000;
    bool longMode;
    int channels, ratePosition, timePosition;
    bool movesRate;  // else the time bar
    int target;
    int endRatePosition;
    double endRate;
    int endTimePosition;
    double endTime;
    const char* rateCaption;
    const char* timeCaption;
};

const Cascade kCascades[] = {
    {"16 channels, rate to the top: time steps back, then the rate", false, false, 16, 1, 12, true, 33, 32, 375,
     10, 0.5, " Частота :  375 кГц ", " Время :  0.5 с "},
    {"1 channel at 400 kHz, time to the top", false, false, 1, 33, 12, false, 25, 32, 375, 17, 7,
     " Частота :  375 кГц ", " Время :  7 с "},
    {"1 channel at 5 kHz, time to the top: only the 10 s limit", false, false, 1, 1, 12, false, 25, 1, 5, 18, 10,
     " Частота :  5 кГц ", " Время :  10 с "},
    // Each nested handler leaves the product lower than its caller saw it: a loop that keeps
    // testing its own stale values steps far lower than 192 kHz at 0.7 s.
    {"16 channels at 400 kHz and 0.01 s, time to the top", false, false, 16, 33, 1, false, 25, 26, 192, 11, 0.7,
     " Частота :  192 кГц ", " Время :  0.7 с "},
    {"USB3000, 2 channels at 1 s, rate to the top", true, false, 2, 1, 12, true, 33, 32, 2000, 11, 0.7,
     " Частота :  2 МГц ", " Время :  0.7 с "},
    {"USB3000, 1 channel at 1 s: 3000 kHz fits", true, false, 1, 1, 12, true, 33, 33, 3000, 12, 1,
     " Частота :  3 МГц ", " Время :  1 с "},
    {"long mode has no window limit", false, true, 16, 1, 12, true, 33, 33, 400, 12, 1, " Частота :  400 кГц ",
     " Время :  1 с "},
    {"long mode keeps 200 s", false, true, 1, 33, 12, false, 25, 33, 400, 25, 200, " Частота :  400 кГц ",
     " Время :  200 с "},
};

TEST_F(AdcPageSettings, TrackBarsStepBackUntilTheRealTimeWindowFits) {
    for (const Cascade& c : kCascades) {
        SCOPED_TRACE(c.name);
        Prepare(c.usb3000, c.longMode, c.channels, c.ratePosition, c.timePosition);
        (c.movesRate ? form->TrackBarQ : form->TrackBarT)->MoveTo(c.target);
        ExpectChoice(c.endRatePosition, c.endRate, c.endTimePosition, c.endTime);
        EXPECT_EQ(form->GroupBoxQ->Caption(), c.rateCaption);
        EXPECT_EQ(form->GroupBoxT->Caption(), c.timeCaption);
        EXPECT_EQ(ThreadControl.AcqParamsChanged, 1);
    }
}

TEST_F(AdcPageSettings, MoreChannelsStepTheTimeBackOnceInEitherMode) {
    for (const bool longMode : {false, true}) {
        SCOPED_TRACE(longMode ? "long" : "real");
        Prepare(false, longMode, 1, 33, 12);
        form->ComboBoxN->Select(1);
        EXPECT_EQ(AcquisitionSettings.AdcChannels, 2);
        ExpectChoice(33, 400, 11, 0.7);
    }
    // Once only: 16 channels at 400 kHz and 0.5 s are still far above the step's threshold.
    form->ComboBoxN->Select(15);
    ExpectChoice(33, 400, 10, 0.5);
}

TEST_F(AdcPageSettings, RealModeStartsFromTheLowestRateAndOneSecond) {
    Prepare(false, true, 1, 33, 20);
    form->ComboBoxR->Select(0);
    EXPECT_EQ(AcquisitionSettings.LongMode, 0);
    EXPECT_TRUE(form->ComboBoxM->Enabled());
    ExpectChoice(1, 5, 12, 1);

    form->ComboBoxR->Select(1);
    EXPECT_EQ(AcquisitionSettings.LongMode, 1);
    EXPECT_FALSE(form->ComboBoxM->Enabled());

    // Already at the start positions: no bar moves, so nothing is marked changed.
    ThreadControl.AcqParamsChanged = 0;
    form->ComboBoxR->Select(0);
    EXPECT_EQ(ThreadControl.AcqParamsChanged, 0);
}

TEST_F(AdcPageSettings, OnlyChoicesOfTheModuleSetUpMarkTheSettingsChanged) {
    struct Choice {
        ui::ComboBox* TForma::*box;
        int index;
        bool marks;
    };
    const Choice choices[] = {
        {&TForma::ComboBoxK, 2, true},   {&TForma::ComboBoxM, 4, true},  {&TForma::ComboBoxN, 0, true},
        {&TForma::ComboBoxC, 0, false},  {&TForma::ComboBoxX, 1, false}, {&TForma::ComboBoxY, 1, false},
        {&TForma::ComboBoxFFTBit, 3, false}, {&TForma::ComboBoxR, 1, false},
    };
    for (const Choice& choice : choices) {
        ThreadControl.AcqParamsChanged = 0;
        ((*form).*choice.box)->Select(choice.index);
        EXPECT_EQ(ThreadControl.AcqParamsChanged, choice.marks ? 1 : 0) << ((*form).*choice.box)->Name();
    }
    EXPECT_EQ(BlockRing.BlockCount, 20);
    EXPECT_EQ(AcquisitionSettings.FftBits, 13);
}

TEST_F(AdcPageSettings, LiveSpectrumButtonSwitchesOnlyBetweenTimeDataAndSpectrum) {
    struct Press {
        uint8_t kindBefore;
        uint8_t kindAfter;
        uint8_t fftRealTime;
    };
    // Each press toggles the button: down, up, down, up.
    const Press presses[] = {{kKindTimeData, kKindSpectrum, 1},
                             {kKindSpectrum, kKindTimeData, 0},
                             {kKindHarmonics, kKindHarmonics, 1},
                             {kKindHarmonics, kKindHarmonics, 0}};
    for (const Press& p : presses) {
        ChartState.DataKind = p.kindBefore;
        form->StatusBar->SetPanelText(1, "");
        form->SpeedButtonFFTReal->Click();
        EXPECT_EQ(ChartState.DataKind, p.kindAfter);
        EXPECT_EQ(ThreadControl.FftRealTime, p.fftRealTime);
        EXPECT_FALSE(form->StatusBar->Panel(1).Text.empty()) << "redrawn";
    }
}

}  // namespace
