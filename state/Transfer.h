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
