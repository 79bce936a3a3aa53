#include "platform/Events.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace platform;

namespace {

// Owns an event for the length of a test.
struct ScopedEvent {
    Event handle = CreateEvent();
    ~ScopedEvent() { CloseHandle(handle); }
};

// A single-threaded instant clock: a wait that is not already satisfied jumps time to its
// deadline at once. Enough to show that waits and the tick count follow the installed clock.
class JumpingClock : public Clock {
public:
    std::uint64_t NowMs() override {
        std::lock_guard lock(mutex_);
        return now_;
    }
    bool Wait(EventState& event, std::uint32_t timeoutMs) override {
        std::lock_guard lock(mutex_);
        if (Signalled(event)) {
            Signalled(event) = false;
            return true;
        }
        now_ += timeoutMs;
        return false;
    }
    void Set(EventState& event) override {
        std::lock_guard lock(mutex_);
        Signalled(event) = true;
    }
    void Reset(EventState& event) override {
        std::lock_guard lock(mutex_);
        Signalled(event) = false;
    }

private:
    std::mutex mutex_;
    std::uint64_t now_ = 0xFFFFFF00;  // close to the 32-bit wrap
};

class EventsWithJumpingClock : public ::testing::Test {
protected:
    void SetUp() override { SetClock(std::make_shared<JumpingClock>()); }
    void TearDown() override { SetClock(nullptr); }
};

} // namespace

TEST(Events, ASignalIsConsumedByExactlyOneWaitAndDroppedByAReset) {
    ScopedEvent e;
    EXPECT_EQ(WaitForSingleObject(e.handle, 0), kWaitTimeout);  // created non-signalled
    ASSERT_TRUE(SetEvent(e.handle));
    ASSERT_TRUE(SetEvent(e.handle));  // signals do not add up
    EXPECT_EQ(WaitForSingleObject(e.handle, 0), kWaitObject0);
    EXPECT_EQ(WaitForSingleObject(e.handle, 0), kWaitTimeout);
    SetEvent(e.handle);
    ASSERT_TRUE(ResetEvent(e.handle));
    EXPECT_EQ(WaitForSingleObject(e.handle, 10), kWaitTimeout) << "a reset drops a pending signal";
}

TEST(Events, ATimedOutWaitLastsAtLeastItsTimeOut) {
    ScopedEvent e;
    const std::uint32_t start = GetTickCount();
    EXPECT_EQ(WaitForSingleObject(e.handle, 30), kWaitTimeout);
    EXPECT_GE(static_cast<std::uint32_t>(GetTickCount() - start), 30u);
}

TEST(Events, InvalidAndClosedHandlesAreRefused) {
    Event e = CreateEvent();
    ASSERT_TRUE(CloseHandle(e));
    EXPECT_FALSE(CloseHandle(e));
    EXPECT_FALSE(SetEvent(e));
    EXPECT_FALSE(ResetEvent(e));
    EXPECT_EQ(WaitForSingleObject(e, 0), kWaitFailed);
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), kWaitFailed);
}

TEST(Events, OneSignalReleasesOnlyOneOfTwoWaiters) {
    ScopedEvent e;
    std::atomic<int> released{0};
    std::atomic<int> timedOut{0};
    auto waiter = [&] {
        (WaitForSingleObject(e.handle, 300) == kWaitObject0 ? released : timedOut)++;
    };
    std::thread a(waiter), b(waiter);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    SetEvent(e.handle);
    a.join();
    b.join();
    EXPECT_EQ(released, 1);
    EXPECT_EQ(timedOut, 1);
}

TEST(Events, PingPongLosesNoSignal) {
    ScopedEvent ping, pong;
    constexpr int kRounds = 2000;
    std::atomic<int> answered{0};
    std::thread partner([&] {
        for (int i = 0; i < kRounds; ++i) {
            if (WaitForSingleObject(ping.handle, 5000) != kWaitObject0) return;
            answered++;
            SetEvent(pong.handle);
        }
    });
    int completed = 0;
    for (int i = 0; i < kRounds; ++i) {
        SetEvent(ping.handle);
        if (WaitForSingleObject(pong.handle, 5000) != kWaitObject0) break;
        ++completed;
    }
    partner.join();
    EXPECT_EQ(completed, kRounds);
    EXPECT_EQ(answered, kRounds);
}

TEST(Events, ClosingWhileAnotherThreadWaitsIsSafe) {
    Event e = CreateEvent();
    // Whether the wait starts before or after the close, it must end in its own time.
    std::thread waiter([&] { EXPECT_NE(WaitForSingleObject(e, 100), kWaitObject0); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(CloseHandle(e));
    waiter.join();
}

TEST_F(EventsWithJumpingClock, WaitsAndTickCountFollowTheClockTheEventWasCreatedUnder) {
    ScopedEvent e;
    const std::uint32_t start = GetTickCount();
    EXPECT_EQ(WaitForSingleObject(e.handle, 1000), kWaitTimeout);
    // Ran in no real time, yet the tick count moved by the whole time-out across its wrap.
    EXPECT_LT(GetTickCount(), start);
    EXPECT_EQ(static_cast<std::uint32_t>(GetTickCount() - start), 1000u);
    SetEvent(e.handle);
    EXPECT_EQ(WaitForSingleObject(e.handle, 1000), kWaitObject0);
    EXPECT_EQ(static_cast<std::uint32_t>(GetTickCount() - start), 1000u);

    // The event stays with the clock it was created under when real time comes back.
    SetClock(nullptr);
    const std::uint32_t realStart = GetTickCount();
    EXPECT_EQ(WaitForSingleObject(e.handle, 60000), kWaitTimeout);  // instant, not a minute
    EXPECT_LT(static_cast<std::uint32_t>(GetTickCount() - realStart), 30000u);
}
