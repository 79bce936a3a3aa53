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

void TransferQueue::Open(size_t depth) {
    Close();
    if (slots_.size() < depth) slots_.resize(depth);
    depth_ = depth;
    for (size_t i = 0; i < depth_; ++i) OpenTransfer(slots_[i].Event, slots_[i].Overlapped);
}

void TransferQueue::Close() {
    for (Slot& slot : slots_) CloseTransfer(slot.Event);
    depth_ = 0;
    queued_ = 0;
    awaited_ = 0;
}

TransferQueue::Slot* TransferQueue::Next() {
    if (depth_ == 0 || InFlight() >= depth_) return nullptr;
    Slot& slot = slots_[queued_ % depth_];
    slot.Overlapped = OverlappedRecord{};
    slot.Overlapped.hEvent = slot.Event;
    slot.BytesDone = 0;
    return &slot;
}

void TransferQueue::Queued() { ++queued_; }

bool TransferQueue::AwaitOldest(uint32_t timeoutMs) {
    if (InFlight() == 0) return false;
    if (!TransferCompleted(slots_[awaited_ % depth_].Event, timeoutMs)) return false;
    ++awaited_;
    return true;
}
