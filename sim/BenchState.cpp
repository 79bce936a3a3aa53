#include "sim/BenchState.h"

#include <cstring>

#include "sim/Defaults.h"
#include "sim/ModuleCore.h"

namespace sim {

BenchState& BenchState::Get() {
  static BenchState* state = new BenchState;  // never destroyed: see the header
  return *state;
}

BenchState::BenchState() : clock(new SimClock, [](SimClock*) {}) {
  ResetLocked();
  platform::SetClock(clock);
}

void BenchState::ResetLocked() {
  answers[0] = ModuleAnswers{true, true, defaults::kQuevDllVersion, defaults::kQuevModuleName,
                             defaults::kQuevSerialNumber, true, 0};
  answers[1] = ModuleAnswers{true,
                             true,
                             defaults::kUsb3000DllVersion,
                             defaults::kUsb3000ModuleName,
                             defaults::kUsb3000SerialNumber,
                             true,
                             0};
  ApplyModuleChoice(answers[0], answers[1]);
  lbiosVersion = defaults::kQuevLbiosVersion;
  usbSpeed = defaults::kUsb3000UsbSpeed;
  avrVersion = defaults::kUsb3000AvrVersion;
  dspMajor = defaults::kUsb3000DspMajor;
  dspMinor = defaults::kUsb3000DspMinor;
  // Instances from before stay callable, but nothing they had queued completes any more.
  for (ModuleCore* module : everCreated) {
    module->Transfers().StopRead();
    module->Transfers().StopWrite();
  }
  for (int k = 0; k < 2; ++k) {
    failRules[k].clear();
    stalls[k][0] = stalls[k][1] = StallRule{};
    libraryLog[k].clear();
    instances[k].clear();  // the instances themselves live on
  }
  model = DefaultBenchModel();
  callsAfterRelease = 0;
  lastQuevInput = {};
  lastQuevOutput = {};
  lastUsbInput = {};
  lastUsbOutput = {};
}

bool BenchState::LibraryCall(ModuleKind kind, const std::string& operation) {
  std::lock_guard lock(mutex);
  libraryLog[KindIndex(kind)].push_back(operation);
  return ShouldFailLocked(kind, operation);
}

uint32_t BenchState::DllVersion(ModuleKind kind, const std::string& function) {
  LibraryCall(kind, function);
  std::lock_guard lock(mutex);
  return answers[KindIndex(kind)].DllVersion;
}

bool BenchState::MayCreate(ModuleKind kind, const std::string& function, const char* asked,
                           const char* own) {
  if (LibraryCall(kind, function)) return false;
  {
    std::lock_guard lock(mutex);
    if (!answers[KindIndex(kind)].Creatable) return false;
  }
  return asked != nullptr && std::strcmp(asked, own) == 0;
}

bool BenchState::ShouldFailLocked(ModuleKind kind, const std::string& operation) {
  bool fail = false;
  for (FailRule& rule : failRules[KindIndex(kind)]) {
    if (rule.Operation != operation) continue;
    ++rule.Seen;
    if (rule.Nth == 0 || rule.Nth == rule.Seen) fail = true;
  }
  return fail;
}

bool BenchState::TakeStall(ModuleKind kind, Direction direction) {
  std::lock_guard lock(mutex);
  StallRule& rule = stalls[KindIndex(kind)][direction == Direction::Read ? 0 : 1];
  if (!rule.Active) return false;
  if (rule.Remaining > 0) {
    --rule.Remaining;
    return false;
  }
  return true;
}

int BenchState::Register(ModuleKind kind, ModuleCore* module) {
  std::lock_guard lock(mutex);
  auto& list = instances[KindIndex(kind)];
  list.push_back(module);
  everCreated.push_back(module);
  return static_cast<int>(list.size()) - 1;
}

ModuleCore* BenchState::Instance(ModuleKind kind, int index) {
  std::lock_guard lock(mutex);
  const auto& list = instances[KindIndex(kind)];
  return index >= 0 && index < static_cast<int>(list.size()) ? list[index] : nullptr;
}

}  // namespace sim
