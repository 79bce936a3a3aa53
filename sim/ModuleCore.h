#pragma once

// What both simulated modules share: the call log and injected failures, the bring-up state,
// the release, and the block transfers.

#include <mutex>
#include <string>
#include <vector>

#include "sim/BenchState.h"
#include "sim/TransferEngine.h"

namespace sim {

class ModuleCore {
 public:
  explicit ModuleCore(ModuleKind kind);

  // Every operation starts here: it is logged, and false means it must return 0 at once
  // (made to fail, or called after the release).
  bool Enter(const char* operation);

  bool OpenDevice(uint16_t slot);
  // Ends the instance's use; the transfers are cancelled even when the call is made to fail.
  int32_t Release();

  void LoadFirmware() { firmwareLoaded_ = true; }
  bool FirmwareLoaded() const { return firmwareLoaded_; }
  bool Opened() const { return opened_; }

  // The converters' operations, answered alike by both modules. A transfer is queued through
  // the engine, counting stalls; the caller's counts are never written. A count that is not a
  // whole number of the module's transfer units is refused, as the driver does.
  int32_t StartRead(const AdcSetup& setup);
  int32_t StopRead();
  int32_t Read(int16_t* buffer, const uint32_t* count, OverlappedRecord* overlapped);
  // `fitted`: the module has a DAC to take the call.
  int32_t StartWrite(double rateKHz, uint16_t fifoLength, bool fitted = true);
  int32_t StopWrite();
  int32_t Write(int16_t* words, const uint32_t* count, OverlappedRecord* overlapped,
                bool fitted = true);

  // Reads or changes the shared bench state under its lock.
  template <typename Access>
  auto WithBench(Access access) {
    std::lock_guard lock(bench_.mutex);
    return access(bench_);
  }
  ModuleAnswers Answers() {
    return WithBench([this](BenchState& s) { return s.answers[KindIndex(kind_)]; });
  }

  TransferEngine& Transfers() { return transfers_; }
  ModuleKind Kind() const { return kind_; }
  std::vector<std::string> Log();

 private:
  bool WholeUnits(const uint32_t* count) const;

  ModuleKind kind_;
  BenchState& bench_;
  TransferEngine transfers_;
  std::vector<std::string> log_;  // guarded by the bench's mutex
  bool released_ = false;
  bool opened_ = false;
  bool firmwareLoaded_ = false;
};

// Copies text into a fixed field of the vendor's records, NUL-padded; the last byte stays NUL.
void CopyText(char* field, size_t size, const std::string& text);
inline void CopyText(uint8_t* field, size_t size, const std::string& text) {
  CopyText(reinterpret_cast<char*>(field), size, text);
}
// Copies at most `limit` characters; the NUL follows only when the text is shorter, as a module
// filling a fixed field does.
void PutField(char* out, size_t limit, const std::string& text);

}  // namespace sim
