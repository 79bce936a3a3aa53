// While a worker is alive the sample buffer and the transfer objects are its own: the balancing
// and metrology buttons leave them, the module and the page's results as they are.

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/window/BenchFormTestSupport.h"
#include "tests/HeldWorker.h"

namespace {

using BalanceMetrologBusy = bench_form_test::BenchForm;

TEST_F(BalanceMetrologBusy, ButtonsDoNothingWhileAWorkerIsAlive) {
    BringUp(true, false);
    // A record the correction could work on: marks 10000 frames apart.
    SampleData.DataChannels = 3;
    SampleData.FrameCount = 12000;
    SampleData.SampleBuffer.assign(36000, 0);
    for (int k = 0; k < 12000; ++k) {
        SampleData.SampleBuffer[SampleIndex(k, 0)] = k % 10000 == 1000 ? 1000 : 0;
        SampleData.SampleBuffer[SampleIndex(k, 1)] = static_cast<int16_t>(k % 50);
    }
    form->EditBBegin->Type("500");
    form->EditBKol->Type("10000");
    form->ComboBoxMetKoef->Select(0);
    HeldWorker worker;
    worker.Start();
    for (ui::SpeedButton* button : {form->SpeedButtonBRun, form->SpeedButtonBalance, form->SpeedButtonMetConst,
                                    form->SpeedButtonMetSin, form->SpeedButtonMetSquare, form->SpeedButtonMetPila,
                                    form->SpeedButtonMetRecord}) {
        button->Click();
    }
    EXPECT_FALSE(form->SpeedButtonBRun->Down());
    EXPECT_TRUE(form->MemoB->Lines().Empty());
    EXPECT_TRUE(form->Memo->Lines().Empty());
    EXPECT_EQ(SampleData.DataChannels, 3);
    EXPECT_EQ(SampleData.SampleBuffer.size(), 36000u);
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
    EXPECT_EQ(Calls(sim::ModuleKind::Quev, "SET_INPUT_PARS"), 0);
    worker.release = true;
    worker.WaitFor();

    form->SpeedButtonBalance->Click();
    EXPECT_EQ(form->MemoB->Lines().Count(), 6) << "the same press works once the worker has gone";
}

}  // namespace
