// The simulated USB3000 module: all 43 operations.

#include <cstring>

#include "sim/Defaults.h"
#include "sim/Library.h"
#include "sim/ModuleCore.h"
#include "sim/Records.h"
#include "sim/Usb3000Memory.h"

namespace sim {
namespace {

using RTUSB3000::DSP_INFO;
using RTUSB3000::FLASH;
using RTUSB3000::INPUT_PARS;
using RTUSB3000::OUTPUT_PARS;

constexpr size_t kSerialLength = 9;
constexpr size_t kAvrLength = 5;

class Usb3000SimModule final : public IUsb3000Module {
 public:
  Usb3000SimModule() : core_(ModuleKind::Usb3000) {
    input_.size = sizeof(INPUT_PARS);
    input_.InputEnabled = 1;
    input_.ChannelsQuantity = 1;
    // Inputs in descending order: the station programs its own (ascending) order.
    for (int i = 0; i < 128; ++i) input_.ControlTable[i] = static_cast<uint16_t>(15 - (i & 15));
    input_.InterKadrDelay = defaults::kUsb3000InterKadrDelay;
    input_.InputFifoBaseAddress = defaults::kUsb3000InputFifoBase;
    input_.InputFifoLength = defaults::kUsb3000InputFifoLength;
    input_.InputRate = defaults::kUsb3000InputRate;
    input_.ChannelRate = defaults::kUsb3000InputRate;
    for (int i = 0; i < 8; ++i) input_.AdcScaleCoef[i] = 1.0;
    output_.size = sizeof(OUTPUT_PARS);
    output_.OutputEnabled = 1;
    output_.OutputRate = defaults::kUsb3000OutputRate;
    output_.OutputFifoBaseAddress = defaults::kUsb3000OutputFifoBase;
    output_.OutputFifoLength = defaults::kUsb3000OutputFifoLength;
  }

  ModuleCore& Core() { return core_; }

  int32_t QUEV_STDCALL OpenDevice(uint16_t VirtualSlot) override {
    return core_.Enter("OpenDevice") && core_.OpenDevice(VirtualSlot);
  }
  int32_t QUEV_STDCALL CloseDevice() override { return core_.Enter("CloseDevice"); }
  void* QUEV_STDCALL GetModuleHandle() override {
    return core_.Enter("GetModuleHandle") && core_.Opened() ? this : nullptr;
  }
  int32_t QUEV_STDCALL GetUsbSpeed(uint8_t* UsbSpeed) override {
    if (!core_.Enter("GetUsbSpeed") || UsbSpeed == nullptr) return 0;
    *UsbSpeed = core_.WithBench([](BenchState& s) { return s.usbSpeed; });
    return 1;
  }
  int32_t QUEV_STDCALL GetModuleName(char* ModuleName) override {
    if (!core_.Enter("GetModuleName") || ModuleName == nullptr) return 0;
    const std::string name = core_.Answers().Name;
    std::memcpy(ModuleName, name.c_str(), name.size() + 1);
    return 1;
  }
  int32_t QUEV_STDCALL GetModuleSerialNumber(char* SerialNumber) override {
    if (!core_.Enter("GetModuleSerialNumber") || SerialNumber == nullptr) return 0;
    PutField(SerialNumber, kSerialLength, core_.Answers().Serial);
    return 1;
  }
  int32_t QUEV_STDCALL GetAvrVersion(char* AvrVersion) override {
    if (!core_.Enter("GetAvrVersion") || AvrVersion == nullptr) return 0;
    PutField(AvrVersion, kAvrLength, core_.WithBench([](BenchState& s) { return s.avrVersion; }));
    return 1;
  }
  int32_t QUEV_STDCALL ReleaseDevice() override { return core_.Release(); }
  int32_t QUEV_STDCALL RESET_DSP() override { return core_.Enter("RESET_DSP"); }
  int32_t QUEV_STDCALL LOAD_DSP(const char*) override {
    if (!core_.Enter("LOAD_DSP") || !core_.Opened()) return 0;
    core_.LoadFirmware();
    return 1;
  }
  int32_t QUEV_STDCALL MODULE_TEST() override {
    return core_.Enter("MODULE_TEST") && core_.FirmwareLoaded();
  }
  int32_t QUEV_STDCALL GET_DSP_INFO(DSP_INFO* DspInfo) override {
    if (!core_.Enter("GET_DSP_INFO") || DspInfo == nullptr) return 0;
    std::memset(DspInfo, 0, sizeof(*DspInfo));
    CopyText(DspInfo->Target, sizeof(DspInfo->Target), defaults::kUsb3000DspTarget);
    CopyText(DspInfo->Label, sizeof(DspInfo->Label), defaults::kUsb3000DspLabel);
    core_.WithBench([DspInfo](BenchState& s) {
      DspInfo->DspMajor = s.dspMajor;
      DspInfo->DspMinor = s.dspMinor;
    });
    return 1;
  }
  int32_t QUEV_STDCALL SEND_COMMAND(uint16_t) override { return core_.Enter("SEND_COMMAND"); }

