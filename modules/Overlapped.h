#pragma once

#include <cstddef>
#include <cstdint>

// The event handle of platform/Events.h, declared again here (the declarations agree) so that
// the flat-call library builds for targets without the platform's threading headers.
namespace platform {
struct EventState;
using Event = EventState*;
}  // namespace platform

// The overlapped record a block transfer is queued with. Its layout follows the system's own
// record (two pointer-sized words of the driver, a 64-bit file offset, the event), so it is
// 20 bytes on 32-bit targets. A module signals the event once per completed block, after it has
// written the status (Internal) and the bytes that block moved (InternalHigh), as a driver does;
// the station waits on the event and reads neither. Blocks that must be told apart go on records
// and events of their own (TransferQueue).
struct OverlappedRecord {
  uintptr_t Internal;
  uintptr_t InternalHigh;
  uint32_t Offset;
  uint32_t OffsetHigh;
  platform::Event hEvent;
};

static_assert(offsetof(OverlappedRecord, Offset) == 2 * sizeof(void*));
static_assert(offsetof(OverlappedRecord, hEvent) == 2 * sizeof(void*) + 8);
static_assert(sizeof(void*) != 4 || sizeof(OverlappedRecord) == 20);
