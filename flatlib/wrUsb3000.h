#pragma once

// Pelvoran: flat functions over the USB3000 module's interface, for programs that cannot call the
// methods of the interface object. The caller creates the interface with
// wrRtCreateInstance_Usb3000, passes it as the first argument of every other function and ends
// with wrReleaseDevice_Usb3000; the library keeps no state of its own.
//
// Neither the interface pointer nor record pointers are checked for null: every function needs
// both, and a null one faults inside the call. Pass only what wrRtCreateInstance_Usb3000 gave and
// records of the caller's own.
//
// Types: WORD = uint16_t, SHORT = int16_t, BYTE = uint8_t, DWORD = uint32_t, long and BOOL =
// int32_t (0 is false). The records are aligned (every field at a multiple of its width up to 4,
// the record padded to a multiple of 4), so their layout is the same for 32- and 64-bit callers.

#include <cstddef>
#include <cstdint>

#include "modules/CallConv.h"
#include "modules/Usb3000Module.h"

// On Windows the export table comes from Pelvoran.def (names and ordinals); elsewhere the
// library is built with hidden visibility and only these functions are made visible.
#if defined(_WIN32)
#define PELVORAN_API extern "C"
#else
#define PELVORAN_API extern "C" __attribute__((visibility("default")))
#endif

using IDevPtr = IUsb3000Module*;

#pragma pack(push, 4)

struct wrINPUT_PARS_USB3000 {
  uint16_t size;  // 440 after every successful call
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
  double InputRate;
  double InterKadrDelay;
  double ChannelRate;
  double AdcOffsetCoef[8];
  double AdcScaleCoef[8];
};

struct wrOUTPUT_PARS_USB3000 {
  uint16_t size;  // 20 after every successful call
  int32_t OutputEnabled;
  double OutputRate;
  uint16_t OutputFifoBaseAddress;
  uint16_t OutputFifoLength;
};