  int32_t QUEV_STDCALL PUT_VAR_WORD(uint16_t Address, int16_t Data) override {
    return Put("PUT_VAR_WORD", memory_.Var, Address, Data);
  }
  int32_t QUEV_STDCALL GET_VAR_WORD(uint16_t Address, int16_t* Data) override {
    return Get("GET_VAR_WORD", memory_.Var, Address, Data);
  }
  int32_t QUEV_STDCALL PUT_DM_WORD(uint16_t Address, int16_t Data) override {
    return Put("PUT_DM_WORD", memory_.Data, Address, Data);
  }
  int32_t QUEV_STDCALL GET_DM_WORD(uint16_t Address, int16_t* Data) override {
    return Get("GET_DM_WORD", memory_.Data, Address, Data);
  }
  int32_t QUEV_STDCALL PUT_PM_WORD(uint16_t Address, int32_t Data) override {
    return Put("PUT_PM_WORD", memory_.Program, Address, Data);
  }
  int32_t QUEV_STDCALL GET_PM_WORD(uint16_t Address, int32_t* Data) override {
    return Get("GET_PM_WORD", memory_.Program, Address, Data);
  }
  int32_t QUEV_STDCALL PUT_DM_ARRAY(uint16_t BaseAddress, uint16_t NPoints,
                                    int16_t* Data) override {
    return PutArray("PUT_DM_ARRAY", memory_.Data, BaseAddress, NPoints, Data);
  }
  int32_t QUEV_STDCALL GET_DM_ARRAY(uint16_t BaseAddress, uint16_t NPoints,
                                    int16_t* Data) override {
    return GetArray("GET_DM_ARRAY", memory_.Data, BaseAddress, NPoints, Data);
  }
  int32_t QUEV_STDCALL PUT_PM_ARRAY(uint16_t BaseAddress, uint16_t NPoints,
                                    int32_t* Data) override {
    return PutArray("PUT_PM_ARRAY", memory_.Program, BaseAddress, NPoints, Data);
  }
  int32_t QUEV_STDCALL GET_PM_ARRAY(uint16_t BaseAddress, uint16_t NPoints,
                                    int32_t* Data) override {
    return GetArray("GET_PM_ARRAY", memory_.Program, BaseAddress, NPoints, Data);
  }

