#pragma once

#include <atomic>
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
// 20 bytes on 32-bit targets. The modules signal the event once per completed block, and count
// the block in InternalHigh first (see CompletedTransfers).
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

// Several blocks may be queued on one record (the playback queues reads ahead), and an auto-reset
// event signalled twice before a wait holds one signal, not two. So the module adds one to
// InternalHigh for every block it completes on the record, before it signals the event: a caller
// that queued n blocks on a zeroed record has them all when CompletedTransfers reaches n, and
// waits on the event only while it has not. Read it through this function (the module's thread
// writes it); zero the record only while nothing is queued on it.
inline uintptr_t CompletedTransfers(OverlappedRecord& record) {
  return std::atomic_ref<uintptr_t>(record.InternalHigh).load(std::memory_order_acquire);
}
inline void CountCompletedTransfer(OverlappedRecord& record) {
  std::atomic_ref<uintptr_t>(record.InternalHigh).fetch_add(1, std::memory_order_acq_rel);
}
