#include "platform/Events.h"

#include <chrono>
#include <mutex>
#include <unordered_map>

namespace platform {

struct EventState {
    std::shared_ptr<Clock> clock;
    bool signalled = false;
    std::condition_variable waiters;
};

namespace {

std::mutex gClockMutex;
std::shared_ptr<Clock> gClock;

std::mutex gRegistryMutex;
std::unordered_map<EventState*, std::shared_ptr<EventState>> gRegistry;

std::shared_ptr<EventState> Find(Event event) {
    std::lock_guard lock(gRegistryMutex);
    const auto found = gRegistry.find(event);
    return found == gRegistry.end() ? nullptr : found->second;
}

} // namespace

bool& Clock::Signalled(EventState& event) { return event.signalled; }
std::condition_variable& Clock::Waiters(EventState& event) { return event.waiters; }

std::uint64_t SteadyClock::NowMs() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

bool SteadyClock::Wait(EventState& event, std::uint32_t timeoutMs) {
    std::unique_lock lock(mutex_);
    const auto signalled = [&] { return Signalled(event); };
    if (timeoutMs == kInfinite) {
        Waiters(event).wait(lock, signalled);
    } else if (!Waiters(event).wait_for(lock, std::chrono::milliseconds(timeoutMs), signalled)) {
        return false;
    }
    Signalled(event) = false;
    return true;
}

void SteadyClock::Set(EventState& event) {
    {
        std::lock_guard lock(mutex_);
        Signalled(event) = true;
    }
    Waiters(event).notify_one();
}

void SteadyClock::Reset(EventState& event) {
    std::lock_guard lock(mutex_);
    Signalled(event) = false;
}

void SetClock(std::shared_ptr<Clock> clock) {
    std::lock_guard lock(gClockMutex);
    gClock = std::move(clock);
}

std::shared_ptr<Clock> GetClock() {
    std::lock_guard lock(gClockMutex);
    if (!gClock) gClock = std::make_shared<SteadyClock>();
    return gClock;
}

Event CreateEvent() {
    auto state = std::make_shared<EventState>();
    state->clock = GetClock();
    Event handle = state.get();
    std::lock_guard lock(gRegistryMutex);
    gRegistry.emplace(handle, std::move(state));
    return handle;
}

bool SetEvent(Event event) {
    const auto state = Find(event);
    if (!state) return false;
    state->clock->Set(*state);
    return true;
}

bool ResetEvent(Event event) {
    const auto state = Find(event);
    if (!state) return false;
    state->clock->Reset(*state);
    return true;
}

std::uint32_t WaitForSingleObject(Event event, std::uint32_t timeoutMs) {
    const auto state = Find(event);
    if (!state) return kWaitFailed;
    return state->clock->Wait(*state, timeoutMs) ? kWaitObject0 : kWaitTimeout;
}

bool CloseHandle(Event event) {
    std::lock_guard lock(gRegistryMutex);
    return gRegistry.erase(event) > 0;
}

std::uint32_t GetTickCount() {
    return static_cast<std::uint32_t>(GetClock()->NowMs());
}

} // namespace platform
