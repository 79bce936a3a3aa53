// The simulated Quev module.

#include <cstring>

#include "sim/Defaults.h"
#include "sim/Library.h"
#include "sim/ModuleCore.h"
#include "sim/Records.h"

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
    // Inputs in ascending order at the widest range and no calibration: the station programs
    // its own order and the flash's calibration.
    for (int i = 0; i < 128; ++i) input_.ControlTable[i] = static_cast<uint16_t>(i & 15);
    input_.InputRate = defaults::kQuevInputRate;
    input_.InputFifoLength = defaults::kQuevInputFifoLength;
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
    return GiveRecord(core_, "GET_INPUT_PARS", ap, input_);
  }

  int32_t QUEV_STDCALL SET_INPUT_PARS(QUEV_INPUT_PARS* ap) override {
    if (!TakeInputPars(core_, ap, input_, &BenchState::lastQuevInput, defaults::kQuevMaxInputRate))
      return 0;
    input_.InputFifoLength = ap->InputFifoLength = defaults::kQuevInputFifoLength;
    return 1;
  }

  int32_t QUEV_STDCALL START_READ() override { return core_.StartRead(AdcSetupOf(input_)); }
  int32_t QUEV_STDCALL STOP_READ() override { return core_.StopRead(); }

  int32_t QUEV_STDCALL ReadData(int16_t* lpBuffer, uint32_t* nNumberOfWordsToRead, uint32_t*,
                                OverlappedRecord* lpOverlapped) override {
    return core_.Read(lpBuffer, nNumberOfWordsToRead, lpOverlapped);
  }

  int32_t QUEV_STDCALL WriteData(int16_t* lpBuffer, uint32_t* nNumberOfWordsToWrite, uint32_t*,
                                 OverlappedRecord* lpOverlapped) override {
    return core_.Write(lpBuffer, nNumberOfWordsToWrite, lpOverlapped, DacFitted());
  }

  int32_t QUEV_STDCALL GET_OUTPUT_PARS(QUEV_OUTPUT_PARS* dp) override {
    return GiveRecord(core_, "GET_OUTPUT_PARS", dp, output_, DacFitted());
  }

  int32_t QUEV_STDCALL SET_OUTPUT_PARS(QUEV_OUTPUT_PARS* dp) override {
    return TakeOutputPars(core_, dp, output_, &BenchState::lastQuevOutput,
                          defaults::kQuevOutputRate, DacFitted());
  }

  int32_t QUEV_STDCALL START_WRITE() override {
    return core_.StartWrite(output_.OutputRate, output_.OutputFifoLength, DacFitted());
  }
  int32_t QUEV_STDCALL STOP_WRITE() override { return core_.StopWrite(); }

  int32_t QUEV_STDCALL GET_FLASH(QUEV_FLASH* fi) override {
    const ModuleAnswers answers = core_.Answers();
    QUEV_FLASH flash{};
    flash.size = sizeof(flash);
    CopyText(flash.SerialNumber, sizeof(flash.SerialNumber), answers.Serial);
    flash.IsDacPresented = answers.DacFitted ? 1 : 0;
    std::memcpy(flash.AdcCalibration, defaults::kQuevAdcCalibration, sizeof(flash.AdcCalibration));
    return GiveRecord(core_, "GET_FLASH", fi, flash);
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
  return BenchState::Get().DllVersion(ModuleKind::Quev, "GetDllVersion");
}

IQuevModule* CreateQuevModule(const char* interfaceName) {
  return BenchState::Get().Create<QuevSimModule>(ModuleKind::Quev, "CreateInstance", interfaceName,
                                         defaults::kQuevInterfaceName);
}

}  // namespace sim
