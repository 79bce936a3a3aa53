#include <atomic>

#include "BringUpFixture.h"
#include "ui/Thread.h"

namespace {

// A worker that streams through a module until told to stop, with no running flag of its own
// (as a compute-only run has none).
class BusyWorker : public ui::Thread {
public:
    std::atomic<bool> stop{false};
    std::atomic<bool> started{false};

protected:
    void Execute() override {
        started = true;
        while (!stop) std::this_thread::yield();
    }
};

using ModuleCheckThread = BringUpFixture;

TEST_F(ModuleCheckThread, LeavesTheModulesAloneWhileAWorkerIsAlive) {
    CreateOptions();
    BusyWorker worker;
    worker.Start();
    while (!worker.started) std::this_thread::yield();

    form->SpeedButtonQuev->Click();
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "ReleaseDevice"), 0);
    EXPECT_EQ(Calls(ModuleKind::Usb3000, 0, "ReleaseDevice"), 0);
    EXPECT_EQ(Bench().InstanceCount(ModuleKind::Quev), 1);

    worker.stop = true;
    worker.WaitFor();
    form->SpeedButtonQuev->Click();
    EXPECT_EQ(Calls(ModuleKind::Quev, 0, "ReleaseDevice"), 1);
    EXPECT_EQ(Bench().InstanceCount(ModuleKind::Quev), 2);
}

}  // namespace
