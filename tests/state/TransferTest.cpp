#include <gtest/gtest.h>

#include "state/Transfer.h"

namespace {

TEST(Transfer, OnlyASignalledEventCountsAsCompletion) {
    platform::Event event = nullptr;
    OverlappedRecord overlapped{};
    overlapped.Offset = 7;
    OpenTransfer(event, overlapped);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(overlapped.hEvent, event);
    EXPECT_EQ(overlapped.Offset, 0u);

    EXPECT_FALSE(TransferCompleted(event, 0)) << "not signalled: timed out";
    platform::SetEvent(event);
    EXPECT_TRUE(TransferCompleted(event, 0));
    EXPECT_FALSE(TransferCompleted(event, 0)) << "auto-reset: one signal, one completion";

    platform::Event closed = event;
    CloseTransfer(event);
    EXPECT_EQ(event, nullptr);
    platform::SetEvent(closed);
    EXPECT_FALSE(TransferCompleted(closed, 0)) << "a closed event's wait fails";
    EXPECT_FALSE(TransferCompleted(nullptr, 0)) << "an event never created fails";
    CloseTransfer(event);  // closing twice is harmless
}

TEST(Transfer, BlocksQueuedAheadCountByTheRecordNotByTheSignals) {
    platform::Event event = nullptr;
    OverlappedRecord overlapped{};
    OpenTransfer(event, overlapped);
    // Two blocks complete before anyone waits: one signal stands for both.
    for (int i = 0; i < 2; ++i) {
        CountCompletedTransfer(overlapped);
        platform::SetEvent(event);
    }
    EXPECT_TRUE(TransfersCompleted(event, overlapped, 1, 0));
    EXPECT_TRUE(TransfersCompleted(event, overlapped, 2, 0)) << "counted, though its signal was merged";
    // The signal left over is taken, and the third block has still not come.
    EXPECT_FALSE(TransfersCompleted(event, overlapped, 3, 0));
    CountCompletedTransfer(overlapped);
    platform::SetEvent(event);
    EXPECT_TRUE(TransfersCompleted(event, overlapped, 3, 0));
    CloseTransfer(event);
}

}  // namespace
