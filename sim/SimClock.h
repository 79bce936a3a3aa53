#pragma once

// The one clock of the simulated bench: it paces the modules' transfers and, installed as the
// platform clock, the station's tick count and event waits, so that scaled or instant time
// stretches or removes the time-outs exactly as it does the transfers.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Events.h"
#include "sim/SimApi.h"

namespace sim {

enum class ClockMode {
  RealTime,  // one simulated millisecond per real one
  Scaled,    // Scale simulated milliseconds per real one
  Instant,   // time stands still until every waiter the clock knows of waits; then it jumps to
             // the next due transfer or time-out. A wait for another thread's SetEvent that
             // has a time-out therefore ends at once.
};

class SIM_API SimClock : public platform::Clock {
 public:
  using TimerId = uint64_t;

  SimClock();
  ~SimClock() override;

  void SetMode(ClockMode mode, double scale = 1.0);
  ClockMode Mode();
  int64_t NowNs();
  double NowSeconds() { return static_cast<double>(NowNs()) * 1e-9; }

  // Runs action on the clock's own thread once simulated time reaches dueNs (at once when it
  // has). Actions run in due order, one at a time, without the clock's lock held.
  TimerId Schedule(int64_t dueNs, std::function<void()> action);
  void Cancel(TimerId id);

  // platform::Clock
  uint64_t NowMs() override;
  bool Wait(platform::EventState& event, uint32_t timeoutMs) override;
  void Set(platform::EventState& event) override;
  void Reset(platform::EventState& event) override;

 private:
  using Steady = std::chrono::steady_clock;
  struct Waiter {
    platform::EventState* Event;
    int64_t DeadlineNs;
  };

  int64_t NowLocked() const;
  Steady::time_point RealTimeOf(int64_t simNs) const;
  bool WaiterRunnable(const Waiter& w, int64_t now) const;
  void Dispatch();

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  ClockMode mode_ = ClockMode::RealTime;
  double scale_ = 1.0;
  int64_t baseSimNs_ = 0;
  Steady::time_point baseReal_;
  int64_t instantNs_ = 0;
  TimerId nextId_ = 1;
  std::multimap<int64_t, std::pair<TimerId, std::function<void()>>> timers_;
  std::map<uint64_t, Waiter> waiters_;
  uint64_t nextWaiter_ = 0;
  bool stopping_ = false;
  std::thread dispatcher_;
};

}  // namespace sim
