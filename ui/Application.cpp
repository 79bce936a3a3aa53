#include "ui/Application.h"

#include <algorithm>

#include "ui/ScriptedFrontEnd.h"
#include "ui/Thread.h"

namespace ui {

TApplication Application;

namespace {
// Nesting of dispatched handlers on this thread: only the outermost one catches.
thread_local int dispatchDepth = 0;

struct DispatchLevel {
    DispatchLevel() { ++dispatchDepth; }
    ~DispatchLevel() { --dispatchDepth; }
};

// Nesting of synchronous calls being served on this thread.
thread_local int servingDepth = 0;
} // namespace

struct TApplication::PendingCall {
    std::function<void()> fn;
    std::exception_ptr error;
    bool done = false;
};

TApplication::TApplication()
    : defaultFrontEnd_(std::make_unique<ScriptedFrontEnd>()),
      frontEnd_(defaultFrontEnd_.get()),
      guiThread_(std::this_thread::get_id()) {}

TApplication::~TApplication() = default;

void TApplication::SetFrontEnd(ui::FrontEnd* frontEnd) {
    frontEnd_ = frontEnd != nullptr ? frontEnd : defaultFrontEnd_.get();
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, int flags) {
    return frontEnd_->MessageBox(text, caption, flags);
}

void TApplication::Dispatch(const std::function<void()>& handler) {
    if (dispatchDepth > 0) {
        handler();
        return;
    }
    DispatchLevel level;
    try {
        handler();
    } catch (const std::exception& e) {
        HandleException(e.what());
    } catch (...) {
        HandleException("Unknown exception");
    }
}

void TApplication::HandleException(const std::string& message) {
    MessageBox(message, title_, MB_OK | MB_ICONSTOP);
}

bool TApplication::IsGuiThread() const {
    std::lock_guard lock(mutex_);
    return std::this_thread::get_id() == guiThread_;
}

void TApplication::SetGuiThread() {
    std::lock_guard lock(mutex_);
    guiThread_ = std::this_thread::get_id();
}

void TApplication::Synchronize(const std::function<void()>& fn) {
    if (IsGuiThread()) {
        fn();
        return;
    }
    auto call = std::make_shared<PendingCall>();
    call->fn = fn;
    {
        std::unique_lock lock(mutex_);
        pending_.push_back(call);
        wake_.notify_all();
    }
    frontEnd_->WakeGui();
    std::exception_ptr error;
    {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return call->done; });
        // Taken out under the lock so that the exception lives and dies in this thread alone.
        error = std::move(call->error);
    }
    if (error) std::rethrow_exception(error);
}

int TApplication::ServePendingCalls() {
    int served = 0;
    for (;;) {
        std::shared_ptr<PendingCall> call;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty()) return served;
            call = pending_.front();
            pending_.pop_front();
        }
        {
            // A synchronous call counts as a handler: what it clicks or sets runs nested in it,
            // and its exception goes back to the worker instead of to the default handler.
            DispatchLevel level;
            std::exception_ptr error;
            ++servingDepth;
            try {
                call->fn();
            } catch (...) {
                error = std::current_exception();
            }
            --servingDepth;
            std::lock_guard lock(mutex_);
            call->error = std::move(error);
            call->done = true;
        }
        wake_.notify_all();
        ++served;
    }
}

bool TApplication::ServingSynchronousCall() const { return servingDepth > 0; }

void TApplication::ProcessMessages() {
    ServePendingCalls();
    frontEnd_->ProcessEvents();
}

void TApplication::WaitForWorker(Thread& worker) {
    if (!IsGuiThread()) {
        worker.Join();
        return;
    }
    for (;;) {
        ServePendingCalls();
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return !pending_.empty() || worker.Finished(); });
            if (pending_.empty() && worker.Finished()) break;
        }
    }
    worker.Join();
}

void TApplication::WaitForAllWorkers() {
    for (;;) {
        Thread* alive = nullptr;
        {
            std::lock_guard lock(mutex_);
            const auto it = std::find_if(workers_.begin(), workers_.end(),
                                         [](const Thread* t) { return !t->Finished(); });
            if (it != workers_.end()) alive = *it;
        }
        if (alive == nullptr) return;
        WaitForWorker(*alive);
    }
}

bool TApplication::AnyWorkerAlive() const {
    std::lock_guard lock(mutex_);
    return std::any_of(workers_.begin(), workers_.end(), [](const Thread* t) { return !t->Finished(); });
}

void TApplication::Terminate() {
    {
        std::lock_guard lock(mutex_);
        terminated_ = true;
    }
    frontEnd_->WakeGui();
}

bool TApplication::Terminated() const {
    std::lock_guard lock(mutex_);
    return terminated_;
}

void TApplication::ResetTerminated() {
    std::lock_guard lock(mutex_);
    terminated_ = false;
}

void TApplication::RegisterWorker(Thread* worker) {
    std::lock_guard lock(mutex_);
    workers_.push_back(worker);
}

void TApplication::UnregisterWorker(Thread* worker) {
    std::lock_guard lock(mutex_);
    std::erase(workers_, worker);
}

void TApplication::WorkerFinished() {
    // Taking the lock orders the finished flag before the waiter's predicate check.
    { std::lock_guard lock(mutex_); }
    wake_.notify_all();
}

} // namespace ui