  int32_t QUEV_STDCALL GET_INPUT_PARS(INPUT_PARS* ap) override {
    return GiveRecord(core_, "GET_INPUT_PARS", ap, input_);
  }
  int32_t QUEV_STDCALL SET_INPUT_PARS(INPUT_PARS* ap) override {
    if (!TakeInputPars(core_, ap, input_, &BenchState::lastUsbInput,
                       defaults::kUsb3000MaxInputRate))
      return 0;
    input_.ChannelRate = ap->ChannelRate = input_.InputRate / input_.ChannelsQuantity;
    return 1;
  }
  int32_t QUEV_STDCALL START_READ() override { return core_.StartRead(AdcSetupOf(input_)); }
  int32_t QUEV_STDCALL STOP_READ() override { return core_.StopRead(); }
  int32_t QUEV_STDCALL READ_KADR(int16_t* Data) override {
    if (!core_.Enter("READ_KADR") || Data == nullptr) return 0;
    SampleNow(AdcSetupOf(input_), Data);
    return 1;
  }
  int32_t QUEV_STDCALL READ_SAMPLE(uint16_t Channel, int16_t* Sample) override {
    if (!core_.Enter("READ_SAMPLE") || Sample == nullptr || Channel >= 128) return 0;
    AdcSetup one = AdcSetupOf(input_);
    one.Channels = 1;
    one.ControlTable[0] = input_.ControlTable[Channel];
    SampleNow(one, Sample);
    return 1;
  }
  int32_t QUEV_STDCALL ReadData(int16_t* lpBuffer, uint32_t* nNumberOfWordsToRead, uint32_t*,
                                OverlappedRecord* lpOverlapped) override {
    return core_.Read(lpBuffer, nNumberOfWordsToRead, lpOverlapped);
  }

  int32_t QUEV_STDCALL GET_OUTPUT_PARS(OUTPUT_PARS* dp) override {
    return GiveRecord(core_, "GET_OUTPUT_PARS", dp, output_);
  }
  int32_t QUEV_STDCALL SET_OUTPUT_PARS(OUTPUT_PARS* dp) override {
    return TakeOutputPars(core_, dp, output_, &BenchState::lastUsbOutput,
                          defaults::kUsb3000MaxOutputRate);
  }
  int32_t QUEV_STDCALL START_WRITE() override {
    return core_.StartWrite(output_.OutputRate, output_.OutputFifoLength);
  }
  int32_t QUEV_STDCALL STOP_WRITE() override { return core_.StopWrite(); }
  int32_t QUEV_STDCALL WRITE_SAMPLE(uint16_t Channel, int16_t* Sample) override {
    return core_.Enter("WRITE_SAMPLE") && Channel < 2 && Sample != nullptr;
  }
  int32_t QUEV_STDCALL WriteData(int16_t* lpBuffer, uint32_t* nNumberOfWordsToWrite, uint32_t*,
                                 OverlappedRecord* lpOverlapped) override {
    return core_.Write(lpBuffer, nNumberOfWordsToWrite, lpOverlapped);
  }

  int32_t QUEV_STDCALL ENABLE_TTL_OUT(int32_t EnableTtlOut) override {
    if (!core_.Enter("ENABLE_TTL_OUT")) return 0;
    memory_.TtlEnabled = EnableTtlOut != 0;
    return 1;
  }
  int32_t QUEV_STDCALL TTL_OUT(uint16_t TtlOut) override {
    if (!core_.Enter("TTL_OUT")) return 0;
    memory_.TtlOut = TtlOut;
    return 1;
  }
  int32_t QUEV_STDCALL TTL_IN(uint16_t* TtlIn) override {
    if (!core_.Enter("TTL_IN") || TtlIn == nullptr) return 0;
    *TtlIn = memory_.TtlIn();
    return 1;
  }
  int32_t QUEV_STDCALL ENABLE_FLASH_WRITE(int32_t EnableFlashWrite) override {
    if (!core_.Enter("ENABLE_FLASH_WRITE")) return 0;
    flashWritable_ = EnableFlashWrite != 0;
    return 1;
  }
  int32_t QUEV_STDCALL PUT_FLASH(FLASH* fi) override {
    if (!core_.Enter("PUT_FLASH") || !flashWritable_ || !SizedRecord(fi)) return 0;
    std::memcpy(&written_, fi, sizeof(written_));
    Seal(written_);
    fi->CRC16 = written_.CRC16;
    flashWritten_ = true;
    return 1;
  }
  int32_t QUEV_STDCALL GET_FLASH(FLASH* fi) override {
    return GiveRecord(core_, "GET_FLASH", fi, flashWritten_ ? written_ : Factory());
  }
  int32_t QUEV_STDCALL GetLastErrorString(char* lpBuffer, uint32_t nSize) override {
    if (!core_.Enter("GetLastErrorString") || lpBuffer == nullptr || nSize == 0) return 0;
    CopyText(lpBuffer, nSize, defaults::kUsb3000NoError);
    return static_cast<int32_t>(std::strlen(lpBuffer));
  }

