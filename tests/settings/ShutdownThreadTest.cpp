// The options form's shutdown while a worker is still inside a synchronous call onto the GUI
// thread: the call is served, the worker ends, and only then do the modules go.

#include <atomic>
#include <thread>

#include "BringUpFixture.h"
#include "threads/WorkerSlot.h"

namespace {

struct Seen {
    std::atomic<bool> inCall{false};
    int calls = 0;  // GUI thread only, like the two below
    bool modulesUpAtEveryCall = true;
};

// Streams until its running flag is cleared, handing every block to the window.
class StreamingWorker : public StationWorker {
public:
    explicit StreamingWorker(Seen& seen) : seen_(seen) {}

protected:
    void Execute() override {
        do {
            seen_.inCall = true;
            OnGui([this] {
                ++seen_.calls;
                seen_.modulesUpAtEveryCall = seen_.modulesUpAtEveryCall && ModuleState.QuevModule != nullptr &&
                                             ModuleState.Usb3000Module != nullptr;
            });
        } while (ThreadControl.AcqRunning != 0);
    }

private:
    Seen& seen_;
};

using Shutdown = BringUpFixture;

TEST_F(Shutdown, WaitsForAWorkerBlockedInASynchronousCallBeforeReleasingTheModules) {
    CreateOptions();
    Seen seen;
    ThreadControl.AcqRunning = 1;
    ASSERT_NE(StartWorker<StreamingWorker>(ThreadControl.AdcWorker, seen), nullptr);
    while (!seen.inCall) std::this_thread::yield();

    option.reset();
    Option = nullptr;
    EXPECT_GE(seen.calls, 1) << "the blocked call was served";
    EXPECT_TRUE(seen.modulesUpAtEveryCall);
    EXPECT_EQ(ThreadControl.AdcWorker, nullptr);
    EXPECT_FALSE(WorkersBusy());
    EXPECT_EQ(ModuleState.QuevModule, nullptr);
    EXPECT_EQ(ModuleState.Usb3000Module, nullptr);
    EXPECT_EQ(Bench().CallsAfterRelease(), 0);
}

}  // namespace
