#include "state/Transfer.h"

void OpenTransfer(platform::Event& event, OverlappedRecord& overlapped) {
    event = platform::CreateEvent();
    overlapped = OverlappedRecord{};
    overlapped.hEvent = event;
}

void CloseTransfer(platform::Event& event) {
    if (event != nullptr) platform::CloseHandle(event);
    event = nullptr;
}

bool TransferCompleted(platform::Event event, uint32_t timeoutMs) {
    if (event == nullptr) return false;
    return platform::WaitForSingleObject(event, timeoutMs) == platform::kWaitObject0;
}

bool TransfersCompleted(platform::Event event, OverlappedRecord& record, uintptr_t count, uint32_t timeoutMs) {
    while (CompletedTransfers(record) < count) {
        if (!TransferCompleted(event, timeoutMs)) return CompletedTransfers(record) >= count;
    }
    return true;
}
