#include "sim/BenchControl.h"

#include "sim/BenchState.h"
#include "sim/ModuleCore.h"

namespace sim {
namespace {

BenchState& State() { return BenchState::Get(); }

// Applies a change to the bench state under its lock.
template <typename Change>
void Update(Change change) {
  BenchState& s = State();
  std::lock_guard lock(s.mutex);
  change(s);
}

template <typename Read>
auto Query(Read read) {
  BenchState& s = State();
  std::lock_guard lock(s.mutex);
  return read(s);
}

ModuleAnswers& Answers(BenchState& s, ModuleKind kind) { return s.answers[KindIndex(kind)]; }

}  // namespace

BenchControl& Bench() {
  static BenchControl control;
  State();  // installs the simulated clock
  return control;
}

void BenchControl::Reset() {
  Update([](BenchState& s) { s.ResetLocked(); });
  SetClock(ClockMode::RealTime);
}

void BenchControl::SetPresent(ModuleKind kind, bool present) {
  Update([&](BenchState& s) { Answers(s, kind).Present = present; });
}
void BenchControl::SetCreatable(ModuleKind kind, bool creatable) {
  Update([&](BenchState& s) { Answers(s, kind).Creatable = creatable; });
}
void BenchControl::SetDllVersion(ModuleKind kind, uint32_t version) {
  Update([&](BenchState& s) { Answers(s, kind).DllVersion = version; });
}
void BenchControl::SetModuleName(ModuleKind kind, const std::string& name) {
  Update([&](BenchState& s) { Answers(s, kind).Name = name; });
}
void BenchControl::SetSerialNumber(ModuleKind kind, const std::string& serial) {
  Update([&](BenchState& s) { Answers(s, kind).Serial = serial; });
}
void BenchControl::SetDacFitted(ModuleKind kind, bool fitted) {
  Update([&](BenchState& s) { Answers(s, kind).DacFitted = fitted; });
}
void BenchControl::SetRateWriteBack(ModuleKind kind, double rateKHz) {
  Update([&](BenchState& s) { Answers(s, kind).RateWriteBack = rateKHz; });
}
void BenchControl::SetLbiosVersion(uint32_t version) {
  Update([&](BenchState& s) { s.lbiosVersion = version; });
}
void BenchControl::SetUsbSpeed(uint8_t speed) {
  Update([&](BenchState& s) { s.usbSpeed = speed; });
}
void BenchControl::SetAvrVersion(const std::string& version) {
  Update([&](BenchState& s) { s.avrVersion = version; });
}
void BenchControl::SetDspVersion(uint8_t major, uint8_t minor) {
  Update([&](BenchState& s) {
    s.dspMajor = major;
    s.dspMinor = minor;
  });
}

void BenchControl::FailOnCall(ModuleKind kind, const std::string& operation, int nth) {
  if (nth < 1) return;
  Update([&](BenchState& s) { s.failRules[KindIndex(kind)].push_back({operation, nth, 0}); });
}
void BenchControl::FailAlways(ModuleKind kind, const std::string& operation) {
  Update([&](BenchState& s) { s.failRules[KindIndex(kind)].push_back({operation, 0, 0}); });
}
void BenchControl::StallAfter(ModuleKind kind, Direction direction, int blocks) {
  Update([&](BenchState& s) {
    s.stalls[KindIndex(kind)][direction == Direction::Read ? 0 : 1] = {true, blocks};
  });
}

void BenchControl::SetClock(ClockMode mode, double scale) {
  BenchState& s = State();
  s.clock->SetMode(mode, scale);
  platform::SetClock(s.clock);  // again, in case something else was installed meanwhile
}
SimClock& BenchControl::Clock() { return *State().clock; }

bool BenchControl::SetScenario(const std::string& name) {
  return Query([&](BenchState& s) { return ApplyScenario(s.model, name); });
}
void BenchControl::SetInput(int channel, const InputSignal& signal) {
  if (channel < 0 || channel >= 16) return;
  Update([&](BenchState& s) { s.model.Inputs[channel] = signal; });
}
void BenchControl::SetModel(const BenchModel& model) {
  Update([&](BenchState& s) { s.model = model; });
}
BenchModel BenchControl::Model() {
  return Query([](BenchState& s) { return s.model; });
}

std::vector<std::string> BenchControl::LibraryLog(ModuleKind kind) {
  return Query([&](BenchState& s) { return s.libraryLog[KindIndex(kind)]; });
}
int BenchControl::InstanceCount(ModuleKind kind) {
  return Query([&](BenchState& s) { return static_cast<int>(s.instances[KindIndex(kind)].size()); });
}
std::vector<std::string> BenchControl::CallLog(ModuleKind kind, int instance) {
  ModuleCore* module = State().Instance(kind, instance);
  return module ? module->Log() : std::vector<std::string>{};
}
int BenchControl::CallsAfterRelease() {
  return Query([](BenchState& s) { return s.callsAfterRelease; });
}

QUEV_INPUT_PARS BenchControl::LastQuevInputPars() {
  return Query([](BenchState& s) { return s.lastQuevInput; });
}
QUEV_OUTPUT_PARS BenchControl::LastQuevOutputPars() {
  return Query([](BenchState& s) { return s.lastQuevOutput; });
}
RTUSB3000::INPUT_PARS BenchControl::LastUsb3000InputPars() {
  return Query([](BenchState& s) { return s.lastUsbInput; });
}
RTUSB3000::OUTPUT_PARS BenchControl::LastUsb3000OutputPars() {
  return Query([](BenchState& s) { return s.lastUsbOutput; });
}

std::vector<uint16_t> BenchControl::DacWords(ModuleKind kind, int instance) {
  ModuleCore* module = State().Instance(kind, instance);
  return module ? module->Transfers().DacWords() : std::vector<uint16_t>{};
}
size_t BenchControl::DacUnderruns(ModuleKind kind, int instance) {
  ModuleCore* module = State().Instance(kind, instance);
  return module ? module->Transfers().DacUnderruns() : 0;
}
uint64_t BenchControl::AdcOverruns(ModuleKind kind, int instance) {
  ModuleCore* module = State().Instance(kind, instance);
  return module ? module->Transfers().AdcOverruns() : 0;
}

}  // namespace sim
