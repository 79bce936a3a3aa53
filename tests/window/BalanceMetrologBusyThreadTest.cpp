// While a worker is alive the sample buffer is its own: the balancing and metrology buttons leave
// it, and the page's results, as they are.

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/window/RedrawTestForm.h"
#include "ui/Thread.h"

namespace {

class HeldWorker : public ui::Thread {
public:
    std::atomic<bool> release{false};

protected:
    void Execute() override {
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
};

using BalanceMetrologBusy = redraw_test::RedrawForm;

TEST_F(BalanceMetrologBusy, ButtonsDoNothingWhileAWorkerIsAlive) {
    // A record the correction could work on: marks 10000 frames apart.
    LoadRecord(3, 12000, [](std::int64_t k, int c) {
        return static_cast<std::int16_t>(c == 0 ? (k % 10000 == 1000 ? 1000 : 0) : k % 50);
    });
    form->EditBBegin->Type("500");
    form->EditBKol->Type("10000");
    HeldWorker worker;
    worker.Start();
    for (ui::SpeedButton* button : {form->SpeedButtonBalance, form->SpeedButtonMetConst, form->SpeedButtonMetSin,
                                    form->SpeedButtonMetSquare, form->SpeedButtonMetPila}) {
        button->Click();
    }
    EXPECT_TRUE(form->MemoB->Lines().Empty());
    EXPECT_EQ(SampleData.DataChannels, 3);
    EXPECT_EQ(SampleData.SampleBuffer.size(), 36000u);
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
    worker.release = true;
    worker.WaitFor();

    form->SpeedButtonBalance->Click();
    EXPECT_EQ(form->MemoB->Lines().Count(), 6) << "the same press works once the worker has gone";
}

}  // namespace
