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

// Two blocks in flight complete before anyone waits: each has its own signal, and the record the
// module wrote (one request's bytes) is never taken for a count.
TEST(Transfer, QueuedBlocksAreAwaitedOneSignalEachInTheOrderQueued) {
    TransferQueue queue;
    EXPECT_EQ(queue.Next(), nullptr) << "nothing open";
    queue.Open(2);
    TransferQueue::Slot* first = queue.Next();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Overlapped.hEvent, first->Event);
    queue.Queued();
    TransferQueue::Slot* second = queue.Next();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second->Event, first->Event);
    queue.Queued();
    EXPECT_EQ(queue.Next(), nullptr) << "both slots hold a block";
    EXPECT_EQ(queue.InFlight(), 2u);

    for (TransferQueue::Slot* slot : {first, second}) {
        slot->Overlapped.InternalHigh = 12288;
        platform::SetEvent(slot->Event);
    }
    EXPECT_TRUE(queue.AwaitOldest(0));
    EXPECT_EQ(queue.Next(), first) << "the slot awaited takes the next block";
    first->Overlapped.InternalHigh = 5;
    EXPECT_TRUE(queue.Next()->Overlapped.InternalHigh == 0) << "zeroed for its next block";
    queue.Queued();
    EXPECT_TRUE(queue.AwaitOldest(0)) << "the second block, by its own signal";
    EXPECT_FALSE(queue.AwaitOldest(0)) << "the third has not come: its slot's signal was taken";
    EXPECT_EQ(queue.InFlight(), 1u);
    platform::SetEvent(first->Event);
    EXPECT_TRUE(queue.AwaitOldest(0));
    EXPECT_FALSE(queue.AwaitOldest(0)) << "nothing queued";
    queue.Close();
    EXPECT_EQ(queue.Next(), nullptr);
}

}  // namespace
