// Units and screen ranges the acquisition page's combo boxes give the chart.

#include "tests/window/RedrawTestForm.h"
#include "window/AxisUnits.h"

namespace {

using redraw_test::RedrawForm;

class AxisUnits : public RedrawForm {
protected:
    void SetUp() override {
        RedrawForm::SetUp();
        ChartState.DataKind = kKindTimeData;
        SampleData.DataChannels = 4;
        SampleData.DataRate = 400;
    }
    void ExpectEverySeries(double x, double y) {
        for (int s = 1; s <= 16; ++s) {
            EXPECT_EQ(SeriesNo(s).XMultiplier(), x) << s;
            EXPECT_EQ(SeriesNo(s).YMultiplier(), y) << s;
        }
    }
};

TEST_F(AxisUnits, MillivoltsFollowTheModulesUpAndTheQuevRange) {
    struct Case {
        bool quev, usb3000;
        int gain;
        double multiplier;
    };
    const Case cases[] = {{true, false, 2, 0.078125}, {false, true, 2, 0.625},
                          {false, true, 0, 0.625},    {true, true, 2, 0.0390625},
                          {false, false, 3, 1.25},    {true, false, 0, 1.25}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.quev << c.usb3000 << c.gain);
        ModuleState.QuevPresent = c.quev;
        ModuleState.Usb3000Present = c.usb3000;
        SampleData.DataGain = static_cast<std::uint8_t>(c.gain);
        form->ComboBoxY->Select(1);
        EXPECT_EQ(ChartState.YMultiplier, c.multiplier);
        EXPECT_EQ(SeriesNo(16).YMultiplier(), c.multiplier);
        EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### мВ");
    }
    ModuleState.QuevPresent = true;
    ModuleState.Usb3000Present = false;
    SampleData.DataGain = 3;
    form->ComboBoxY->Select(2);
    EXPECT_EQ(ChartState.YMultiplier, 1.953125e-5);
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### В");
    form->ComboBoxY->Select(0);
    EXPECT_EQ(ChartState.YMultiplier, 1.0);
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.######");
}

TEST_F(AxisUnits, ScreenRangeIsTheRangeInCodesTimesTheYMultiplier) {
    ChartState.YMultiplier = 1.25;
    const ui::Axis& left = form->Chart->LeftAxis();
    form->ComboBoxC->Select(2);
    EXPECT_FALSE(left.Automatic());
    EXPECT_EQ(left.Minimum(), -2605);
    EXPECT_EQ(left.Maximum(), 2600);
    form->ComboBoxC->Select(1);
    EXPECT_EQ(left.Minimum(), -10401.25);
    EXPECT_EQ(left.Maximum(), 10400);
    form->ComboBoxC->Select(4);
    EXPECT_EQ(left.Minimum(), -163.75);
    EXPECT_EQ(left.Maximum(), 162.5);
    form->ComboBoxC->Select(3);
    EXPECT_EQ(left.Minimum(), -651.25);
    form->ComboBoxC->Select(0);
    EXPECT_TRUE(left.Automatic());
    EXPECT_EQ(left.Minimum(), -651.25); // the fixed range is kept for later
}

TEST_F(AxisUnits, FixedScreenRangeFollowsANewYUnit) {
    form->ComboBoxC->Select(1);
    form->ComboBoxY->Select(2); // volts, neither module up: 0.00125 V per code
    EXPECT_DOUBLE_EQ(form->Chart->LeftAxis().Minimum(), -8321 * 0.00125);
    EXPECT_DOUBLE_EQ(form->Chart->LeftAxis().Maximum(), 8320 * 0.00125);
}

TEST_F(AxisUnits, XUnitsConvertFramesToTheChosenUnit) {
    form->ComboBoxX->Select(1);
    EXPECT_EQ(ChartState.XMultiplier, 0.01);
    EXPECT_EQ(form->Chart->BottomAxis().ValueFormat(), "# ##0.######мс");
    form->ComboBoxX->Select(2);
    EXPECT_EQ(ChartState.XMultiplier, 1e-5);
    EXPECT_EQ(form->Chart->BottomAxis().ValueFormat(), "# ##0.######с");
    form->ComboBoxX->Select(3);
    EXPECT_EQ(ChartState.XMultiplier, 4.0 / 400 / 60000);
    EXPECT_EQ(form->Chart->BottomAxis().ValueFormat(), "# ##0.######м");
    ExpectEverySeries(4.0 / 400 / 60000, 1.0);
    form->ComboBoxX->Select(0);
    EXPECT_EQ(ChartState.XMultiplier, 1.0);
    EXPECT_EQ(form->Chart->BottomAxis().ValueFormat(), "# ##0.######");
}

TEST_F(AxisUnits, RecordWithoutRateKeepsTheTimeMultiplier) {
    form->ComboBoxX->Select(2);
    SampleData.DataRate = 0;
    form->ComboBoxX->Select(1);
    EXPECT_EQ(ChartState.XMultiplier, 1e-5);
    EXPECT_EQ(SeriesNo(1).XMultiplier(), 1e-5);
}

TEST_F(AxisUnits, PlaybackModesIgnoreTheUnitCombosButNotTheScreenRange) {
    for (std::uint8_t kind : {kKindDshkData, kKindDacBuffer, kKindPlaybackData}) {
        SCOPED_TRACE(int(kind));
        ChartState = {};
        ChartState.DataKind = kind;
        ChartState.YMultiplier = 1.25;
        form->ComboBoxX->Select(2);
        form->ComboBoxY->Select(1);
        EXPECT_EQ(ChartState.XMultiplier, 0);
        EXPECT_EQ(ChartState.YMultiplier, 1.25);
        ExpectEverySeries(1.0, 1.0);
        form->ComboBoxC->Select(2);
        EXPECT_EQ(form->Chart->LeftAxis().Minimum(), -2605);
        form->ComboBoxC->SetItemIndex(-1);
    }
}

} // namespace
