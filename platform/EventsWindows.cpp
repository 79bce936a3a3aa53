// The bench build's events, waits and tick count: the system's own. A module's driver signals
// the event of the overlapped record it completes with the system's SetEvent, so the handle the
// station creates and waits on must be the system's event handle.

#include "platform/Events.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// The system's name for its ANSI variant would rename ours.
#undef CreateEvent

namespace platform {

static_assert(kWaitObject0 == WAIT_OBJECT_0 && kWaitTimeout == WAIT_TIMEOUT && kWaitFailed == WAIT_FAILED &&
              kInfinite == INFINITE);

namespace {

HANDLE SystemHandle(Event event) { return reinterpret_cast<HANDLE>(event); }

} // namespace

Event CreateEvent() {
    // Auto-reset, not signalled, unnamed; null when the system refuses.
    return reinterpret_cast<Event>(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
}

bool SetEvent(Event event) { return ::SetEvent(SystemHandle(event)) != FALSE; }

bool ResetEvent(Event event) { return ::ResetEvent(SystemHandle(event)) != FALSE; }

std::uint32_t WaitForSingleObject(Event event, std::uint32_t timeoutMs) {
    return ::WaitForSingleObject(SystemHandle(event), timeoutMs);
}

bool CloseHandle(Event event) { return ::CloseHandle(SystemHandle(event)) != FALSE; }

std::uint32_t GetTickCount() { return ::GetTickCount(); }

} // namespace platform
