#pragma once
// The one way the station's workers (real-time acquisition, sweep, playback) start, are gated
// and stop.
//
// - One block-transfer activity at a time: while any worker is alive (running, stopping, or a
//   compute-only or report-only run), a start does nothing. Handlers that read or resize the
//   shared buffers ask WorkersBusy() first and do nothing either.
// - Each kind keeps its worker in its slot of ThreadControl (AdcWorker, DacWorker, PlayWorker).
//   The finished worker of the kind is joined and deleted before the next one is created.
// - A worker is stopped by clearing its running flag: it then runs its own stop sequence and
//   ends by itself. Shutdown clears every flag and reaps every slot, serving the workers'
//   synchronous calls while it waits, so that none finds the forms or the modules gone.

#include <utility>

#include "ui/Application.h"
#include "ui/Thread.h"

// True while any worker is alive, whatever it is doing.
inline bool WorkersBusy() { return ui::Application.AnyWorkerAlive(); }

// True while a live worker may be writing the record and the caller is not one of the workers'
// own synchronous calls (which run while the worker waits, its transfers in hand): a view of the
// record then draws nothing.
inline bool RecordInWorkersHands() { return WorkersBusy() && !ui::Application.ServingSynchronousCall(); }

// Waits for the worker in `slot` (serving its synchronous calls), deletes it and empties the
// slot. An empty slot is left as it is.
void ReapWorker(ui::Thread*& slot);

// Clears every running flag and reaps the three slots: the shutdown of every worker.
void StopAndReapAllWorkers();

// Creates a W from `args` in `slot` and starts it, unless a worker is alive; the previous
// (finished) worker of the slot is reaped first. Returns the new worker, or nullptr when the
// start was refused.
template <class W, class... Args>
W* StartWorker(ui::Thread*& slot, Args&&... args) {
    if (WorkersBusy()) return nullptr;
    ReapWorker(slot);
    auto* worker = new W(std::forward<Args>(args)...);
    slot = worker;
    worker->Start();
    return worker;
}

// The base of the station's workers: synchronous calls onto the GUI thread and the error box
// every failure exit shows.
class StationWorker : public ui::Thread {
protected:
    // Runs fn on the GUI thread while the worker waits; fn's exception is raised in the worker.
    void OnGui(const std::function<void()>& fn) { Synchronize(fn); }
    // The "ОШИБКА!!!" box with `text`, shown from the GUI thread.
    void ErrorBox(const std::string& text, int flags = 0);
};
