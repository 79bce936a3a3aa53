#include "RedrawTestForm.h"
#include "settings/Options.h"
#include "tests/ScratchDirectory.h"

namespace {

using FormFrameTest = redraw_test::RedrawForm;

TEST_F(FormFrameTest, StartsWithTheInstrumentsInitialState) {
    EXPECT_EQ(form->Caption(), "  ДОРВАЛИН   в.1.02");
    EXPECT_EQ(form->Width(), 1024);
    EXPECT_EQ(form->Height(), 700);
    EXPECT_TRUE(form->CheckBoxTitle->Checked());
    EXPECT_TRUE(form->Chart->TitleVisible());
    EXPECT_FALSE(form->CheckBoxZnach->Checked());
    EXPECT_FALSE(form->Chart->LegendVisible());
    EXPECT_EQ(form->EditFT->Text(), "10");
    EXPECT_EQ(form->EditFX->Text(), "8");
    EXPECT_EQ(form->EditFY->Text(), "8");
    EXPECT_EQ(form->ShapeADC->Color(), 255u);
    EXPECT_EQ(form->ShapeDAC->Color(), 255u);
    EXPECT_EQ(form->ShapeADC->Hint(), "Модуль АЦП не подключен");
    EXPECT_FALSE(form->CheckBoxD3D->Visible());
    EXPECT_FALSE(form->SpeedButtonSost->Visible());
    EXPECT_EQ(form->Memo->Lines().Count(), 0);

    const ui::TColor order[] = {0x000000, 0x0000FF, 0x008000, 0xFF0000, 0xFF00FF, 0x000080, 0xFFFF00, 0x008080};
    ASSERT_EQ(form->Chart->SeriesCount(), 16);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(form->Series[i]->Color(), order[i % 8]);
        EXPECT_EQ(form->LabelC[i]->Font().Color, form->Series[i]->Color());
        EXPECT_TRUE(form->Channel[i]->Checked());
        EXPECT_TRUE(form->Series[i]->Active());
        EXPECT_EQ(form->Series[i]->XMultiplier(), 1.0);
        EXPECT_EQ(form->Series[i]->YMultiplier(), 1.0);
    }
    EXPECT_EQ(form->Series16, form->Series[15]);
    EXPECT_EQ(form->LabelC16, form->LabelC[15]);

    ASSERT_EQ(form->StatusBar->PanelCount(), 3);
    EXPECT_EQ(form->StatusBar->Panel(2).Text, "Свободно ПЗУ ( C:/ ) :  ");
    EXPECT_EQ(form->StatusBar->Panel(1).Width, 250);

    ASSERT_EQ(form->PageControl->PageCount(), 8);
    EXPECT_EQ(form->PageControl->ActivePage(), form->TabSheetADC);
    EXPECT_EQ(form->TabSheetMemo->PageIndex(), 7);
    EXPECT_EQ(form->TabSheetMemo->Caption(), "Статистика работы");
    EXPECT_EQ(form->TabSheetBalance->Hint(), "");

    EXPECT_EQ(form->OpenDialog->FilterNames().size(), 4u);
    EXPECT_EQ(form->SaveDialog->DefaultExt, "*.asc");
    EXPECT_EQ(form->SaveDialog->FilterIndex, 1);
}

TEST_F(FormFrameTest, HiddenD3DBoxShowsTitleByTitleBoxNotByItself) {
    form->CheckBoxTitle->Click();
    EXPECT_FALSE(form->Chart->TitleVisible());
    form->CheckBoxD3D->SetChecked(true);  // code may toggle the hidden box; its handler reads CheckBoxTitle
    EXPECT_FALSE(form->Chart->TitleVisible());
    form->CheckBoxTitle->Click();
    EXPECT_TRUE(form->Chart->TitleVisible());
    form->CheckBoxD3D->PerformClick();
    EXPECT_TRUE(form->Chart->TitleVisible());
}

TEST_F(FormFrameTest, ChannelBoxHidesOnlyItsSeriesAtOnce) {
    for (auto* series : form->Series) series->AddXY(1, 2);
    form->Channel5->Click();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(form->Series[i]->Active(), i != 4) << "series " << i + 1;
        EXPECT_EQ(form->Series[i]->Count(), 1) << "no redraw";
    }
    form->Channel5->Click();
    EXPECT_TRUE(form->Series5->Active());
    form->Channel1Click(nullptr);  // shared with other boxes: follows Channel1, which is checked
    EXPECT_TRUE(form->Series1->Active());
}

TEST_F(FormFrameTest, TimingButtonStaysDownWithNoOtherEffect) {
    for (int press = 0; press < 3; ++press) {
        form->SpeedButtonTiming->Click();
        EXPECT_TRUE(form->SpeedButtonTiming->Down());
    }
    EXPECT_EQ(form->Memo->Lines().Count(), 0);
    EXPECT_TRUE(frontEnd.Messages().empty());
}

TEST_F(FormFrameTest, FontEditsSetSizesAndRefuseNonIntegers) {
    form->EditFT->Type(" 14 ");
    form->EditFT->Leave();
    EXPECT_EQ(form->Chart->TitleFont().Size, 14);

    form->EditFX->Type("abc");
    form->EditFX->Leave();
    EXPECT_EQ(form->Chart->BottomAxis().LabelFontSize(), 8);
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].Text, "'abc' is not a valid integer value");

    form->EditFY->Type("12");
    form->EditFY->Leave();
    EXPECT_EQ(form->Chart->LeftAxis().LabelFontSize(), 12);
}

TEST_F(FormFrameTest, ColourLabelTakesConfirmedColourAndIgnoresCancel) {
    frontEnd.QueueColor(0x00FF00);
    frontEnd.QueueColorCancel();
    form->LabelC3->Click();
    EXPECT_EQ(form->LabelC3->Font().Color, 0x00FF00u);
    EXPECT_EQ(form->Series3->Color(), 0x00FF00u);
    EXPECT_EQ(form->Series4->Color(), ui::clBlue);
    EXPECT_EQ(form->LabelC4->Font().Color, ui::clBlue);

    form->LabelC3->Click();
    EXPECT_EQ(frontEnd.ColorDialogsShown(), 2);
    EXPECT_EQ(form->LabelC3->Font().Color, 0x00FF00u);
    EXPECT_EQ(form->Series3->Color(), 0x00FF00u);
}

TEST_F(FormFrameTest, ChartCopyLeavesChartAsItWasAndClipboardHoldsOneImage) {
    form->Series1->AddXY(0, 5);
    form->Series1->AddXY(1, 7);
    form->Chart->ZoomTo(0, 1, 0, 10);
    form->SpeedButtonChartToBuffer->Click();
    const auto images = frontEnd.Clipboard();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].Width, form->Chart->Width());
    EXPECT_EQ(images[0].Height, form->Chart->Height());
    EXPECT_GT(images[0].Width, 0);
    EXPECT_EQ(form->Series1->Count(), 2);
    EXPECT_TRUE(form->Chart->BottomAxis().Zoomed());
}

TEST_F(FormFrameTest, ModuleCheckClicksOptionsHiddenButton) {
    ScratchStartDirectory start;  // the options form's config.cfg
    TOption option;
    Option = &option;
    int checks = 0;
    option.SpeedButtonQuev->OnClick = [&](ui::Control*) { ++checks; };
    form->SpeedButtonQuev->Click();
    EXPECT_EQ(checks, 1);
    Option = nullptr;
}

} // namespace
