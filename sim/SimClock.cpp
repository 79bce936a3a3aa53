#include "sim/SimClock.h"

#include <algorithm>
#include <limits>

namespace sim {
namespace {
constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
}

SimClock::SimClock() : baseReal_(Steady::now()) { dispatcher_ = std::thread([this] { Dispatch(); }); }

SimClock::~SimClock() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  dispatcher_.join();
}

int64_t SimClock::NowLocked() const {
  if (mode_ == ClockMode::Instant) return instantNs_;
  const double real = std::chrono::duration<double, std::nano>(Steady::now() - baseReal_).count();
  return baseSimNs_ + static_cast<int64_t>(real * scale_);
}

SimClock::Steady::time_point SimClock::RealTimeOf(int64_t simNs) const {
  if (simNs == kNever) return Steady::time_point::max();
  const double real = static_cast<double>(simNs - baseSimNs_) / scale_;
  return baseReal_ + std::chrono::nanoseconds(static_cast<int64_t>(std::max(0.0, real)));
}

void SimClock::SetMode(ClockMode mode, double scale) {
  {
    std::lock_guard lock(mutex_);
    const int64_t now = NowLocked();
    mode_ = mode;
    scale_ = (mode == ClockMode::Scaled && scale > 0) ? scale : 1.0;
    baseSimNs_ = now;
    baseReal_ = Steady::now();
    // Instant time starts on a whole millisecond, so that tick counts differ exactly.
    instantNs_ = (now + 999999) / 1000000 * 1000000;
    if (mode == ClockMode::Instant) baseSimNs_ = instantNs_;
  }
  changed_.notify_all();
}

ClockMode SimClock::Mode() {
  std::lock_guard lock(mutex_);
  return mode_;
}

int64_t SimClock::NowNs() {
  std::lock_guard lock(mutex_);
  return NowLocked();
}

uint64_t SimClock::NowMs() { return static_cast<uint64_t>(NowNs() / 1000000); }

SimClock::TimerId SimClock::Schedule(int64_t dueNs, std::function<void()> action) {
  TimerId id;
  {
    std::lock_guard lock(mutex_);
    id = nextId_++;
    timers_.emplace(dueNs, std::make_pair(id, std::move(action)));
  }
  changed_.notify_all();
  return id;
}

void SimClock::Cancel(TimerId id) {
  std::lock_guard lock(mutex_);
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.first == id) {
      timers_.erase(it);
      return;
    }
  }
}

bool SimClock::WaiterRunnable(const Waiter& w, int64_t now) const {
  return Signalled(*w.Event) || w.DeadlineNs <= now;
}

bool SimClock::Wait(platform::EventState& event, uint32_t timeoutMs) {
  std::unique_lock lock(mutex_);
  const int64_t start = NowLocked();
  const int64_t deadline =
      timeoutMs == platform::kInfinite ? kNever : start + int64_t{timeoutMs} * 1000000;
  const uint64_t me = nextWaiter_++;
  waiters_.emplace(me, Waiter{&event, deadline});
  changed_.notify_all();  // the dispatcher may now be free to move time on
  bool taken = false;
  for (;;) {
    if (Signalled(event)) {
      Signalled(event) = false;
      taken = true;
      break;
    }
    if (NowLocked() >= deadline) break;
    if (mode_ == ClockMode::Instant)
      changed_.wait(lock);
    else
      changed_.wait_until(lock, RealTimeOf(deadline));
  }
  waiters_.erase(me);
  return taken;
}

void SimClock::Set(platform::EventState& event) {
  {
    std::lock_guard lock(mutex_);
    Signalled(event) = true;
  }
  changed_.notify_all();
}

void SimClock::Reset(platform::EventState& event) {
  std::lock_guard lock(mutex_);
  Signalled(event) = false;
}

void SimClock::Dispatch() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    const int64_t now = NowLocked();
    if (!timers_.empty() && timers_.begin()->first <= now) {
      auto action = std::move(timers_.begin()->second.second);
      timers_.erase(timers_.begin());
      lock.unlock();
      action();
      lock.lock();
      continue;
    }
    const int64_t nextTimer = timers_.empty() ? kNever : timers_.begin()->first;
    if (mode_ != ClockMode::Instant) {
      changed_.wait_until(lock, RealTimeOf(nextTimer));
      continue;
    }
    // Instant time moves only when every known waiter is blocked, and then to the earliest
    // moment at which something can happen.
    bool allBlocked = !waiters_.empty();
    int64_t target = nextTimer;
    for (const auto& [id, w] : waiters_) {
      if (WaiterRunnable(w, now)) {
        allBlocked = false;
        break;
      }
      target = std::min(target, w.DeadlineNs);
    }
    if (allBlocked && target != kNever) {
      instantNs_ = std::max(instantNs_, target);
      changed_.notify_all();
      continue;
    }
    changed_.wait(lock);
  }
}

}  // namespace sim
