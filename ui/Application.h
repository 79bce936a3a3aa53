#pragma once
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ui/FrontEnd.h"
#include "ui/MessageFlags.h"

namespace ui {

class Thread;
class ScriptedFrontEnd;

// The application object: message boxes, the default exception handler, event dispatch, the
// queue of synchronous calls from workers and the registry of live workers. One instance,
// `ui::Application`. The GUI thread is the thread that created it (the program's main thread),
// unless SetGuiThread() says otherwise.
class TApplication {
public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Installs the front end (not owned); nullptr restores the built-in scripted one, which
    // records message boxes and cancels every dialog.
    void SetFrontEnd(FrontEnd* frontEnd);
    ui::FrontEnd& FrontEnd() const { return *frontEnd_; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& file) { helpFile_ = file; }

    int MessageBox(const std::string& text, const std::string& caption, int flags);

    // Runs an event handler the way the message loop does: an exception that leaves it is shown
    // by the default exception handler and the handler is abandoned. Inside another handler (or a
    // synchronous call) the handler runs directly, so its exception reaches the outer one.
    void Dispatch(const std::function<void()>& handler);
    // Shows `message` in a box captioned with the title, with the stop icon.
    void HandleException(const std::string& message);

    bool IsGuiThread() const;
    void SetGuiThread();

    // Runs fn on the GUI thread and returns when it has run; an exception from fn is raised again
    // in the caller. On the GUI thread fn runs at once.
    void Synchronize(const std::function<void()>& fn);
    // Runs every queued synchronous call (GUI thread only); returns how many ran.
    int ServePendingCalls();
    // True on the GUI thread while it runs a worker's synchronous call: what runs then was asked
    // for by that worker, not by the operator.
    bool ServingSynchronousCall() const;
    // Serves queued synchronous calls and lets the front end handle its events.
    void ProcessMessages();

    // Waits until the worker has finished, serving its synchronous calls meanwhile.
    void WaitForWorker(Thread& worker);
    // Waits for every started worker that has not finished, whatever it is doing.
    void WaitForAllWorkers();
    bool AnyWorkerAlive() const;

    // Asks the message loop to end (closing the main window).
    void Terminate();
    bool Terminated() const;
    void ResetTerminated();

private:
    friend class Thread;
    struct PendingCall;

    void RegisterWorker(Thread* worker);
    void UnregisterWorker(Thread* worker);
    void WorkerFinished();

    std::unique_ptr<ScriptedFrontEnd> defaultFrontEnd_;
    ui::FrontEnd* frontEnd_;
    std::string title_ = "Quev";
    std::string helpFile_;
    std::thread::id guiThread_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<PendingCall>> pending_;
    std::vector<Thread*> workers_;
    bool terminated_ = false;
};

extern TApplication Application;

} // namespace ui
