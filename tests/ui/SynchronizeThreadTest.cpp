#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "ScriptedFixture.h"
#include "ui/Thread.h"

namespace {

// A worker whose body is given by the test.
class LambdaWorker : public ui::Thread {
public:
    explicit LambdaWorker(std::function<void(LambdaWorker&)> body) : body_(std::move(body)) {}
    ~LambdaWorker() override { WaitFor(); }
    using ui::Thread::Synchronize;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(LambdaWorker&)> body_;
};

using SynchronizeThreadTest = ScriptedFormTest;

TEST_F(SynchronizeThreadTest, CallRunsOnGuiThreadWhileWorkerWaits) {
    const auto gui = std::this_thread::get_id();
    std::thread::id ranOn;
    std::atomic<bool> workerPastCall{false};
    bool workerBlockedDuringCall = false;
    LambdaWorker worker([&](LambdaWorker& self) {
        self.Synchronize([&] {
            ranOn = std::this_thread::get_id();
            workerBlockedDuringCall = !workerPastCall;
        });
        workerPastCall = true;
    });
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(ranOn, gui);
    EXPECT_TRUE(workerBlockedDuringCall);
    EXPECT_TRUE(workerPastCall);
    EXPECT_TRUE(worker.Finished());
}

TEST_F(SynchronizeThreadTest, ExceptionInCallIsRaisedAgainInWorkerAndEndsItQuietlyWhenUncaught) {
    std::string caught;
    LambdaWorker worker([&](LambdaWorker& self) {
        try {
            self.Synchronize([] { throw std::runtime_error("Read beyond end of file"); });
        } catch (const std::runtime_error& e) {
            caught = e.what();
        }
    });
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(caught, "Read beyond end of file");

    LambdaWorker failing([](LambdaWorker&) { throw std::runtime_error("module gone"); });
    failing.Start();
    failing.WaitFor();
    EXPECT_TRUE(failing.FatalException() != nullptr);
    EXPECT_TRUE(frontEnd.Messages().empty()) << "workers' exceptions never reach the default handler";
}

TEST_F(SynchronizeThreadTest, WaitingForAllWorkersServesManyCallsOfEach) {
    std::atomic<int> stopFlag{1};
    int served = 0;  // touched only on the GUI thread
    auto body = [&](LambdaWorker& self) {
        // Runs until asked to stop, handing work to the GUI thread each round, as the
        // acquisition worker does with its live view.
        for (int round = 0; round < 1000 && stopFlag.load(); ++round) self.Synchronize([&] { ++served; });
        for (int tail = 0; tail < 5; ++tail) self.Synchronize([&] { ++served; });
    };
    LambdaWorker first(body);
    LambdaWorker second(body);
    first.Start();
    second.Start();
    EXPECT_TRUE(ui::Application.AnyWorkerAlive());
    stopFlag = 0;
    ui::Application.WaitForAllWorkers();
    EXPECT_FALSE(ui::Application.AnyWorkerAlive());
    EXPECT_GE(served, 10);
}

TEST_F(SynchronizeThreadTest, ProcessMessagesServesPendingCall) {
    std::atomic<bool> done{false};
    int value = 0;
    LambdaWorker worker([&](LambdaWorker& self) {
        self.Synchronize([&] { value = 42; });
        done = true;
    });
    worker.Start();
    while (!done) ui::Application.ProcessMessages();
    EXPECT_EQ(value, 42);
    worker.WaitFor();
}

} // namespace