struct wrFLASH_USB3000 {
  uint16_t CRC16;
  uint16_t size;  // 260 after every successful call
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

struct wrDSP_INFO_USB3000 {
  uint8_t Target[10];
  uint8_t Label[6];
  uint8_t DspMajor;
  uint8_t DspMinor;
};

#pragma pack(pop)

// The offsets are part of the library's interface.
static_assert(sizeof(wrINPUT_PARS_USB3000) == 440);
static_assert(offsetof(wrINPUT_PARS_USB3000, size) == 0);
static_assert(offsetof(wrINPUT_PARS_USB3000, InputEnabled) == 4);
static_assert(offsetof(wrINPUT_PARS_USB3000, CorrectionEnabled) == 8);
static_assert(offsetof(wrINPUT_PARS_USB3000, InputType) == 12);
static_assert(offsetof(wrINPUT_PARS_USB3000, SynchroType) == 14);
static_assert(offsetof(wrINPUT_PARS_USB3000, SynchroAdType) == 16);
static_assert(offsetof(wrINPUT_PARS_USB3000, SynchroAdMode) == 18);
static_assert(offsetof(wrINPUT_PARS_USB3000, SynchroAdChannel) == 20);
static_assert(offsetof(wrINPUT_PARS_USB3000, SynchroAdPorog) == 22);
static_assert(offsetof(wrINPUT_PARS_USB3000, ChannelsQuantity) == 24);
static_assert(offsetof(wrINPUT_PARS_USB3000, ControlTable) == 26);
static_assert(offsetof(wrINPUT_PARS_USB3000, InputFifoBaseAddress) == 282);
static_assert(offsetof(wrINPUT_PARS_USB3000, InputFifoLength) == 284);
static_assert(offsetof(wrINPUT_PARS_USB3000, InputRate) == 288);
static_assert(offsetof(wrINPUT_PARS_USB3000, InterKadrDelay) == 296);
static_assert(offsetof(wrINPUT_PARS_USB3000, ChannelRate) == 304);
static_assert(offsetof(wrINPUT_PARS_USB3000, AdcOffsetCoef) == 312);
static_assert(offsetof(wrINPUT_PARS_USB3000, AdcScaleCoef) == 376);

static_assert(sizeof(wrOUTPUT_PARS_USB3000) == 20);
static_assert(offsetof(wrOUTPUT_PARS_USB3000, size) == 0);
static_assert(offsetof(wrOUTPUT_PARS_USB3000, OutputEnabled) == 4);
static_assert(offsetof(wrOUTPUT_PARS_USB3000, OutputRate) == 8);
static_assert(offsetof(wrOUTPUT_PARS_USB3000, OutputFifoBaseAddress) == 16);
static_assert(offsetof(wrOUTPUT_PARS_USB3000, OutputFifoLength) == 18);

static_assert(sizeof(wrFLASH_USB3000) == 260);
static_assert(offsetof(wrFLASH_USB3000, CRC16) == 0);
static_assert(offsetof(wrFLASH_USB3000, size) == 2);
static_assert(offsetof(wrFLASH_USB3000, SerialNumber) == 4);
static_assert(offsetof(wrFLASH_USB3000, Name) == 13);
static_assert(offsetof(wrFLASH_USB3000, Revision) == 24);
static_assert(offsetof(wrFLASH_USB3000, DspType) == 25);
static_assert(offsetof(wrFLASH_USB3000, IsDacPresented) == 42);
static_assert(offsetof(wrFLASH_USB3000, DspClockout) == 44);
static_assert(offsetof(wrFLASH_USB3000, AdcOffsetCoef) == 48);
static_assert(offsetof(wrFLASH_USB3000, AdcScaleCoef) == 80);
static_assert(offsetof(wrFLASH_USB3000, DacOffsetCoef) == 112);
static_assert(offsetof(wrFLASH_USB3000, DacScaleCoef) == 120);
static_assert(offsetof(wrFLASH_USB3000, ReservedByte) == 128);

static_assert(sizeof(wrDSP_INFO_USB3000) == 18);
static_assert(offsetof(wrDSP_INFO_USB3000, Target) == 0);
static_assert(offsetof(wrDSP_INFO_USB3000, Label) == 10);
static_assert(offsetof(wrDSP_INFO_USB3000, DspMajor) == 16);
static_assert(offsetof(wrDSP_INFO_USB3000, DspMinor) == 17);

// Exports in ordinal order. The seven that take a wr record return exactly 1 on success and 0 on
// failure, leaving the caller's record untouched when they fail; every other one returns the
// interface operation's result unchanged.
PELVORAN_API uint32_t QUEV_STDCALL wrRtGetDllVersion_Usb3000();
PELVORAN_API IDevPtr QUEV_STDCALL wrRtCreateInstance_Usb3000();
PELVORAN_API int32_t QUEV_STDCALL wrOpenDevice_Usb3000(IDevPtr dev, uint16_t VirtualSlot);
PELVORAN_API int32_t QUEV_STDCALL wrCloseDevice_Usb3000(IDevPtr dev);
PELVORAN_API void* QUEV_STDCALL wrGetModuleHandle_Usb3000(IDevPtr dev);
PELVORAN_API int32_t QUEV_STDCALL wrGetUsbSpeed_Usb3000(IDevPtr dev, uint8_t* UsbSpeed);
PELVORAN_API int32_t QUEV_STDCALL wrGetModuleName_Usb3000(IDevPtr dev, char* ModuleName);
PELVORAN_API int32_t QUEV_STDCALL wrGetModuleSerialNumber_Usb3000(IDevPtr dev, char* SerialNumber);
PELVORAN_API int32_t QUEV_STDCALL wrGetAvrVersion_Usb3000(IDevPtr dev, char* AvrVersion);
PELVORAN_API int32_t QUEV_STDCALL wrReleaseDevice_Usb3000(IDevPtr dev);
PELVORAN_API int32_t QUEV_STDCALL wrRESET_DSP_Usb3000(IDevPtr dev);
PELVORAN_API int32_t QUEV_STDCALL wrLOAD_DSP_Usb3000(IDevPtr dev, char* FileName);
PELVORAN_API int32_t QUEV_STDCALL wrMODULE_TEST_Usb3000(IDevPtr dev);
PELVORAN_API int32_t QUEV_STDCALL wrGET_DSP_INFO_Usb3000(IDevPtr dev,
                                                         wrDSP_INFO_USB3000* wrDspInfo);
PELVORAN_API int32_t QUEV_STDCALL wrSEND_COMMAND_Usb3000(IDevPtr dev, uint16_t Command);
PELVORAN_API int32_t QUEV_STDCALL wrGetLastErrorString_Usb3000(IDevPtr dev, char* lpBuffer,
                                                               uint32_t nSize);
PELVORAN_API int32_t QUEV_STDCALL wrGET_INPUT_PARS_Usb3000(IDevPtr dev, wrINPUT_PARS_USB3000* wrAp);
PELVORAN_API int32_t QUEV_STDCALL wrSET_INPUT_PARS_Usb3000(IDevPtr dev, wrINPUT_PARS_USB3000* wrAp);
PELVORAN_API int32_t QUEV_STDCALL wrSTART_READ_Usb3000(IDevPtr dev);
PELVORAN_API int32_t QUEV_STDCALL wrSTOP_READ_Usb3000(IDevPtr dev);
PELVORAN_API int32_t QUEV_STDCALL wrREAD_KADR_Usb3000(IDevPtr dev, int16_t* Data);
PELVORAN_API int32_t QUEV_STDCALL wrREAD_SAMPLE_Usb3000(IDevPtr dev, uint16_t Channel,
                                                        int16_t* Sample);
PELVORAN_API int32_t QUEV_STDCALL wrReadData_Usb3000(IDevPtr dev, int16_t* lpBuffer,
                                                     uint32_t* nNumberOfWordsToRead,
                                                     uint32_t* lpNumberOfBytesRead,
                                                     OverlappedRecord* lpOverlapped);
PELVORAN_API int32_t QUEV_STDCALL wrGET_OUTPUT_PARS_Usb3000(IDevPtr dev,
                                                            wrOUTPUT_PARS_USB3000* wrDp);
PELVORAN_API int32_t QUEV_STDCALL wrSET_OUTPUT_PARS_Usb3000(IDevPtr dev,
                                                            wrOUTPUT_PARS_USB3000* wrDp);
PELVORAN_API int32_t QUEV_STDCALL wrSTART_WRITE_Usb3000(IDevPtr dev);
PELVORAN_API int32_t QUEV_STDCALL wrSTOP_WRITE_Usb3000(IDevPtr dev);
PELVORAN_API int32_t QUEV_STDCALL wrWriteData_Usb3000(IDevPtr dev, int16_t* lpBuffer,
                                                      uint32_t* nNumberOfWordsToWrite,
                                                      uint32_t* lpNumberOfBytesWritten,
                                                      OverlappedRecord* lpOverlapped);
PELVORAN_API int32_t QUEV_STDCALL wrWRITE_SAMPLE_Usb3000(IDevPtr dev, uint16_t Channel,
                                                         int16_t* Sample);
PELVORAN_API int32_t QUEV_STDCALL wrENABLE_TTL_OUT_Usb3000(IDevPtr dev, int32_t EnableTtlOut);
PELVORAN_API int32_t QUEV_STDCALL wrTTL_IN_Usb3000(IDevPtr dev, uint16_t* TtlIn);
PELVORAN_API int32_t QUEV_STDCALL wrTTL_OUT_Usb3000(IDevPtr dev, uint16_t TtlOut);
PELVORAN_API int32_t QUEV_STDCALL wrENABLE_FLASH_WRITE_Usb3000(IDevPtr dev,
                                                               int32_t EnableFlashWrite);
PELVORAN_API int32_t QUEV_STDCALL wrPUT_FLASH_Usb3000(IDevPtr dev, wrFLASH_USB3000* wrFi);
PELVORAN_API int32_t QUEV_STDCALL wrGET_FLASH_Usb3000(IDevPtr dev, wrFLASH_USB3000* wrFi);
PELVORAN_API int32_t QUEV_STDCALL wrPUT_VAR_WORD_Usb3000(IDevPtr dev, uint16_t Address,
                                                         int16_t Data);
PELVORAN_API int32_t QUEV_STDCALL wrGET_VAR_WORD_Usb3000(IDevPtr dev, uint16_t Address,
                                                         int16_t* Data);
PELVORAN_API int32_t QUEV_STDCALL wrPUT_DM_WORD_Usb3000(IDevPtr dev, uint16_t Address,
                                                        int16_t Data);
PELVORAN_API int32_t QUEV_STDCALL wrGET_DM_WORD_Usb3000(IDevPtr dev, uint16_t Address,
                                                        int16_t* Data);
PELVORAN_API int32_t QUEV_STDCALL wrPUT_PM_WORD_Usb3000(IDevPtr dev, uint16_t Address,
                                                        int32_t Data);
PELVORAN_API int32_t QUEV_STDCALL wrGET_PM_WORD_Usb3000(IDevPtr dev, uint16_t Address,
                                                        int32_t* Data);
PELVORAN_API int32_t QUEV_STDCALL wrPUT_DM_ARRAY_Usb3000(IDevPtr dev, uint16_t BaseAddress,
                                                         uint16_t NPoints, int16_t* Data);
PELVORAN_API int32_t QUEV_STDCALL wrGET_DM_ARRAY_Usb3000(IDevPtr dev, uint16_t BaseAddress,
                                                         uint16_t NPoints, int16_t* Data);
PELVORAN_API int32_t QUEV_STDCALL wrPUT_PM_ARRAY_Usb3000(IDevPtr dev, uint16_t BaseAddress,
                                                         uint16_t NPoints, int32_t* Data);
PELVORAN_API int32_t QUEV_STDCALL wrGET_PM_ARRAY_Usb3000(IDevPtr dev, uint16_t BaseAddress,
                                                         uint16_t NPoints, int32_t* Data);
