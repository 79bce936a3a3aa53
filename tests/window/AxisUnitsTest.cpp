// Units and screen ranges the acquisition page's combo boxes give the chart.

#include "tests/window/RedrawTestForm.h"
#include "window/AxisUnits.h"
#include "window/Redraw.h"

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

TEST_F(AxisUnits, YUnitsScaleCodesByTheDataInMemoryAndOnlyRenameTablesInMillivolts) {
    struct Case {
        std::uint8_t kind;
        bool phases;
        int item;
        double mvPerCode;
        double multiplier;
        const char* format;
    };
    const char* mv = "# ##0.###### мВ";
    const char* v = "# ##0.###### В";
    const char* before = "# ##0.###### before";  // a view that is no voltage keeps its unit
    const Case cases[] = {
        {kKindTimeData, false, 1, 0.078125, 0.078125, mv},  {kKindTimeData, false, 1, 0.625, 0.625, mv},
        {kKindTimeData, false, 1, 1.25, 1.25, mv},          {kKindTimeData, false, 2, 0.01953125, 1.953125e-5, v},
        {kKindTimeData, false, 2, 0.625, 0.000625, v},      {kKindTimeData, false, 0, 0.01953125, 1.0, "# ##0.######"},
        {kKindHarmonics, false, 1, 0.625, 1, mv},           {kKindHarmonics, false, 2, 1.25, 0.001, v},
        {kKindHarmonics, false, 0, 1.25, 3, before},        {kKindHarmonics, true, 1, 1.25, 3, before},
        {kKindSequence, false, 1, 0.3125, 1, mv},           {kKindSequence, true, 2, 0.3125, 3, before},
        {kKindSweepAmplitudes, false, 2, 0.625, 0.001, v},  {kKindSweepGain, false, 1, 0.625, 3, before},
        {kKindPower, false, 1, 0.625, 3, before},
    };
    for (const bool quev : {false, true}) {
        for (const bool usb3000 : {false, true}) {
            for (const Case& c : cases) {
                SCOPED_TRACE(testing::Message() << int(c.kind) << (c.phases ? " phases " : " ") << c.item << " "
                                                << c.mvPerCode << " " << quev << usb3000);
                ModuleState.QuevPresent = quev;
                ModuleState.Usb3000Present = usb3000;
                ChartState.DataKind = c.kind;
                form->RadioButtonFurieAmpl->SetChecked(!c.phases);
                form->RadioButtonFurieFaza->SetChecked(c.phases);
                SampleData.DataGain = 2;
                SampleData.DataMvPerCode = c.mvPerCode;
                ChartState.YMultiplier = 3;
                redraw::SetSeriesY(3);
                form->Chart->LeftAxis().SetValueFormat(before);
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

TEST_F(AxisUnits, XUnitsConvertFramesOfTimeViewsAndARecordWithoutRateKeepsTheMultiplier) {
    struct Case {
        std::uint8_t kind;
        int item;
        double multiplier;
        const char* format;
    };
    const char* hertz = "# ##0.###### Гц"; // a view over frequency or table rows keeps its axis
    const Case cases[] = {{kKindTimeData, 1, 0.01, "# ##0.######мс"},
                          {kKindTimeData, 3, 4.0 / 400 / 60000, "# ##0.######м"},
                          {kKindCurrents, 0, 1.0, "# ##0.######"},
                          {kKindSweepData, 2, 1e-5, "# ##0.######с"},
                          {kKindHarmonics, 1, 3, hertz},
                          {kKindSequence, 2, 3, hertz},
                          {kKindSpectrum, 1, 3, hertz},
                          {kKindSweepGain, 2, 3, hertz},
                          {kKindPower, 1, 3, hertz}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << " " << c.item);
        ChartState.DataKind = c.kind;
        ChartState.XMultiplier = 3;
        redraw::SetSeriesX(3);
        form->Chart->BottomAxis().SetValueFormat(hertz);
        form->ComboBoxX->SetItemIndex(-1);
        form->ComboBoxX->Select(c.item);
        EXPECT_EQ(ChartState.XMultiplier, c.multiplier);
        EXPECT_EQ(SeriesNo(16).XMultiplier(), c.multiplier);
        EXPECT_EQ(form->Chart->BottomAxis().ValueFormat(), c.format);
    }
    ChartState.DataKind = kKindTimeData;
    form->ComboBoxX->Select(2);
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
