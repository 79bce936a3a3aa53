// While a worker is alive the work arrays and the sample buffer are its own: the processing
// page's analyses and redraws leave them alone.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/window/FuriePageTestSupport.h"
#include "tests/HeldWorker.h"

namespace {

using FuriePageWhileAWorkerRuns = furie_page_test::FuriePageForm;

TEST_F(FuriePageWhileAWorkerRuns, AnalysesAndRedrawsWaitForIt) {
    LoadRecord(3, 2000, Tagged);
    ChartState.DataKind = kKindTimeData;
    AnalysisResults.FourierCount = 4;
    form->StatusBar->SetPanelText(1, "-");
    HeldWorker worker;
    worker.Start();
    for (ui::Control* button : {form->SpeedButtonFurie, form->SpeedButtonFurieSP, form->SpeedButtonFFT,
                                form->SpeedButtonPosl, form->SpeedButtonDan, form->SpeedButtonAFC}) {
        button->PerformClick();
    }
    form->RadioButtonFurieFaza->Click();
    worker.release = true;
    worker.WaitFor();

    EXPECT_EQ(ChartState.DataKind, kKindTimeData);
    EXPECT_TRUE(AnalysisResults.AmpTable.empty());
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(form->StatusBar->Panel(1).Text, "-") << "no redraw";
    EXPECT_EQ(form->RadioButtonFurieFaza->Font().Color, ui::clGreen) << "the choice itself is taken";
}

}  // namespace
