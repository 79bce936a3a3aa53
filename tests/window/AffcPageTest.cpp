// The sweep page's rates and its start button without a DAC.

#include "tests/window/OpenSaveTestSupport.h"

namespace {

using AffcPageTest = OpenSaveTest;

TEST_F(AffcPageTest, RateBarsSetTheSweepRatesAndTheirCaptions) {
    const struct {
        ui::TrackBar* bar;
        int position;
        const double* rate;
        ui::GroupBox* box;
        double kHz;
        const char* caption;
    } cases[] = {
        {form->TrackBarAFFC_Qadc, 26, &FrequencyResponse.AfcAdcRate, form->GroupBoxAFFC_Qadc, 200, " АЦП :  200 кГц "},
        {form->TrackBarAFFC_Qadc, 13, &FrequencyResponse.AfcAdcRate, form->GroupBoxAFFC_Qadc, 40, " АЦП :  40 кГц "},
        {form->TrackBarAFFC_Qadc, 1, &FrequencyResponse.AfcAdcRate, form->GroupBoxAFFC_Qadc, 5, " АЦП :  5 кГц "},
        {form->TrackBarAFFC_Qdac, 15, &FrequencyResponse.AfcDacRate, form->GroupBoxAFFC_Qdac, 125, " ЦАП :  125 кГц "},
        {form->TrackBarAFFC_Qdac, 11, &FrequencyResponse.AfcDacRate, form->GroupBoxAFFC_Qdac, 40, " ЦАП :  40 кГц "},
        {form->TrackBarAFFC_Qdac, 1, &FrequencyResponse.AfcDacRate, form->GroupBoxAFFC_Qdac, 1, " ЦАП :  1 кГц "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        c.bar->MoveTo(c.position);
        EXPECT_EQ(*c.rate, c.kHz);
        EXPECT_EQ(c.box->Caption(), c.caption);
    }
}

TEST_F(AffcPageTest, StartWithoutADacChangesNoFlagStartsNoWorkerAndLeavesTheButtonUp) {
    ModuleState.QuevDacPresent = 0;
    form->SpeedButtonAFFC->Click();
    EXPECT_EQ(ThreadControl.AfcRunning, 0);
    EXPECT_EQ(ThreadControl.AfcSetup, 0);
    EXPECT_EQ(ThreadControl.DacWorker, nullptr);
    EXPECT_FALSE(form->SpeedButtonAFFC->Down()) << "a sweep refused leaves the button up";
    EXPECT_TRUE(form->Chart->Enabled());
    // A flag a failed sweep left behind is cleared by the next press all the same.
    ThreadControl.AfcRunning = 1;
    form->SpeedButtonAFFC->Click();
    EXPECT_EQ(ThreadControl.AfcRunning, 0);
    EXPECT_FALSE(form->SpeedButtonAFFC->Down());
}

} // namespace
