#pragma once
// Overlapped block transfers with a module: the event a queued block signals and the wait for it.

#include <cstddef>
#include <cstdint>
#include <deque>

#include "modules/Overlapped.h"
#include "platform/Events.h"

// A new auto-reset event, unsignalled, in a zeroed overlapped record. The event stays null when
// it cannot be created; the wait then fails like a lost block instead of passing for a done one.
void OpenTransfer(platform::Event& event, OverlappedRecord& overlapped);

// Closes the event (a null one is skipped) and forgets it.
void CloseTransfer(platform::Event& event);

// True only when the event was signalled within the time-out. A time-out, a failed wait and an
// event that never existed all count as a transfer that did not complete.
bool TransferCompleted(platform::Event event, uint32_t timeoutMs);

// Blocks of one direction queued ahead on a module, each on a record and event of its own. A
// module completes the blocks of a direction in the order queued and signals each block's own
// event, so the wait for a block is the wait for its event: no two completions ever share one
// signal, and nothing is read from the record the module writes. The slots serve in turn; a slot
// takes its next block only after the block before it on that slot has been awaited.
class TransferQueue {
public:
    struct Slot {
        platform::Event Event = nullptr;
        OverlappedRecord Overlapped{};
        uint32_t BytesDone = 0;
    };

    // `depth` slots, each with a new event in a zeroed record; the queue is empty. Closes the
    // slots open before (call it only while nothing is queued).
    void Open(size_t depth);
    // Closes every slot's event. The records stay where they are (a module that failed to stop
    // may still write one) and serve the next Open.
    void Close();

    // The slot the next block goes on, its record and done count zeroed; null when every slot holds a block
    // not yet awaited. Queued() once the module has taken the block.
    Slot* Next();
    void Queued();

    size_t InFlight() const { return queued_ - awaited_; }
    // Waits for the oldest block queued and not yet awaited, with the whole time-out. False on a
    // time-out, a failed wait or an empty queue; the block then stays the oldest.
    bool AwaitOldest(uint32_t timeoutMs);

private:
    std::deque<Slot> slots_;  // grows at the end only, so that no record ever moves
    size_t depth_ = 0;
    size_t queued_ = 0;
    size_t awaited_ = 0;
};
