// The options dialog: values of every channel at a typed position, fixed axis ranges, fonts.

#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "BringUpFixture.h"

namespace {

using Lines = std::vector<std::string>;

class OptionsDialog : public BringUpFixture {
protected:
    void SetUp() override {
        BringUpFixture::SetUp();
        CreateOptions();
        // Two channels; rows 11, 12 and 13 hold 10, 20, 30 on channel 1 and -5, 0, 5 on channel 2.
        SampleData.DataChannels = 2;
        SampleData.SampleBuffer.assign(2 * 20, 0);
        const int16_t rows[][2] = {{10, -5}, {20, 0}, {30, 5}};
        for (int k = 0; k < 3; ++k) {
            SampleData.SampleBuffer[2 * (11 + k)] = rows[k][0];
            SampleData.SampleBuffer[2 * (11 + k) + 1] = rows[k][1];
        }
        SampleData.FrameCount = 20;
        ChartState.DataKind = kKindTimeData;
        ChartState.XMultiplier = 1;
        ChartState.YMultiplier = 1;
    }

    Lines TypeZ(const std::string& text) {
        option->EditZ->Type(text);
        return option->MemoZ->Lines().Strings();
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : frontEnd.Messages()) texts.push_back(m.Text);
        return texts;
    }
};

TEST(FilterNumberText, KeepsDigitsALeadingMinusAndTheFirstPointOrComma) {
    const std::pair<const char*, const char*> cases[] = {
        {"12.5.3", "12.53"}, {"5-", "5"}, {"a1b2", "12"}, {"-7", "-7"},   {"--5", "-5"},
        {"1,5", "1,5"},      {"1,5.3", "1,53"}, {"1.5,3", "1.53"}, {"", ""}};
    for (const auto& [typed, kept] : cases) EXPECT_EQ(FilterNumberText(typed), kept) << typed;
    EXPECT_EQ(FilterNumberText(std::string(300, '1') + "x").size(), 300u) << "long texts are read whole";
}

TEST_F(OptionsDialog, ValuesOfTimeDataAtARowOrBetweenTwoRowsShownOnce) {
    // The filtered text is written back; the values appear once all the same.
    EXPECT_EQ(TypeZ("12a"), (Lines{"Значение в этой точке существует!", "1.  -1:  зн. 11   рез. 10",
                                  "1.   0:  зн. 12   рез. 20", "1. +1:  зн. 13   рез. 30", "2.  -1:  зн. 11   рез. -5",
                                  "2.   0:  зн. 12   рез. 0", "2. +1:  зн. 13   рез. 5"}));
    EXPECT_EQ(option->EditZ->Text(), "12");
    EXPECT_EQ(TypeZ("12.5"), (Lines{"Значения в этой точке НЕ существует!", "1.  -1:  зн. 12   рез. 20",
                                    "1.   0:  зн. 12.5   рез. 25", "1. +1:  зн. 13   рез. 30",
                                    "2.  -1:  зн. 12   рез. 0", "2.   0:  зн. 12.5   рез. 2.5",
                                    "2. +1:  зн. 13   рез. 5"}));
    EXPECT_EQ(TypeZ("12,5"), TypeZ("12.5")) << "a decimal comma points at the same place";

    ChartState.XMultiplier = 0.5;
    ChartState.YMultiplier = 1.25;
    EXPECT_EQ(TypeZ("6")[1], "1.  -1:  зн. 5.5   рез. 12.5");
}

