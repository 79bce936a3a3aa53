// The metrology recording on the simulated bench, and the page's rate bars.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Numbers.h"
#include "tests/window/BenchFormTestSupport.h"
#include "ui/MessageFlags.h"

namespace {

using bench_form_test::kNowText;
using sim::Bench;
using sim::ModuleKind;

class MetrologRecord : public bench_form_test::BenchForm {
protected:
    // 1000 mV with a 50 Hz ripple of 300 mV on the input channel 0 reads; one second holds whole
    // periods of the ripple, so the mean is the level.
    void SetUp() override {
        BenchForm::SetUp();
        sim::InputSignal level;
        level.Kind = sim::SignalKind::Sines;
        level.OffsetMv = 1000;
        level.Harmonics = {{50, 300, 0}};
        Bench().SetInput(0, level);
    }
    std::vector<std::string> Log() const { return form->Memo->Lines().Strings(); }
};

TEST_F(MetrologRecord, OneSecondOfOneChannelGivesItsMeanAsTitleAndLogLine) {
    BringUp(true, false);
    form->ComboBoxMetKoef->Select(1);
    BlockRing.BlockCount = 7;
    form->SpeedButtonMetRecord->Click();
    ASSERT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(ChartState.DataKind, kKindMetRecording);
    EXPECT_EQ(SampleData.DataChannels, 1);
    EXPECT_EQ(SampleData.DataGain, 1);
    EXPECT_EQ(SampleData.FrameCount, 8000);
    EXPECT_EQ(ChartState.YMultiplier, 0.3125);
    EXPECT_NEAR(MetrologySettings.MetResult, 1000, 0.01);
    EXPECT_EQ(SampleData.DataFileName, "Среднее арифм. " + platform::FloatToStr(MetrologySettings.MetResult));
    EXPECT_EQ(form->Chart->TitleText(), SampleData.DataFileName);
    EXPECT_EQ(Log(), std::vector<std::string>{std::string("LONG,  Сбор данных  ") + kNowText +
                                              ",  Q=8кГц,  N=1,  K=1,  NB=1,  RBA=8000,  ND=8000,  NK=8000"});
    EXPECT_EQ(BlockRing.BlockCount, 7) << "the acquisition page's block count stays";
    const QUEV_INPUT_PARS pars = Bench().LastQuevInputPars();
    EXPECT_EQ(pars.ChannelsQuantity, 1);
    EXPECT_EQ(pars.InputRate, 8);
    EXPECT_EQ(pars.ControlTable[0], 79);
    // The mean stands as the last point, in codes.
    const ui::Series& series = *form->Series1;
    ASSERT_EQ(series.Count(), 8001);
    EXPECT_EQ(series.XValues()[8000], 8000);
    EXPECT_NEAR(series.YValues()[8000], 3200, 0.05);
}

TEST_F(MetrologRecord, RecordingIsRefusedWithoutTheModuleOnTheDacRangeAndStopsAtAFailure) {
    BringUp(false, true);
    form->SpeedButtonMetRecord->Click();
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);

    ReleaseModulesAtShutdown();
    BringUp(true, false);
    form->ComboBoxMetKoef->Select(4);
    form->SpeedButtonMetRecord->Click();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Выберите диапазон АЦП !"});
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
    EXPECT_EQ(Calls(ModuleKind::Quev, "SET_INPUT_PARS"), 0);

    frontEnd.ClearMessages();
    form->ComboBoxMetKoef->Select(0);
    Bench().FailOnCall(ModuleKind::Quev, "START_READ", 1);
    form->SpeedButtonMetRecord->Click();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Не могу запустить АЦП!"});
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(SampleData.DataFileName, "") << "no mean";
    EXPECT_EQ(ModuleState.QuevPresent, 0);
}

TEST_F(MetrologRecord, RateBarsSetTheRatesAndTheirCaptions) {
    struct Case {
        ui::TrackBar* bar;
        int position;
        const double* rate;
        ui::GroupBox* box;
        double expected;
        const char* caption;
    } cases[] = {
        {form->TrackBarMetQadc, 33, &MetrologySettings.MetAdcRate, form->GroupBoxMetQadc, 400, " АЦП :  400 кГц "},
        {form->TrackBarMetQdac, 15, &MetrologySettings.MetDacRate, form->GroupBoxMetQdac, 125, " ЦАП :  125 кГц "},
    };
    for (const Case& c : cases) {
        c.bar->MoveTo(c.position);
        EXPECT_EQ(*c.rate, c.expected);
        EXPECT_EQ(c.box->Caption(), c.caption);
    }
    // The next signal is synthesised at the chosen rate; a negative time gives no samples.
    form->TrackBarMetQadc->MoveTo(4);
    form->EditMetTime->Type("0.5");
    form->SpeedButtonMetSin->Click();
    EXPECT_EQ(SampleData.DataRate, 10);
    EXPECT_EQ(SampleData.SampleCount, 5000);
    form->EditMetTime->Type("-2");
    form->SpeedButtonMetSin->Click();
    EXPECT_EQ(SampleData.SampleCount, 0);
    EXPECT_TRUE(SampleData.SampleBuffer.empty());
}

}  // namespace
