#include <atomic>

#include <gtest/gtest.h>

#include "state/State.h"
#include "threads/WorkerSlot.h"

namespace {

// Runs until its running flag is cleared, asking the GUI thread once on the way.
class FlagWorker : public StationWorker {
public:
    explicit FlagWorker(std::atomic<int>& guiCalls) : guiCalls_(guiCalls) {}

protected:
    void Execute() override {
        OnGui([this] { ++guiCalls_; });
        while (ThreadControl.PlayRunning) std::this_thread::yield();
    }

private:
    std::atomic<int>& guiCalls_;
};

class WorkerSlotTest : public ::testing::Test {
protected:
    void SetUp() override { ui::Application.SetGuiThread(); }
    void TearDown() override {
        StopAndReapAllWorkers();
        ResetSharedState();
    }
    std::atomic<int> guiCalls{0};
};

TEST_F(WorkerSlotTest, SecondStartIsRefusedWhileAnyWorkerIsAliveAndAllowedAfterItEnds) {
    ThreadControl.PlayRunning = 1;
    auto* first = StartWorker<FlagWorker>(ThreadControl.PlayWorker, guiCalls);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ThreadControl.PlayWorker, first);
    EXPECT_TRUE(WorkersBusy());
    // Another kind's slot is gated too: one block-transfer activity at a time.
    EXPECT_EQ(StartWorker<FlagWorker>(ThreadControl.DacWorker, guiCalls), nullptr);
    EXPECT_EQ(StartWorker<FlagWorker>(ThreadControl.PlayWorker, guiCalls), nullptr);
    EXPECT_EQ(ThreadControl.PlayWorker, first);

    ThreadControl.PlayRunning = 0;
    ReapWorker(ThreadControl.PlayWorker);  // serves the worker's call while waiting
    EXPECT_EQ(ThreadControl.PlayWorker, nullptr);
    EXPECT_EQ(guiCalls, 1);
    EXPECT_FALSE(WorkersBusy());
    EXPECT_NE(StartWorker<FlagWorker>(ThreadControl.PlayWorker, guiCalls), nullptr);
}

TEST_F(WorkerSlotTest, ShutdownStopsAndReapsAWorkerBlockedInAGuiCall) {
    ThreadControl.PlayRunning = 1;
    ASSERT_NE(StartWorker<FlagWorker>(ThreadControl.PlayWorker, guiCalls), nullptr);
    StopAndReapAllWorkers();
    EXPECT_EQ(ThreadControl.PlayWorker, nullptr);
    EXPECT_EQ(ThreadControl.PlayRunning, 0);
    EXPECT_FALSE(WorkersBusy());
}

}  // namespace
