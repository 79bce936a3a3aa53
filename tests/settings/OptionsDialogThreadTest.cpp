#include <atomic>
#include <thread>

#include "BringUpFixture.h"
#include "tests/HeldWorker.h"

namespace {

using OptionsDialogThread = BringUpFixture;

TEST_F(OptionsDialogThread, ValuesAtAPointReadNoBufferWhileAWorkerIsAlive) {
    CreateOptions();
    SampleData.DataChannels = 1;
    SampleData.SampleBuffer.assign(10, 7);
    SampleData.FrameCount = 10;
    ChartState.DataKind = kKindTimeData;
    ChartState.XMultiplier = 1;
    ChartState.YMultiplier = 1;
    HeldWorker worker;
    worker.Start();
    option->EditZ->Type("3");
    EXPECT_TRUE(option->MemoZ->Lines().Empty());
    worker.release = true;
    worker.WaitFor();

    option->EditZ->Type("4");
    EXPECT_EQ(option->MemoZ->Lines().Count(), 4);
}

}  // namespace
