// The metrology page's synthesised signals, pressed as the operator does.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/window/RedrawTestForm.h"

namespace {

class MetrologSignals : public redraw_test::RedrawForm {
protected:
    // Three channels of something recorded before, to see what a signal replaces or leaves.
    void SetUp() override {
        RedrawForm::SetUp();
        LoadRecord(3, 10, Tagged);
        ChartState.DataKind = kKindTimeData;
        SampleData.DataRate = 25;
        SampleData.DataMvPerCode = 0.3125;
        form->ComboBoxMetKoef->SetItemIndex(0);
    }
    void ExpectEarlierRecordKept() const {
        EXPECT_EQ(SampleData.DataChannels, 3);
        EXPECT_EQ(SampleData.FrameCount, 10);
        EXPECT_EQ(SampleData.SampleBuffer.size(), 30u);
        EXPECT_EQ(SampleData.SampleBuffer[29], Tagged(9, 2));
        EXPECT_EQ(ChartState.DataKind, kKindTimeData) << "still described as recorded";
        EXPECT_EQ(SampleData.DataRate, 25);
        EXPECT_EQ(SampleData.DataMvPerCode, 0.3125);
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : frontEnd.Messages()) texts.push_back(m.Text);
        return texts;
    }
};

TEST_F(MetrologSignals, DefaultSineReplacesTheRecordWithOneChannelAndIsShown) {
    form->SpeedButtonMetSin->Click();
    EXPECT_EQ(ChartState.DataKind, kKindMetSignal);
    EXPECT_EQ(SampleData.DataRate, 5.0);
    EXPECT_EQ(SampleData.DataChannels, 1) << "readers of the buffer stay within the signal";
    EXPECT_EQ(SampleData.SampleCount, 5000);
    EXPECT_EQ(SampleData.FrameCount, 5000);
    ASSERT_EQ(SampleData.SampleBuffer.size(), 5000u);
    EXPECT_EQ(SampleData.SampleBuffer[1250], 1600);
    EXPECT_EQ(SampleData.SampleBuffer[3750], 0);
    EXPECT_EQ(ChartState.YMultiplier, 1.25);
    EXPECT_EQ(MetrologySettings.MetHarmCount, 1);
    EXPECT_EQ(MetrologySettings.MetHarmonics[100], 1000.0);
    EXPECT_EQ(SeriesNo(1).Count(), 5000) << "the chart shows the signal";

    // The DAC range, an empty harmonic list and the constant button.
    form->ComboBoxMetKoef->Select(4);
    form->MemoMetGarm->Lines().Clear();
    form->SpeedButtonMetSquare->Click();
    EXPECT_EQ(ChartState.YMultiplier, 0.625);
    EXPECT_EQ(SampleData.SampleBuffer, std::vector<std::int16_t>(5000, 1600)) << "the constant alone";
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(MetrologSignals, RefusedSignalsLeaveTheRecordInMemory) {
    struct Case {
        const char* what;
        std::vector<std::string> harmonics;
        const char* time;
        const char* message;
    } cases[] = {
        {"101 harmonics", std::vector<std::string>(101, "1 1 0"), "1", "Гармоник не более 100 !"},
        {"more samples than the counters hold", {"1 1000 0"}, "1e6", "Слишком длинный сигнал !"},
        {"two blanks", {"1  1000 0"}, "1", "' ' is not a valid floating point value"},
        {"missing phase", {"1 1000"}, "1", "'' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        frontEnd.ClearMessages();
        form->MemoMetGarm->Lines().Assign(c.harmonics);
        form->EditMetTime->Type(c.time);
        form->SpeedButtonMetConst->Click();
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{c.message});
        ExpectEarlierRecordKept();
    }
    // 100 lines are still taken, and decimals typed with a comma.
    form->MemoMetGarm->Lines().Assign(std::vector<std::string>(100, "1 0,5 0"));
    form->EditMetTime->Type("0,01");
    form->SpeedButtonMetSin->Click();
    EXPECT_EQ(MetrologySettings.MetHarmCount, 100);
    EXPECT_EQ(MetrologySettings.MetHarmonics[100], 0.5);
    EXPECT_EQ(SampleData.SampleCount, 50);
}

}  // namespace
