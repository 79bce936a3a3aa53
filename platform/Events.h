#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

// Kernel-style events for overlapped block transfers: auto-reset, created non-signalled and
// unnamed. A handle is a pointer-sized value; handles that were never created or are already
// closed are recognised and refused, never dereferenced.
//
// The simulated build runs them, and the tick count, on an installed clock (below), so that the
// simulated modules pace the station's waits. The bench build (QUEV_BENCH_BUILD, Windows) uses
// the system's own: a handle is the system's event handle, which a module's driver signals, and
// there is no clock to install.

namespace platform {

struct EventState;
using Event = EventState*;

constexpr std::uint32_t kWaitObject0 = 0;
constexpr std::uint32_t kWaitTimeout = 258;
constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;
constexpr std::uint32_t kInfinite = 0xFFFFFFFF;

Event CreateEvent();
// Wakes one waiter, which consumes the signal; without a waiter the event stays signalled until
// the next wait. False for an invalid handle.
bool SetEvent(Event event);
bool ResetEvent(Event event);
// kWaitObject0 when the event was (or becomes) signalled within timeoutMs of the event's clock,
// kWaitTimeout otherwise, kWaitFailed for an invalid handle. kInfinite waits without limit.
std::uint32_t WaitForSingleObject(Event event, std::uint32_t timeoutMs);
// A thread still waiting on a closed event keeps it alive until its time-out.
bool CloseHandle(Event event);

// Milliseconds of the installed clock, wrapping at 2^32 like the system's tick count.
std::uint32_t GetTickCount();

#if !defined(QUEV_BENCH_BUILD)
// The one source of time for the tick count and for event waits, so that a simulated clock can
// pace both: a scaled clock stretches time-outs, an instant clock may jump to the next due
// deadline once every thread it knows of waits. The clock owns the waiting: it decides when a
// wait ends, and setting an event goes through it so that it can wake or reschedule waiters.
class Clock {
public:
    virtual ~Clock() = default;

    virtual std::uint64_t NowMs() = 0;
    // Blocks until the event is signalled, consuming the signal, or until timeoutMs of this
    // clock's time have passed (kInfinite: no limit). True when the signal was taken.
    virtual bool Wait(EventState& event, std::uint32_t timeoutMs) = 0;
    virtual void Set(EventState& event) = 0;
    virtual void Reset(EventState& event) = 0;

protected:
    // An event's state belongs to the clock it was created under and is guarded by that
    // clock's own lock.
    static bool& Signalled(EventState& event);
    static std::condition_variable& Waiters(EventState& event);
};

// Real time from the steady clock; the default.
class SteadyClock : public Clock {
public:
    std::uint64_t NowMs() override;
    bool Wait(EventState& event, std::uint32_t timeoutMs) override;
    void Set(EventState& event) override;
    void Reset(EventState& event) override;

private:
    std::mutex mutex_;
};

// Installs the clock for the tick count and for events created from now on; existing events
// stay with the clock they were created under. nullptr restores real time.
void SetClock(std::shared_ptr<Clock> clock);
std::shared_ptr<Clock> GetClock();

#endif

} // namespace platform
