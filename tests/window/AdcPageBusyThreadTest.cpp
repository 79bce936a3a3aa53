// While a worker is alive the record button starts nothing, in either mode: the transfer objects
// and the sample buffer are the worker's.

#include "tests/HeldWorker.h"
#include "tests/window/BenchFormTestSupport.h"

namespace {

using AdcRecordBusy = bench_form_test::BenchForm;

TEST_F(AdcRecordBusy, TheRecordButtonStartsNothingWhileAWorkerIsAlive) {
    BringUp(true, false);
    form->ComboBoxK->Select(0);
    form->ComboBoxN->Select(0);
    form->ComboBoxM->Select(0);
    form->TrackBarQ->SetPosition(1);
    form->TrackBarQChange(nullptr);
    form->TrackBarT->SetPosition(6);  // 0.1 s
    form->TrackBarTChange(nullptr);
    HeldWorker worker;
    worker.Start();
    for (int longMode : {1, 0}) {
        SCOPED_TRACE(longMode ? "long recording" : "oscilloscope");
        form->ComboBoxR->Select(longMode);
        form->SpeedButtonRecord->Click();
        EXPECT_FALSE(form->SpeedButtonRecord->Down());
        EXPECT_EQ(ChartState.DataKind, kKindEmpty);
        EXPECT_TRUE(SampleData.SampleBuffer.empty());
        EXPECT_EQ(ThreadControl.AcqIdle, 1);
        EXPECT_EQ(ThreadControl.AcqRunning, 0);
        EXPECT_EQ(ThreadControl.AdcWorker, nullptr);
        EXPECT_TRUE(form->Chart->Enabled());
        EXPECT_EQ(Calls(sim::ModuleKind::Quev, "SET_INPUT_PARS"), 0);
        EXPECT_TRUE(form->Memo->Lines().Empty());
    }
    worker.release = true;
    worker.WaitFor();

    form->ComboBoxR->Select(1);
    form->SpeedButtonRecord->Click();
    EXPECT_EQ(form->Memo->Lines().Count(), 1) << "the same press records once the worker has gone";
    EXPECT_EQ(ChartState.DataKind, kKindTimeData);
}

}  // namespace
