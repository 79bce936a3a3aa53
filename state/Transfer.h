#pragma once
// Overlapped block transfers with a module: the event a queued block signals and the wait for it.

#include <cstdint>

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

// True once `count` blocks queued on `record` since it was zeroed have completed; each wait for
// the event gets the whole time-out. Blocks queued ahead may complete together and leave one
// signal between them, so the record's completion count, not the number of signals, decides; a
// signal left by a block already counted is taken and waited past.
bool TransfersCompleted(platform::Event event, OverlappedRecord& record, uintptr_t count, uint32_t timeoutMs);
