#pragma once

// The USB3000 module as its vendor library Rtusbapi presents it: two library functions, an
// interface object of 43 operations, and the four packed records of the vendor's namespace.
// Shared by the station and by the flat-call library.

#include <cstddef>
#include <cstdint>

#include "modules/CallConv.h"
#include "modules/Overlapped.h"

namespace RTUSB3000 {

#pragma pack(push, 1)

struct INPUT_PARS {
  uint16_t size;  // 436 before the first read from the module
  int32_t InputEnabled;
  int32_t CorrectionEnabled;
  uint16_t InputType;
  uint16_t SynchroType;
  uint16_t SynchroAdType;
  uint16_t SynchroAdMode;
  uint16_t SynchroAdChannel;
  int16_t SynchroAdPorog;
  uint16_t ChannelsQuantity;
  uint16_t ControlTable[128];
  uint16_t InputFifoBaseAddress;
  uint16_t InputFifoLength;
  double InputRate;  // kHz over all channels
  double InterKadrDelay;
  double ChannelRate;
  double AdcOffsetCoef[8];
  double AdcScaleCoef[8];
};

struct OUTPUT_PARS {
  uint16_t size;  // 18
  int32_t OutputEnabled;
  double OutputRate;  // kHz over both channels
  uint16_t OutputFifoBaseAddress;
  uint16_t OutputFifoLength;
};

struct FLASH {
  uint16_t CRC16;
  uint16_t size;  // 256
  uint8_t SerialNumber[9];
  uint8_t Name[11];
  uint8_t Revision;
  uint8_t DspType[17];
  uint8_t IsDacPresented;
  uint32_t DspClockout;
  float AdcOffsetCoef[8];
  float AdcScaleCoef[8];
  float DacOffsetCoef[2];
  float DacScaleCoef[2];
  uint8_t ReservedByte[129];
};

struct DSP_INFO {
  uint8_t Target[10];
  uint8_t Label[6];
  uint8_t DspMajor;
  uint8_t DspMinor;
};

#pragma pack(pop)

static_assert(sizeof(INPUT_PARS) == 436);
static_assert(offsetof(INPUT_PARS, size) == 0);
static_assert(offsetof(INPUT_PARS, InputEnabled) == 2);
static_assert(offsetof(INPUT_PARS, CorrectionEnabled) == 6);
static_assert(offsetof(INPUT_PARS, InputType) == 10);
static_assert(offsetof(INPUT_PARS, SynchroType) == 12);
static_assert(offsetof(INPUT_PARS, SynchroAdType) == 14);
static_assert(offsetof(INPUT_PARS, SynchroAdMode) == 16);
static_assert(offsetof(INPUT_PARS, SynchroAdChannel) == 18);
static_assert(offsetof(INPUT_PARS, SynchroAdPorog) == 20);
static_assert(offsetof(INPUT_PARS, ChannelsQuantity) == 22);
static_assert(offsetof(INPUT_PARS, ControlTable) == 24);
static_assert(offsetof(INPUT_PARS, InputFifoBaseAddress) == 280);
static_assert(offsetof(INPUT_PARS, InputFifoLength) == 282);
static_assert(offsetof(INPUT_PARS, InputRate) == 284);
static_assert(offsetof(INPUT_PARS, InterKadrDelay) == 292);
static_assert(offsetof(INPUT_PARS, ChannelRate) == 300);
static_assert(offsetof(INPUT_PARS, AdcOffsetCoef) == 308);
static_assert(offsetof(INPUT_PARS, AdcScaleCoef) == 372);

static_assert(sizeof(OUTPUT_PARS) == 18);
static_assert(offsetof(OUTPUT_PARS, size) == 0);
static_assert(offsetof(OUTPUT_PARS, OutputEnabled) == 2);
static_assert(offsetof(OUTPUT_PARS, OutputRate) == 6);
static_assert(offsetof(OUTPUT_PARS, OutputFifoBaseAddress) == 14);
static_assert(offsetof(OUTPUT_PARS, OutputFifoLength) == 16);

static_assert(sizeof(FLASH) == 256);
static_assert(offsetof(FLASH, CRC16) == 0);
static_assert(offsetof(FLASH, size) == 2);
static_assert(offsetof(FLASH, SerialNumber) == 4);
static_assert(offsetof(FLASH, Name) == 13);
static_assert(offsetof(FLASH, Revision) == 24);
static_assert(offsetof(FLASH, DspType) == 25);
static_assert(offsetof(FLASH, IsDacPresented) == 42);
static_assert(offsetof(FLASH, DspClockout) == 43);
static_assert(offsetof(FLASH, AdcOffsetCoef) == 47);
static_assert(offsetof(FLASH, AdcScaleCoef) == 79);
static_assert(offsetof(FLASH, DacOffsetCoef) == 111);
static_assert(offsetof(FLASH, DacScaleCoef) == 119);
static_assert(offsetof(FLASH, ReservedByte) == 127);

static_assert(sizeof(DSP_INFO) == 18);
static_assert(offsetof(DSP_INFO, Target) == 0);
static_assert(offsetof(DSP_INFO, Label) == 10);
static_assert(offsetof(DSP_INFO, DspMajor) == 16);
static_assert(offsetof(DSP_INFO, DspMinor) == 17);

}  // namespace RTUSB3000

