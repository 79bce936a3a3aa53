// The simulated Quev module.

#include <cmath>
#include <cstring>

#include "sim/Defaults.h"
#include "sim/Library.h"
#include "sim/ModuleCore.h"

namespace sim {
namespace {

// Slots the station never calls answer failure.
#define SIM_UNUSED_SLOT(n) \
  int32_t QUEV_STDCALL Unused##n() override { return core_.Enter("Unused" #n), 0; }

class QuevSimModule final : public IQuevModule {
 public:
  QuevSimModule() : core_(ModuleKind::Quev) {
    input_.size = sizeof(QUEV_INPUT_PARS);
    input_.ChannelsQuantity = 1;
    for (int i = 0; i < 128; ++i) input_.ControlTable[i] = static_cast<uint16_t>(15 - (i & 15));
    input_.InputRate = defaults::kQuevInputRate;
    input_.InputFifoLength = defaults::kQuevInputFifoLength;
    std::memcpy(input_.AdcCalibration, defaults::kQuevAdcCalibration,
                sizeof(input_.AdcCalibration));
    output_.size = sizeof(QUEV_OUTPUT_PARS);
    output_.OutputRate = defaults::kQuevOutputRate;
    output_.OutputFifoBaseAddress = defaults::kQuevOutputFifoBase;
    output_.OutputFifoLength = defaults::kQuevOutputFifoLength;
  }

  ModuleCore& Core() { return core_; }

  SIM_UNUSED_SLOT(0)
  SIM_UNUSED_SLOT(2)
  SIM_UNUSED_SLOT(5)
  SIM_UNUSED_SLOT(9)
  SIM_UNUSED_SLOT(10)
  SIM_UNUSED_SLOT(15)
  SIM_UNUSED_SLOT(16)
  SIM_UNUSED_SLOT(23)
  SIM_UNUSED_SLOT(24)
  SIM_UNUSED_SLOT(25)
  SIM_UNUSED_SLOT(26)
  SIM_UNUSED_SLOT(27)
  SIM_UNUSED_SLOT(28)
  SIM_UNUSED_SLOT(29)

  int32_t QUEV_STDCALL OpenDevice(uint16_t VirtualSlot) override {
    return core_.Enter("OpenDevice") && core_.OpenDevice(VirtualSlot);
  }

  int32_t QUEV_STDCALL GetModuleName(char* ModuleName) override {
    if (!core_.Enter("GetModuleName") || ModuleName == nullptr || !core_.Opened()) return 0;
    const std::string name = core_.Answers().Name;
    std::memcpy(ModuleName, name.c_str(), name.size() + 1);
    return 1;
  }

  int32_t QUEV_STDCALL ReleaseDevice() override { return core_.Release(); }

  int32_t QUEV_STDCALL LOAD_BIOS(const char*) override {
    if (!core_.Enter("LOAD_BIOS") || !core_.Opened()) return 0;
    core_.LoadFirmware();
    return 1;
  }

  int32_t QUEV_STDCALL MODULE_TEST() override {
    return core_.Enter("MODULE_TEST") && core_.FirmwareLoaded();
  }

  int32_t QUEV_STDCALL GET_LBIOS_VERSION(uint32_t* LbiosVersion) override {
    if (!core_.Enter("GET_LBIOS_VERSION") || LbiosVersion == nullptr) return 0;
    *LbiosVersion = core_.WithBench([](BenchState& s) { return s.lbiosVersion; });
    return 1;
  }

  int32_t QUEV_STDCALL GET_INPUT_PARS(QUEV_INPUT_PARS* ap) override {
    if (!core_.Enter("GET_INPUT_PARS") || ap == nullptr || ap->size != sizeof(*ap)) return 0;
    std::memcpy(ap, &input_, sizeof(*ap));
    return 1;
  }

  int32_t QUEV_STDCALL SET_INPUT_PARS(QUEV_INPUT_PARS* ap) override {
    if (!core_.Enter("SET_INPUT_PARS") || ap == nullptr) return 0;
    core_.WithBench([ap](BenchState& s) { std::memcpy(&s.lastQuevInput, ap, sizeof(*ap)); });
    const double rate = ap->InputRate;
    if (ap->size != sizeof(*ap) || !std::isfinite(rate) || rate <= 0 ||
        ap->ChannelsQuantity < 1 || ap->ChannelsQuantity > 16)
      return 0;
    std::memcpy(&input_, ap, sizeof(input_));
    const double writeBack = core_.Answers().RateWriteBack;
    input_.InputRate = writeBack > 0 ? writeBack : std::fmin(rate, defaults::kQuevMaxInputRate);
    input_.InputFifoLength = defaults::kQuevInputFifoLength;
    ap->InputRate = input_.InputRate;
    ap->InputFifoLength = input_.InputFifoLength;
    return 1;
  }

