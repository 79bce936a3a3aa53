// Units and screen ranges the acquisition page's combo boxes give the chart.

#include "tests/window/RedrawTestForm.h"
#include "window/AxisUnits.h"

namespace {

class AxisUnits : public redraw_test::RedrawForm {
protected:
    void SetUp() override {
        RedrawForm::SetUp();
        ChartState.DataKind = kKindTimeData;
        SampleData.DataChannels = 4;
        SampleData.DataRate = 400;
    }
};

TEST_F(AxisUnits, YUnitsFollowTheScaleOfTheDataInMemoryWhicheverModulesAreUp) {
    struct Case {
        int item;
        double mvPerCode;
        double multiplier;
        const char* format;
    };
    const char* mv = "# ##0.###### мВ";
    const char* v = "# ##0.###### В";
    const Case cases[] = {
        {1, 0.078125, 0.078125, mv}, {1, 0.625, 0.625, mv},        {1, 1.25, 1.25, mv},
        {2, 0.01953125, 1.953125e-5, v}, {2, 0.625, 0.000625, v}, {0, 0.01953125, 1.0, "# ##0.######"},
    };
    for (const bool quev : {false, true}) {
        for (const bool usb3000 : {false, true}) {
            for (const Case& c : cases) {
                SCOPED_TRACE(testing::Message() << c.item << " " << c.mvPerCode << " " << quev << usb3000);
                ModuleState.QuevPresent = quev;
                ModuleState.Usb3000Present = usb3000;
                SampleData.DataGain = 2;
                SampleData.DataMvPerCode = c.mvPerCode;
                form->ComboBoxY->SetItemIndex(-1);
                form->ComboBoxY->Select(c.item);
                EXPECT_EQ(ChartState.YMultiplier, c.multiplier);
                EXPECT_EQ(SeriesNo(16).YMultiplier(), c.multiplier);
                EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), c.format);
            }
        }
    }
}

TEST_F(AxisUnits, ScreenRangeIsARangeInCodesTimesTheYMultiplier) {
    ChartState.YMultiplier = 1.25;
    const ui::Axis& left = form->Chart->LeftAxis();
    const double ranges[][3] = {
        {2, -2605, 2600}, {1, -10401.25, 10400}, {4, -163.75, 162.5}, {3, -651.25, 650}};
    for (const auto& [item, minimum, maximum] : ranges) {
        form->ComboBoxC->Select(static_cast<int>(item));
        EXPECT_FALSE(left.Automatic());
        EXPECT_EQ(left.Minimum(), minimum);
        EXPECT_EQ(left.Maximum(), maximum);
    }
    form->ComboBoxC->Select(0);
    EXPECT_TRUE(left.Automatic());

    form->ComboBoxC->Select(1);
    form->ComboBoxY->Select(2); // a new unit takes the fixed range along: volts of neither module
    EXPECT_DOUBLE_EQ(left.Minimum(), -8321 * 0.00125);
    EXPECT_DOUBLE_EQ(left.Maximum(), 8320 * 0.00125);
}

TEST_F(AxisUnits, XUnitsConvertFramesAndARecordWithoutRateKeepsTheMultiplier) {
    struct Case {
        int item;
        double multiplier;
        const char* format;
    };
    const Case cases[] = {{1, 0.01, "# ##0.######мс"},
                          {3, 4.0 / 400 / 60000, "# ##0.######м"},
                          {0, 1.0, "# ##0.######"},
                          {2, 1e-5, "# ##0.######с"}};
    for (const Case& c : cases) {
        form->ComboBoxX->Select(c.item);
        EXPECT_EQ(ChartState.XMultiplier, c.multiplier) << c.item;
        EXPECT_EQ(SeriesNo(16).XMultiplier(), c.multiplier) << c.item;
        EXPECT_EQ(form->Chart->BottomAxis().ValueFormat(), c.format) << c.item;
    }
    SampleData.DataRate = 0;
    form->ComboBoxX->Select(1);
    EXPECT_EQ(ChartState.XMultiplier, 1e-5);
    EXPECT_EQ(SeriesNo(1).XMultiplier(), 1e-5);
    EXPECT_EQ(form->Chart->BottomAxis().ValueFormat(), "# ##0.######с");
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
        EXPECT_EQ(SeriesNo(1).XMultiplier(), 1.0);
        EXPECT_EQ(SeriesNo(1).YMultiplier(), 1.0);
        form->ComboBoxC->Select(2);
        EXPECT_EQ(form->Chart->LeftAxis().Minimum(), -2605);
        form->ComboBoxC->SetItemIndex(-1);
    }
}

} // namespace
