#pragma once

// The Quev module as its vendor library Lusbapi presents it: two library functions, an interface
// object whose first word points to its table of operations, and three packed parameter records.

#include <cstddef>
#include <cstdint>

#include "modules/CallConv.h"
#include "modules/Overlapped.h"

#pragma pack(push, 1)

struct QUEV_INPUT_PARS {
  uint16_t size;  // 316, set before the first read from the module
  uint8_t Reserved2;
  uint8_t CorrectionEnabled;
  uint8_t Reserved4[10];
  uint16_t ChannelsQuantity;
  uint16_t ControlTable[128];  // (15 - channel) OR (range code shl 6)
  double InputRate;            // kHz over all channels
  double InterKadrDelay;
  uint8_t Reserved288[10];
  uint16_t InputFifoLength;
  uint16_t AdcCalibration[8];
};

struct QUEV_OUTPUT_PARS {
  uint16_t size;  // 15
  uint8_t Reserved2;
  double OutputRate;  // kHz over both channels
  uint16_t OutputFifoBaseAddress;
  uint16_t OutputFifoLength;
};

struct QUEV_FLASH {
  uint16_t size;          // 66
  char SerialNumber[22];  // NUL-terminated when shorter than the field
  uint8_t IsDacPresented;
  uint8_t Reserved25[17];
  uint16_t AdcCalibration[8];
  uint8_t Reserved58[8];
};

#pragma pack(pop)

static_assert(sizeof(QUEV_INPUT_PARS) == 316);
static_assert(offsetof(QUEV_INPUT_PARS, size) == 0);
static_assert(offsetof(QUEV_INPUT_PARS, CorrectionEnabled) == 3);
static_assert(offsetof(QUEV_INPUT_PARS, ChannelsQuantity) == 14);
static_assert(offsetof(QUEV_INPUT_PARS, ControlTable) == 16);
static_assert(offsetof(QUEV_INPUT_PARS, InputRate) == 272);
static_assert(offsetof(QUEV_INPUT_PARS, InterKadrDelay) == 280);
static_assert(offsetof(QUEV_INPUT_PARS, InputFifoLength) == 298);
static_assert(offsetof(QUEV_INPUT_PARS, AdcCalibration) == 300);

static_assert(sizeof(QUEV_OUTPUT_PARS) == 15);
static_assert(offsetof(QUEV_OUTPUT_PARS, size) == 0);
static_assert(offsetof(QUEV_OUTPUT_PARS, OutputRate) == 3);
static_assert(offsetof(QUEV_OUTPUT_PARS, OutputFifoBaseAddress) == 11);
static_assert(offsetof(QUEV_OUTPUT_PARS, OutputFifoLength) == 13);

static_assert(sizeof(QUEV_FLASH) == 66);
static_assert(offsetof(QUEV_FLASH, size) == 0);
static_assert(offsetof(QUEV_FLASH, SerialNumber) == 2);
static_assert(offsetof(QUEV_FLASH, IsDacPresented) == 24);
static_assert(offsetof(QUEV_FLASH, AdcCalibration) == 42);

// Operations stand in the order of the vendor's table; the slots the station never calls keep
// their places as Unused*. Results are booleans of which only the low byte counts (0 = failure).
// The object has no reference count and no virtual destructor (it would take table slots):
// ReleaseDevice ends its use.
class IQuevModule {
 public:
  virtual int32_t QUEV_STDCALL Unused0() = 0;
  virtual int32_t QUEV_STDCALL OpenDevice(uint16_t VirtualSlot) = 0;
  virtual int32_t QUEV_STDCALL Unused2() = 0;
  virtual int32_t QUEV_STDCALL GetModuleName(char* ModuleName) = 0;
  virtual int32_t QUEV_STDCALL ReleaseDevice() = 0;
  virtual int32_t QUEV_STDCALL Unused5() = 0;
  virtual int32_t QUEV_STDCALL LOAD_BIOS(const char* FileName) = 0;
  virtual int32_t QUEV_STDCALL MODULE_TEST() = 0;
  virtual int32_t QUEV_STDCALL GET_LBIOS_VERSION(uint32_t* LbiosVersion) = 0;
  virtual int32_t QUEV_STDCALL Unused9() = 0;
  virtual int32_t QUEV_STDCALL Unused10() = 0;
  virtual int32_t QUEV_STDCALL GET_INPUT_PARS(QUEV_INPUT_PARS* ap) = 0;
  virtual int32_t QUEV_STDCALL SET_INPUT_PARS(QUEV_INPUT_PARS* ap) = 0;
  virtual int32_t QUEV_STDCALL START_READ() = 0;
  virtual int32_t QUEV_STDCALL STOP_READ() = 0;
  virtual int32_t QUEV_STDCALL Unused15() = 0;
  virtual int32_t QUEV_STDCALL Unused16() = 0;
  // Counts are 16-bit samples, passed by reference and never written back.
  virtual int32_t QUEV_STDCALL ReadData(int16_t* lpBuffer, uint32_t* nNumberOfWordsToRead,
                                        uint32_t* lpNumberOfBytesRead,
                                        OverlappedRecord* lpOverlapped) = 0;
  virtual int32_t QUEV_STDCALL WriteData(int16_t* lpBuffer, uint32_t* nNumberOfWordsToWrite,
                                         uint32_t* lpNumberOfBytesWritten,
                                         OverlappedRecord* lpOverlapped) = 0;
  virtual int32_t QUEV_STDCALL GET_OUTPUT_PARS(QUEV_OUTPUT_PARS* dp) = 0;
  virtual int32_t QUEV_STDCALL SET_OUTPUT_PARS(QUEV_OUTPUT_PARS* dp) = 0;
  virtual int32_t QUEV_STDCALL START_WRITE() = 0;
  virtual int32_t QUEV_STDCALL STOP_WRITE() = 0;
  virtual int32_t QUEV_STDCALL Unused23() = 0;
  virtual int32_t QUEV_STDCALL Unused24() = 0;
  virtual int32_t QUEV_STDCALL Unused25() = 0;
  virtual int32_t QUEV_STDCALL Unused26() = 0;
  virtual int32_t QUEV_STDCALL Unused27() = 0;
  virtual int32_t QUEV_STDCALL Unused28() = 0;
  virtual int32_t QUEV_STDCALL Unused29() = 0;
  virtual int32_t QUEV_STDCALL GET_FLASH(QUEV_FLASH* fi) = 0;

 protected:
  ~IQuevModule() = default;
};

extern "C" {
// Version of the library, major in the high 16 bits.
QUEV_VENDOR_API uint32_t QUEV_STDCALL GetDllVersion();
// The interface for the given name ("quev"), or null.
QUEV_VENDOR_API IQuevModule* QUEV_STDCALL CreateInstance(const char* InterfaceName);
}
