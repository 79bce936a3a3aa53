#pragma once

// The state behind BenchControl, shared by every simulated module instance. It is created on
// first use and never destroyed, so that module threads still running at process exit find it.

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/BenchControl.h"

namespace sim {

class ModuleCore;

struct ModuleAnswers {
  bool Present = true;
  bool Creatable = true;
  uint32_t DllVersion = 0;
  std::string Name;
  std::string Serial;
  bool DacFitted = true;
  double RateWriteBack = 0;
};

// The modules the environment variable QUEV_SIM_MODULES names answer (OpenDevice(0) succeeds)
// and the others do not: "quev" (with its DAC), "quev-nodac", "usb3000", separated by commas, or
// "none". Unset leaves the answers alone; an unknown value is reported on the standard error
// and leaves them alone too.
void ApplyModuleChoice(ModuleAnswers& quev, ModuleAnswers& usb3000);

struct FailRule {
  std::string Operation;
  int Nth = 0;  // 0: every call
  int Seen = 0;
};

struct StallRule {
  bool Active = false;
  int Remaining = 0;
};

class BenchState {
 public:
  static BenchState& Get();

  void ResetLocked();
  // Logs a library call; true when it is to fail.
  bool LibraryCall(ModuleKind kind, const std::string& operation);
  // The library's two functions, logged under their names: the version it reports, and
  // whether it gives an interface for the name asked (its own name only).
  uint32_t DllVersion(ModuleKind kind, const std::string& function);
  bool MayCreate(ModuleKind kind, const std::string& function, const char* asked,
                 const char* own);
  // True when this call of the operation is to fail (a rule counts it).
  bool ShouldFailLocked(ModuleKind kind, const std::string& operation);
  // True when a newly queued transfer of the direction is never to complete.
  bool TakeStall(ModuleKind kind, Direction direction);
  int Register(ModuleKind kind, ModuleCore* module);
  // The library's create function: a new simulated module of the kind when the bench lets the
  // name asked have one, registered so that tests can reach it; it lives as long as the process.
  template <class Module>
  Module* Create(ModuleKind kind, const std::string& function, const char* asked,
                 const char* own) {
    if (!MayCreate(kind, function, asked, own)) return nullptr;
    auto* module = new Module;
    Register(kind, &module->Core());
    return module;
  }
  ModuleCore* Instance(ModuleKind kind, int index);

  std::mutex mutex;
  std::shared_ptr<SimClock> clock;
  ModuleAnswers answers[2];
  uint32_t lbiosVersion = 0;
  uint8_t usbSpeed = 0;
  std::string avrVersion;
  uint8_t dspMajor = 0, dspMinor = 0;
  std::vector<FailRule> failRules[2];
  StallRule stalls[2][2];
  BenchModel model;
  std::vector<std::string> libraryLog[2];
  std::vector<ModuleCore*> instances[2];  // since the last reset, as numbered in the logs
  std::vector<ModuleCore*> everCreated;   // every instance of the process, never freed
  int callsAfterRelease = 0;
  QUEV_INPUT_PARS lastQuevInput{};
  QUEV_OUTPUT_PARS lastQuevOutput{};
  RTUSB3000::INPUT_PARS lastUsbInput{};
  RTUSB3000::OUTPUT_PARS lastUsbOutput{};

 private:
  BenchState();
};

inline int KindIndex(ModuleKind kind) { return kind == ModuleKind::Quev ? 0 : 1; }

}  // namespace sim
