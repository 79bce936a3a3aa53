// While a worker is alive the sample buffer and the work arrays are its own: the power page's
// computation and views leave them alone.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/window/RedrawTestForm.h"
#include "tests/HeldWorker.h"

namespace {

using PowerPageWhileAWorkerRuns = redraw_test::RedrawForm;

TEST_F(PowerPageWhileAWorkerRuns, ComputationAndViewsWaitForIt) {
    LoadRecord(8, 1200, Tagged);
    SampleData.DataRate = 80;
    ChartState.DataKind = kKindTimeData;
    form->StatusBar->SetPanelText(1, "-");
    HeldWorker worker;
    worker.Start();
    for (ui::SpeedButton* b : {form->SpeedButtonPower, form->SpeedButtonVisI, form->SpeedButtonVisDan}) b->Click();
    worker.release = true;
    worker.WaitFor();
    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(ChartState.DataKind, kKindTimeData);
    EXPECT_TRUE(PowerAnalysis.PowerSeries.empty() && AnalysisResults.AmpTable.empty());
    EXPECT_EQ(form->StatusBar->Panel(1).Text, "-") << "no redraw";
}

}  // namespace
