// The processing page's controls, the display choices of its radio pairs and its Y units.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/window/RedrawTestForm.h"
#include "state/State.h"

namespace {

class FuriePageControls : public redraw_test::RedrawForm {
protected:
    // Every redraw refreshes the status bar's memory panel; a marker there shows whether one ran.
    void MarkChart() { form->StatusBar->SetPanelText(1, "-"); }
    bool Redrawn() const { return form->StatusBar->Panel(1).Text != "-"; }
};

TEST_F(FuriePageControls, PageStartsWithTheWindowAndTheChoicesOfTheStation) {
    EXPECT_EQ(form->EditBeg->Text() + "/" + form->EditKol->Text(), "0/1000");
    EXPECT_FALSE(form->SpeedButtonPosl->Visible() || form->SpeedButtonAFC->Visible());
    EXPECT_EQ(form->SpeedButtonAFC->Hint(), "Амплитудо-частотная характеристика");
    EXPECT_TRUE(form->RadioButtonFurieAmpl->Checked() && form->RadioButton0GarmYes->Checked());
    for (ui::RadioButton* red : {form->RadioButtonFurieFaza, form->RadioButton0GarmNo}) {
        EXPECT_EQ(red->Font().Color, 255u) << red->Caption();
    }
    EXPECT_EQ(form->ComboBoxFurieY->Items().Strings(),
              (std::vector<std::string>{"мВ", "В", "А", "м/c2", "Н", "Н*м"}));
    EXPECT_EQ(form->ComboBoxFurieY->ItemIndex(), -1);
}

TEST_F(FuriePageControls, ChoosingTheOtherButtonSwapsColoursAndRedrawsResultsOnce) {
    MarkChart();
    form->RadioButtonFurieFaza->Click();
    EXPECT_EQ(form->RadioButtonFurieFaza->Font().Color, 0x8000u);
    EXPECT_EQ(form->RadioButtonFurieAmpl->Font().Color, 255u);
    EXPECT_FALSE(Redrawn()) << "no results yet";

    AnalysisResults.FourierCount = 4;
    form->RadioButton0GarmNo->Click();
    EXPECT_EQ(form->RadioButton0GarmYes->Font().Color, ui::clRed);
    EXPECT_TRUE(Redrawn());

    // The green button acts no more, even when its handler is run directly.
    MarkChart();
    form->RadioButton0GarmNo->Click();
    form->RadioButton0GarmNo->PerformClick();
    EXPECT_FALSE(Redrawn());
    EXPECT_EQ(form->RadioButton0GarmNo->Font().Color, ui::clGreen);
}

TEST_F(FuriePageControls, YUnitScalesTheDataInMemoryByTheirOwnScaleAndTablesNotTwice) {
    const double perMv[] = {1, 0.1, 0.01, 0.01, 0.005, 0.0012};
    const char* formats[] = {"# ##0.###### мВ", "# ##0.###### В", "# ##0.###### А",
                             "# ##0.###### м/c^2", "# ##0.###### Н", "# ##0.###### Н·м"};
    struct Case {
        std::uint8_t kind;
        double mvPerCode;
        double mvPerPoint;  // what one point of the view is worth
    };
    for (const Case& c : {Case{kKindTimeData, 1.25, 1.25}, Case{kKindTimeData, 0.078125, 0.078125},
                          Case{kKindTimeData, 0.625, 0.625}, Case{kKindHarmonics, 0.625, 1}}) {
        ChartState.DataKind = c.kind;
        SampleData.DataMvPerCode = c.mvPerCode;
        for (int index = 0; index < 6; ++index) {
            SCOPED_TRACE(testing::Message() << int(c.kind) << ", " << c.mvPerCode << " mV, unit " << index);
            form->ComboBoxFurieY->SetItemIndex(-1);
            form->ComboBoxFurieY->Select(index);
            const double expected = perMv[index] * c.mvPerPoint;
            EXPECT_DOUBLE_EQ(ChartState.YMultiplier, expected);
            EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), formats[index]);
            for (int s = 1; s <= 16; ++s) EXPECT_DOUBLE_EQ(SeriesNo(s).YMultiplier(), expected);
        }
    }
}

}  // namespace
