// The playback page as the operator uses it without a module: composing the buffer from ДШК ШЭМ
// data, the switches, the signal boxes and a play press with no DAC ready.

#include <gtest/gtest.h>

#include <string>

#include "analysis/DacBuffer.h"
#include "tests/window/RedrawTestForm.h"

namespace {

class ShemPageTest : public redraw_test::RedrawForm {
protected:
    // Three kadrs of two-channel data at 30 kHz, listed as opening them lists them.
    void LoadKadrs() {
        LoadRecord(2, 3 * kKadrFrames, [](std::int64_t k, int c) { return static_cast<std::int16_t>(c == 0 ? k % 1000 : -1); });
        SampleData.DataRate = 30;
        ChartState.DataKind = kKindDshkData;
        DacPlayback.KadrCount = 3;
        form->ComboBoxKadrs->Items().Assign({"ВСЕ", "  1  ", "  2  ", "  3  "});
        for (ui::Control* c : {static_cast<ui::Control*>(form->ComboBoxKadrs), static_cast<ui::Control*>(form->SpeedButtonEnter),
                               static_cast<ui::Control*>(form->SpeedButtonSpace)}) {
            c->SetEnabled(true);
        }
        form->PageControl->SetActivePage(form->TabSheetShem);
    }
    void Enter(int choice) {
        form->ComboBoxKadrs->Select(choice);
        form->SpeedButtonEnter->Click();
    }
    void ForgetRedraw() { form->StatusBar->SetPanelText(1, ""); }
    bool Redrawn() const { return !form->StatusBar->Panel(1).Text.empty(); }
};

TEST_F(ShemPageTest, AppendingShowsTheBufferAndEmptyingKeepsTheDisplayMode) {
    LoadKadrs();
    Enter(2);
    form->SpeedButtonSpace->Click();
    EXPECT_EQ(ChartState.DataKind, kKindDacBuffer);
    EXPECT_TRUE(form->SpeedButtonDelete->Enabled());
    EXPECT_EQ(form->Chart->TitleText(), "Буфер ЦАП :  2-й, l_l, ");
    const auto points = Points(1);
    ASSERT_EQ(points.size(), 30000u);
    EXPECT_EQ(points[1].second, 15001 % 1000);
    EXPECT_EQ(points[15000].second, 0) << "the pause";
    EXPECT_EQ(Points(2)[0].second, -1);

    form->SpeedButtonDelete->Click();
    EXPECT_EQ(DacPlayback.DacBufferLength, 0);
    EXPECT_FALSE(form->SpeedButtonDelete->Enabled());
    EXPECT_EQ(ChartState.DataKind, kKindDacBuffer);
    EXPECT_EQ(form->Chart->TitleText(), "Буфер ЦАП :  ");
    EXPECT_TRUE(Points(1).empty());
}

TEST_F(ShemPageTest, ARefusedKadrLeavesBufferModeAndChartAlone) {
    LoadKadrs();
    form->SpeedButtonSpace->Click();
    ChartState.DataKind = kKindDshkData;
    SampleData.FrameCount = 2 * kKadrFrames;  // the third kadr is no longer in memory
    ForgetRedraw();
    Enter(3);
    Enter(0);
    EXPECT_EQ(DacPlayback.DacBufferLength, kKadrSamples);
    EXPECT_EQ(DacPlayback.DacBufferName, "l_l, ");
    EXPECT_EQ(ChartState.DataKind, kKindDshkData);
    EXPECT_FALSE(Redrawn());
    EXPECT_TRUE(frontEnd.Messages().empty()) << "the page shows no message";
}

TEST_F(ShemPageTest, SwitchesShowTheirStateInWordAndColour) {
    for (ui::CheckBox* box : {form->CheckBoxSFilter, form->CheckBoxSControl}) {
        SCOPED_TRACE(box->Name());
        EXPECT_EQ(box->Caption(), "Выкл");
        box->Click();
        EXPECT_EQ(box->Caption(), "Вкл");
        EXPECT_EQ(box->Font().Color, ui::TColor{0x008000});
        box->Click();
        EXPECT_EQ(box->Caption(), "Выкл");
        EXPECT_EQ(box->Font().Color, ui::TColor{0x0000FF});
    }
}

TEST_F(ShemPageTest, PlayWithoutADacStartsNothingAndPopsUp) {
    form->SpeedButtonSPlay->Click();
    EXPECT_FALSE(form->SpeedButtonSPlay->Down());
    EXPECT_EQ(ThreadControl.PlayRunning, 0);
    EXPECT_EQ(ThreadControl.PlayWorker, nullptr);
    EXPECT_TRUE(form->Chart->Enabled());
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
}

}  // namespace