  int32_t QUEV_STDCALL START_READ() override {
    if (!core_.Enter("START_READ")) return 0;
    AdcSetup setup;
    setup.RateKHz = input_.InputRate;
    setup.Channels = input_.ChannelsQuantity;
    std::memcpy(setup.ControlTable.data(), input_.ControlTable, sizeof(uint16_t) * 16);
    core_.Transfers().StartRead(setup, core_.WithBench([](BenchState& s) { return s.model; }));
    return 1;
  }

  int32_t QUEV_STDCALL STOP_READ() override {
    if (!core_.Enter("STOP_READ")) return 0;
    core_.Transfers().StopRead();
    return 1;
  }

  int32_t QUEV_STDCALL ReadData(int16_t* lpBuffer, uint32_t* nNumberOfWordsToRead, uint32_t*,
                                OverlappedRecord* lpOverlapped) override {
    if (!core_.Enter("ReadData")) return 0;
    return core_.Read(lpBuffer, nNumberOfWordsToRead, lpOverlapped);
  }

  int32_t QUEV_STDCALL WriteData(int16_t* lpBuffer, uint32_t* nNumberOfWordsToWrite, uint32_t*,
                                 OverlappedRecord* lpOverlapped) override {
    if (!core_.Enter("WriteData") || !DacFitted()) return 0;
    return core_.Write(lpBuffer, nNumberOfWordsToWrite, lpOverlapped);
  }

  int32_t QUEV_STDCALL GET_OUTPUT_PARS(QUEV_OUTPUT_PARS* dp) override {
    if (!core_.Enter("GET_OUTPUT_PARS") || !DacFitted() || dp == nullptr ||
        dp->size != sizeof(*dp))
      return 0;
    std::memcpy(dp, &output_, sizeof(*dp));
    return 1;
  }

  int32_t QUEV_STDCALL SET_OUTPUT_PARS(QUEV_OUTPUT_PARS* dp) override {
    if (!core_.Enter("SET_OUTPUT_PARS") || dp == nullptr) return 0;
    core_.WithBench([dp](BenchState& s) { std::memcpy(&s.lastQuevOutput, dp, sizeof(*dp)); });
    const double rate = dp->OutputRate;
    if (!DacFitted() || dp->size != sizeof(*dp) || !std::isfinite(rate) || rate <= 0) return 0;
    std::memcpy(&output_, dp, sizeof(output_));
    output_.OutputRate = std::fmin(rate, defaults::kQuevOutputRate);
    dp->OutputRate = output_.OutputRate;
    return 1;
  }

  int32_t QUEV_STDCALL START_WRITE() override {
    if (!core_.Enter("START_WRITE") || !DacFitted()) return 0;
    const double latency = core_.WithBench([](BenchState& s) { return s.model.DacLatencyMs; });
    core_.Transfers().StartWrite(output_.OutputRate, output_.OutputFifoLength, latency);
    return 1;
  }

  int32_t QUEV_STDCALL STOP_WRITE() override {
    if (!core_.Enter("STOP_WRITE")) return 0;
    core_.Transfers().StopWrite();
    return 1;
  }

  int32_t QUEV_STDCALL GET_FLASH(QUEV_FLASH* fi) override {
    if (!core_.Enter("GET_FLASH") || fi == nullptr || fi->size != sizeof(*fi)) return 0;
    const ModuleAnswers answers = core_.Answers();
    std::memset(fi, 0, sizeof(*fi));
    fi->size = sizeof(*fi);
    CopyText(fi->SerialNumber, sizeof(fi->SerialNumber), answers.Serial);
    fi->IsDacPresented = answers.DacFitted ? 1 : 0;
    std::memcpy(fi->AdcCalibration, defaults::kQuevAdcCalibration, sizeof(fi->AdcCalibration));
    return 1;
  }

 private:
  bool DacFitted() { return core_.Answers().DacFitted; }

  ModuleCore core_;
  QUEV_INPUT_PARS input_{};
  QUEV_OUTPUT_PARS output_{};
};

#undef SIM_UNUSED_SLOT

}  // namespace

uint32_t QuevDllVersion() {
  BenchState& bench = BenchState::Get();
  bench.LibraryCall(ModuleKind::Quev, "GetDllVersion");
  std::lock_guard lock(bench.mutex);
  return bench.answers[0].DllVersion;
}

IQuevModule* CreateQuevModule(const char* interfaceName) {
  BenchState& bench = BenchState::Get();
  if (bench.LibraryCall(ModuleKind::Quev, "CreateInstance")) return nullptr;
  {
    std::lock_guard lock(bench.mutex);
    if (!bench.answers[0].Creatable) return nullptr;
  }
  if (interfaceName == nullptr || std::strcmp(interfaceName, defaults::kQuevInterfaceName) != 0)
    return nullptr;
  auto* module = new QuevSimModule;  // lives as long as the process: see BenchState
  bench.Register(ModuleKind::Quev, &module->Core());
  return module;
}

}  // namespace sim
