#pragma once
#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace ui {

// A worker thread. The creator constructs the object and calls Start() right after, so that the
// derived object is complete before Execute() runs. An exception that leaves Execute() ends the
// worker quietly (kept in FatalException()). The owner waits for the worker (WaitFor) before
// destroying it; the destructor waits as a last resort.
class Thread {
public:
    Thread() = default;
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    void Start();
    bool Started() const { return started_; }
    // True once Execute() has returned, and for a worker never started.
    bool Finished() const { return !started_ || finished_; }

    // Waits until the worker has finished; on the GUI thread its synchronous calls are served
    // meanwhile.
    void WaitFor();

    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

    std::exception_ptr FatalException() const { return fatal_; }

protected:
    virtual void Execute() = 0;
    // Runs fn on the GUI thread while this worker waits.
    void Synchronize(const std::function<void()>& fn);

private:
    friend class TApplication;
    void Run();
    void Join();

    std::thread thread_;
    std::atomic<bool> started_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> terminated_{false};
    std::exception_ptr fatal_;
    std::mutex joinMutex_;
};

} // namespace ui