 private:
  template <typename T>
  int32_t Put(const char* op, Usb3000Memory::Space<T>& space, uint16_t address, T value) {
    if (!core_.Enter(op)) return 0;
    space.Put(address, value);
    return 1;
  }
  template <typename T>
  int32_t Get(const char* op, const Usb3000Memory::Space<T>& space, uint16_t address, T* value) {
    if (!core_.Enter(op) || value == nullptr) return 0;
    *value = space.Get(address);
    return 1;
  }
  template <typename T>
  int32_t PutArray(const char* op, Usb3000Memory::Space<T>& space, uint16_t base,
                   uint16_t count, const T* data) {
    if (!core_.Enter(op) || (data == nullptr && count > 0)) return 0;
    space.PutArray(base, count, data);
    return 1;
  }
  template <typename T>
  int32_t GetArray(const char* op, const Usb3000Memory::Space<T>& space, uint16_t base,
                   uint16_t count, T* data) {
    if (!core_.Enter(op) || (data == nullptr && count > 0)) return 0;
    space.GetArray(base, count, data);
    return 1;
  }

  // Single conversions outside a stream see the analogue inputs only, at the current time.
  void SampleNow(const AdcSetup& setup, int16_t* out) {
    const BenchModel model = core_.WithBench([](BenchState& s) { return s.model; });
    const double t = core_.WithBench([](BenchState& s) { return s.clock->NowSeconds(); });
    AdcSynth(ModuleKind::Usb3000, setup, model).FrameAt(t, out);
  }

  FLASH Factory() {
    const ModuleAnswers answers = core_.Answers();
    FLASH flash{};
    flash.size = sizeof(FLASH);
    PutField(reinterpret_cast<char*>(flash.SerialNumber), sizeof(flash.SerialNumber),
             answers.Serial);
    CopyText(flash.Name, sizeof(flash.Name), answers.Name);
    flash.Revision = defaults::kUsb3000Revision;
    CopyText(flash.DspType, sizeof(flash.DspType), defaults::kUsb3000DspType);
    flash.IsDacPresented = answers.DacFitted ? 1 : 0;
    flash.DspClockout = defaults::kUsb3000DspClockout;
    for (int i = 0; i < 8; ++i) {
      flash.AdcOffsetCoef[i] = defaults::kUsb3000AdcOffsetCoef[i];
      flash.AdcScaleCoef[i] = defaults::kUsb3000AdcScaleCoef[i];
    }
    for (int i = 0; i < 2; ++i) flash.DacScaleCoef[i] = 1.0f;
    Seal(flash);
    return flash;
  }

  static void Seal(FLASH& flash) {
    flash.CRC16 = FlashCrc16(reinterpret_cast<const uint8_t*>(&flash) + 2, sizeof(FLASH) - 2);
  }

  ModuleCore core_;
  INPUT_PARS input_{};
  OUTPUT_PARS output_{};
  Usb3000Memory memory_;
  FLASH written_{};
  bool flashWritable_ = false;
  bool flashWritten_ = false;
};

}  // namespace

uint16_t FlashCrc16(const uint8_t* bytes, size_t size) {
  uint16_t crc = 0xFFFF;
  for (size_t i = 0; i < size; ++i) {
    crc ^= static_cast<uint16_t>(bytes[i] << 8);
    for (int bit = 0; bit < 8; ++bit)
      crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
  }
  return crc;
}

uint32_t Usb3000DllVersion() {
  return BenchState::Get().DllVersion(ModuleKind::Usb3000, "RtGetDllVersion");
}

IUsb3000Module* CreateUsb3000Module(const char* interfaceName) {
  return BenchState::Get().Create<Usb3000SimModule>(ModuleKind::Usb3000, "RtCreateInstance", interfaceName,
                                         defaults::kUsb3000InterfaceName);
}

}  // namespace sim
