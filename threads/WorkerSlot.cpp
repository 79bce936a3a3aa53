#include "threads/WorkerSlot.h"

#include "state/State.h"

namespace {
constexpr const char* kErrorCaption = "ОШИБКА!!!";
}

void ReapWorker(ui::Thread*& slot) {
    if (slot == nullptr) return;
    slot->WaitFor();
    delete slot;
    slot = nullptr;
}

void StopAndReapAllWorkers() {
    ThreadControl.AcqRunning = 0;
    ThreadControl.AfcRunning = 0;
    ThreadControl.PlayRunning = 0;
    // A worker outside the slots (a test's, or one being created) is awaited too.
    ui::Application.WaitForAllWorkers();
    ReapWorker(ThreadControl.AdcWorker);
    ReapWorker(ThreadControl.DacWorker);
    ReapWorker(ThreadControl.PlayWorker);
}

void StationWorker::ErrorBox(const std::string& text, int flags) {
    OnGui([&] { ui::Application.MessageBox(text, kErrorCaption, flags); });
}
