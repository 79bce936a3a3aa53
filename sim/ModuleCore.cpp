#include "sim/ModuleCore.h"

#include <algorithm>
#include <cstring>

#include "sim/Defaults.h"

namespace sim {

ModuleCore::ModuleCore(ModuleKind kind)
    : kind_(kind), bench_(BenchState::Get()), transfers_(kind, *bench_.clock) {}

bool ModuleCore::Enter(const char* operation) {
  std::lock_guard lock(bench_.mutex);
  log_.emplace_back(operation);
  if (released_) {
    ++bench_.callsAfterRelease;
    return false;
  }
  return !bench_.ShouldFailLocked(kind_, operation);
}

bool ModuleCore::OpenDevice(uint16_t slot) {
  std::lock_guard lock(bench_.mutex);
  opened_ = slot == 0 && bench_.answers[KindIndex(kind_)].Present;
  return opened_;
}

int32_t ModuleCore::Release() {
  const bool ok = Enter("ReleaseDevice");
  {
    std::lock_guard lock(bench_.mutex);
    if (released_) return 0;
    released_ = true;
  }
  transfers_.StopRead();
  transfers_.StopWrite();
  return ok ? 1 : 0;
}

int32_t ModuleCore::StartRead(const AdcSetup& setup) {
  if (!Enter("START_READ")) return 0;
  transfers_.StartRead(setup, WithBench([](BenchState& s) { return s.model; }));
  return 1;
}

int32_t ModuleCore::StopRead() {
  if (!Enter("STOP_READ")) return 0;
  transfers_.StopRead();
  return 1;
}

int32_t ModuleCore::StartWrite(double rateKHz, uint16_t fifoLength, bool fitted) {
  if (!Enter("START_WRITE") || !fitted) return 0;
  const double latency = WithBench([](BenchState& s) { return s.model.DacLatencyMs; });
  transfers_.StartWrite(rateKHz, fifoLength, latency);
  return 1;
}

int32_t ModuleCore::StopWrite() {
  if (!Enter("STOP_WRITE")) return 0;
  transfers_.StopWrite();
  return 1;
}

bool ModuleCore::WholeUnits(const uint32_t* count) const {
  const uint32_t unit = kind_ == ModuleKind::Quev ? defaults::kQuevTransferUnit
                                                  : defaults::kUsb3000TransferUnit;
  return count != nullptr && *count > 0 && *count % unit == 0;
}

int32_t ModuleCore::Read(int16_t* buffer, const uint32_t* count, OverlappedRecord* overlapped) {
  if (!Enter("ReadData")) return 0;
  if (buffer == nullptr || !WholeUnits(count) || overlapped == nullptr) return 0;
  const bool stall = bench_.TakeStall(kind_, Direction::Read);
  transfers_.QueueRead(buffer, *count, overlapped, stall);
  return 1;
}

int32_t ModuleCore::Write(int16_t* words, const uint32_t* count, OverlappedRecord* overlapped,
                          bool fitted) {
  if (!Enter("WriteData") || !fitted) return 0;
  if (words == nullptr || !WholeUnits(count) || overlapped == nullptr) return 0;
  const bool stall = bench_.TakeStall(kind_, Direction::Write);
  transfers_.QueueWrite(words, *count, overlapped, stall);
  return 1;
}

std::vector<std::string> ModuleCore::Log() {
  std::lock_guard lock(bench_.mutex);
  return log_;
}

void CopyText(char* field, size_t size, const std::string& text) {
  std::memset(field, 0, size);
  if (size > 0) std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

void PutField(char* out, size_t limit, const std::string& text) {
  const size_t n = std::min(text.size(), limit);
  std::memcpy(out, text.data(), n);
  if (n < limit) out[n] = '\0';
}

}  // namespace sim