TEST_F(OptionsDialog, OnlyRowsTheDataHoldAreShown) {
    struct Case {
        const char* typed;
        Lines channel1;  // the lines of channel 1 after the header
    };
    // EditZ starts at "0": the first case types something else.
    const Case cases[] = {
        {"500", {}},
        {"0", {"1.   0:  зн. 0   рез. 0", "1. +1:  зн. 1   рез. 0"}},
        {"19", {"1.  -1:  зн. 18   рез. 0", "1.   0:  зн. 19   рез. 0"}},
        {"19.5", {"1.  -1:  зн. 19   рез. 0"}},
        {"20", {"1.  -1:  зн. 19   рез. 0"}},
        {"-1.5", {"1. +1:  зн. 0   рез. 0"}},
        {"-0.5", {"1.  -1:  зн. 0   рез. 0", "1.   0:  зн. -0.5   рез. 0", "1. +1:  зн. 1   рез. 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Lines lines = TypeZ(c.typed);
        ASSERT_FALSE(lines.empty());
        Lines channel1;
        for (const std::string& line : lines) {
            if (line.starts_with("1.")) channel1.push_back(line);
        }
        EXPECT_EQ(channel1, c.channel1);
        EXPECT_EQ(lines.size(), 1 + 2 * c.channel1.size());
    }
}

TEST_F(OptionsDialog, HarmonicsShowAmplitudesThenPhasesOfEachChannelAtAPositionInHertz) {
    ChartState.DataKind = kKindHarmonics;
    SampleData.DataChannels = 1;
    // 10 kHz over a window of 200 frames: the rows lie 50 Hz apart, whatever the time view's
    // multiplier (1) was.
    SampleData.DataRate = 10;
    AnalysisResults.FourierCount = 200;
    AnalysisResults.AnalysisInterval = 1;
    AnalysisResults.AmpTable = {1, 2, 4, 8};
    AnalysisResults.PhaseTable = {10, 20, 40};  // a row short: rows 0 to 2 exist
    ChartState.YMultiplier = 2;
    // Amplitudes in the unit of the Y axis, phases in degrees whatever that unit is.
    EXPECT_EQ(TypeZ("62.5"),
              (Lines{"Значения в этой точке НЕ существует!", "1.  -1:  Ampl. 50   рез. 4", "1.   0:  Ampl. 62.5   рез. 5",
                     "1.  +1:  Ampl. 100   рез. 8", "1.  -1:  Faza. 50   рез. 20", "1.   0:  Faza. 62.5   рез. 25",
                     "1.  +1:  Faza. 100   рез. 40"}));
    EXPECT_EQ(TypeZ("100"), (Lines{"Значение в этой точке существует!", "1.  -1:  Ampl. 50   рез. 4", "1.   0:  Ampl. 100   рез. 8",
                                   "1.  -1:  Faza. 50   рез. 20", "1.   0:  Faza. 100   рез. 40"}));
    // The Fourier series' radians read in degrees, as the phase view shows them.
    AnalysisResults.PhasesInRadians = true;
    AnalysisResults.PhaseTable = {0, std::numbers::pi / 4, std::numbers::pi / 2};
    EXPECT_EQ(TypeZ("100.0")[4], "1.   0:  Faza. 100   рез. 90");
}

TEST_F(OptionsDialog, NothingIsShownWithoutDataOfAPointOrAScale) {
    const std::pair<uint8_t, double> cases[] = {
        {kKindEmpty, 1}, {kKindSpectrum, 1}, {kKindSweepData, 1}, {kKindTimeData, 0}, {kKindHarmonics, 0}};
    for (const auto& [kind, xMultiplier] : cases) {
        SCOPED_TRACE(int(kind));
        TypeZ("3");
        ChartState.DataKind = kind;
        ChartState.XMultiplier = xMultiplier;
        EXPECT_TRUE(TypeZ("12").empty());
    }
    // Harmonics read from a file whose window has no interval: rows without a step in hertz.
    SampleData.DataRate = 10;
    AnalysisResults.FourierCount = 4;
    AnalysisResults.AnalysisInterval = 0;
    AnalysisResults.AmpTable.assign(6, 1.0);
    AnalysisResults.PhaseTable.assign(6, 1.0);
    EXPECT_EQ(TypeZ("0"), Lines{});
    EXPECT_TRUE(MessageTexts().empty());

    // A text that is no number: the conversion error, the memo already cleared.
    ChartState.DataKind = kKindTimeData;
    ChartState.XMultiplier = 1;
    TypeZ("12");
    EXPECT_TRUE(TypeZ("-").empty());
    EXPECT_TRUE(TypeZ("x").empty());
    EXPECT_EQ(option->EditZ->Text(), "");
    EXPECT_EQ(MessageTexts(), (Lines{"'-' is not a valid floating point value", "'' is not a valid floating point value"}));
}

TEST_F(OptionsDialog, FixedRangesGoToTheChartAsTypedAndANonNumberLeavesTheAxis) {
    struct Case {
        ui::Edit* minimum;
        ui::Edit* maximum;
        ui::SpeedButton* button;
        ui::Axis& axis;
        double& kept;
    };
    const Case cases[] = {
        {option->EditCl0, option->EditCl1, option->SpeedButtonCl, form->Chart->BottomAxis(), OptionsPrivate.BottomAxisMax},
        {option->EditCh0, option->EditCh1, option->SpeedButtonCh, form->Chart->LeftAxis(), OptionsPrivate.LeftAxisMax},
    };
    for (const Case& c : cases) {
        c.button->Click();  // the initial 0 and 0, as they are
        EXPECT_FALSE(c.axis.Automatic());
        EXPECT_EQ(c.axis.Minimum(), 0);
        EXPECT_EQ(c.axis.Maximum(), 0);
        c.minimum->Type("10");
        c.maximum->Type("-20,5");
        c.button->Click();
        EXPECT_EQ(c.axis.Minimum(), 10);
        EXPECT_EQ(c.axis.Maximum(), -20.5);
        EXPECT_EQ(c.kept, -20.5);

        c.axis.SetAutomatic(true);
        c.maximum->Type("x");
        c.button->Click();
        EXPECT_TRUE(c.axis.Automatic());
        EXPECT_EQ(c.axis.Maximum(), -20.5);
    }
    EXPECT_EQ(MessageTexts(), (Lines{"'x' is not a valid floating point value", "'x' is not a valid floating point value"}));
}

TEST_F(OptionsDialog, FontSizesTakeEffectWhenTheEditIsLeft) {
    const int titleSize = form->Chart->TitleFont().Size;
    option->EditFT->Type("14");
    EXPECT_EQ(form->Chart->TitleFont().Size, titleSize) << "nothing before the edit is left";
    option->EditFX->Type("11");
    option->EditFY->Type("12");
    for (ui::Edit* edit : {option->EditFT, option->EditFX, option->EditFY}) edit->Leave();
    EXPECT_EQ(form->Chart->TitleFont().Size, 14);
    EXPECT_EQ(form->Chart->BottomAxis().LabelFontSize(), 11);
    EXPECT_EQ(form->Chart->LeftAxis().LabelFontSize(), 12);
    option->EditFT->Type("abc");
    option->EditFT->Leave();
    EXPECT_EQ(form->Chart->TitleFont().Size, 14);
    EXPECT_EQ(MessageTexts(), Lines{"'abc' is not a valid integer value"});
}

}  // namespace