// The 43 operations in the order of the vendor's table. Results are 32-bit booleans (0 = failure)
// unless noted. No virtual destructor: it would take table slots; ReleaseDevice ends the use.
class IUsb3000Module {
 public:
  virtual int32_t QUEV_STDCALL OpenDevice(uint16_t VirtualSlot) = 0;
  virtual int32_t QUEV_STDCALL CloseDevice() = 0;
  virtual void* QUEV_STDCALL GetModuleHandle() = 0;
  virtual int32_t QUEV_STDCALL GetUsbSpeed(uint8_t* UsbSpeed) = 0;  // 0 = USB 1.1, 1 = USB 2.0
  virtual int32_t QUEV_STDCALL GetModuleName(char* ModuleName) = 0;
  virtual int32_t QUEV_STDCALL GetModuleSerialNumber(char* SerialNumber) = 0;
  virtual int32_t QUEV_STDCALL GetAvrVersion(char* AvrVersion) = 0;
  virtual int32_t QUEV_STDCALL ReleaseDevice() = 0;
  virtual int32_t QUEV_STDCALL RESET_DSP() = 0;
  virtual int32_t QUEV_STDCALL LOAD_DSP(const char* FileName) = 0;
  virtual int32_t QUEV_STDCALL MODULE_TEST() = 0;
  virtual int32_t QUEV_STDCALL GET_DSP_INFO(RTUSB3000::DSP_INFO* DspInfo) = 0;
  virtual int32_t QUEV_STDCALL SEND_COMMAND(uint16_t Command) = 0;
  virtual int32_t QUEV_STDCALL PUT_VAR_WORD(uint16_t Address, int16_t Data) = 0;
  virtual int32_t QUEV_STDCALL GET_VAR_WORD(uint16_t Address, int16_t* Data) = 0;
  virtual int32_t QUEV_STDCALL PUT_DM_WORD(uint16_t Address, int16_t Data) = 0;
  virtual int32_t QUEV_STDCALL GET_DM_WORD(uint16_t Address, int16_t* Data) = 0;
  virtual int32_t QUEV_STDCALL PUT_PM_WORD(uint16_t Address, int32_t Data) = 0;
  virtual int32_t QUEV_STDCALL GET_PM_WORD(uint16_t Address, int32_t* Data) = 0;
  virtual int32_t QUEV_STDCALL PUT_DM_ARRAY(uint16_t BaseAddress, uint16_t NPoints,
                                            int16_t* Data) = 0;
  virtual int32_t QUEV_STDCALL GET_DM_ARRAY(uint16_t BaseAddress, uint16_t NPoints,
                                            int16_t* Data) = 0;
  virtual int32_t QUEV_STDCALL PUT_PM_ARRAY(uint16_t BaseAddress, uint16_t NPoints,
                                            int32_t* Data) = 0;
  virtual int32_t QUEV_STDCALL GET_PM_ARRAY(uint16_t BaseAddress, uint16_t NPoints,
                                            int32_t* Data) = 0;
  virtual int32_t QUEV_STDCALL GET_INPUT_PARS(RTUSB3000::INPUT_PARS* ap) = 0;
  virtual int32_t QUEV_STDCALL SET_INPUT_PARS(RTUSB3000::INPUT_PARS* ap) = 0;
  virtual int32_t QUEV_STDCALL START_READ() = 0;
  virtual int32_t QUEV_STDCALL STOP_READ() = 0;
  virtual int32_t QUEV_STDCALL READ_KADR(int16_t* Data) = 0;
  virtual int32_t QUEV_STDCALL READ_SAMPLE(uint16_t Channel, int16_t* Sample) = 0;
  // Counts are 16-bit samples, passed by reference and never written back.
  virtual int32_t QUEV_STDCALL ReadData(int16_t* lpBuffer, uint32_t* nNumberOfWordsToRead,
                                        uint32_t* lpNumberOfBytesRead,
                                        OverlappedRecord* lpOverlapped) = 0;
  virtual int32_t QUEV_STDCALL GET_OUTPUT_PARS(RTUSB3000::OUTPUT_PARS* dp) = 0;
  virtual int32_t QUEV_STDCALL SET_OUTPUT_PARS(RTUSB3000::OUTPUT_PARS* dp) = 0;
  virtual int32_t QUEV_STDCALL START_WRITE() = 0;
  virtual int32_t QUEV_STDCALL STOP_WRITE() = 0;
  virtual int32_t QUEV_STDCALL WRITE_SAMPLE(uint16_t Channel, int16_t* Sample) = 0;
  virtual int32_t QUEV_STDCALL WriteData(int16_t* lpBuffer, uint32_t* nNumberOfWordsToWrite,
                                         uint32_t* lpNumberOfBytesWritten,
                                         OverlappedRecord* lpOverlapped) = 0;
  virtual int32_t QUEV_STDCALL ENABLE_TTL_OUT(int32_t EnableTtlOut) = 0;
  virtual int32_t QUEV_STDCALL TTL_OUT(uint16_t TtlOut) = 0;
  virtual int32_t QUEV_STDCALL TTL_IN(uint16_t* TtlIn) = 0;
  virtual int32_t QUEV_STDCALL ENABLE_FLASH_WRITE(int32_t EnableFlashWrite) = 0;
  virtual int32_t QUEV_STDCALL PUT_FLASH(RTUSB3000::FLASH* fi) = 0;
  virtual int32_t QUEV_STDCALL GET_FLASH(RTUSB3000::FLASH* fi) = 0;
  virtual int32_t QUEV_STDCALL GetLastErrorString(char* lpBuffer, uint32_t nSize) = 0;

 protected:
  ~IUsb3000Module() = default;
};

extern "C" {
// Version of the library: major in the high 16 bits, minor in the low.
QUEV_VENDOR_API uint32_t QUEV_STDCALL RtGetDllVersion();
// The interface for the name "usb3000", or null.
QUEV_VENDOR_API IUsb3000Module* QUEV_STDCALL RtCreateInstance(const char* InterfaceName);
}
