#include "ui/Thread.h"

#include "ui/Application.h"

namespace ui {

Thread::~Thread() {
    // Serving the worker's synchronous calls while waiting, so that a worker blocked in one ends.
    WaitFor();
    Application.UnregisterWorker(this);
}

void Thread::Start() {
    if (started_.exchange(true)) return;
    Application.RegisterWorker(this);
    thread_ = std::thread([this] { Run(); });
}

void Thread::Run() {
    try {
        Execute();
    } catch (...) {
        fatal_ = std::current_exception();
    }
    finished_ = true;
    Application.WorkerFinished();
}

void Thread::WaitFor() {
    if (!started_) return;
    Application.WaitForWorker(*this);
}

void Thread::Join() {
    std::lock_guard lock(joinMutex_);
    if (thread_.joinable()) thread_.join();
}

void Thread::Synchronize(const std::function<void()>& fn) { Application.Synchronize(fn); }

} // namespace ui
