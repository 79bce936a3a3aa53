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
