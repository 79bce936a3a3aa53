#include "flatlib/wrUsb3000.h"

#include <cstddef>
#include <type_traits>

// Every export that passes through: the export's result type, the operation, the export's
// parameters and the arguments handed on. Arguments keep their own widths, so a WORD reaches the
// interface as 16 bits and a long as 32.
#define WR_FORWARD(Result, Op, Params, Args) \
  PELVORAN_API Result QUEV_STDCALL wr##Op##_Usb3000 Params { return dev->Op Args; }

PELVORAN_API uint32_t QUEV_STDCALL wrRtGetDllVersion_Usb3000() { return RtGetDllVersion(); }

PELVORAN_API IDevPtr QUEV_STDCALL wrRtCreateInstance_Usb3000() {
  return RtCreateInstance("usb3000");
}

WR_FORWARD(int32_t, OpenDevice, (IDevPtr dev, uint16_t VirtualSlot), (VirtualSlot))
WR_FORWARD(int32_t, CloseDevice, (IDevPtr dev), ())
WR_FORWARD(void*, GetModuleHandle, (IDevPtr dev), ())
WR_FORWARD(int32_t, GetUsbSpeed, (IDevPtr dev, uint8_t* UsbSpeed), (UsbSpeed))
WR_FORWARD(int32_t, GetModuleName, (IDevPtr dev, char* ModuleName), (ModuleName))
WR_FORWARD(int32_t, GetModuleSerialNumber, (IDevPtr dev, char* SerialNumber), (SerialNumber))
WR_FORWARD(int32_t, GetAvrVersion, (IDevPtr dev, char* AvrVersion), (AvrVersion))
WR_FORWARD(int32_t, ReleaseDevice, (IDevPtr dev), ())
WR_FORWARD(int32_t, RESET_DSP, (IDevPtr dev), ())
WR_FORWARD(int32_t, LOAD_DSP, (IDevPtr dev, char* FileName), (FileName))
WR_FORWARD(int32_t, MODULE_TEST, (IDevPtr dev), ())
WR_FORWARD(int32_t, SEND_COMMAND, (IDevPtr dev, uint16_t Command), (Command))
WR_FORWARD(int32_t, GetLastErrorString, (IDevPtr dev, char* lpBuffer, uint32_t nSize),
           (lpBuffer, nSize))
WR_FORWARD(int32_t, START_READ, (IDevPtr dev), ())
WR_FORWARD(int32_t, STOP_READ, (IDevPtr dev), ())
WR_FORWARD(int32_t, READ_KADR, (IDevPtr dev, int16_t* Data), (Data))
WR_FORWARD(int32_t, READ_SAMPLE, (IDevPtr dev, uint16_t Channel, int16_t* Sample),
           (Channel, Sample))
WR_FORWARD(int32_t, ReadData,
           (IDevPtr dev, int16_t* lpBuffer, uint32_t* nNumberOfWordsToRead,
            uint32_t* lpNumberOfBytesRead, OverlappedRecord* lpOverlapped),
           (lpBuffer, nNumberOfWordsToRead, lpNumberOfBytesRead, lpOverlapped))
WR_FORWARD(int32_t, START_WRITE, (IDevPtr dev), ())
WR_FORWARD(int32_t, STOP_WRITE, (IDevPtr dev), ())
WR_FORWARD(int32_t, WriteData,
           (IDevPtr dev, int16_t* lpBuffer, uint32_t* nNumberOfWordsToWrite,
            uint32_t* lpNumberOfBytesWritten, OverlappedRecord* lpOverlapped),
           (lpBuffer, nNumberOfWordsToWrite, lpNumberOfBytesWritten, lpOverlapped))
WR_FORWARD(int32_t, WRITE_SAMPLE, (IDevPtr dev, uint16_t Channel, int16_t* Sample),
           (Channel, Sample))
WR_FORWARD(int32_t, ENABLE_TTL_OUT, (IDevPtr dev, int32_t EnableTtlOut), (EnableTtlOut))
WR_FORWARD(int32_t, TTL_IN, (IDevPtr dev, uint16_t* TtlIn), (TtlIn))
WR_FORWARD(int32_t, TTL_OUT, (IDevPtr dev, uint16_t TtlOut), (TtlOut))
WR_FORWARD(int32_t, ENABLE_FLASH_WRITE, (IDevPtr dev, int32_t EnableFlashWrite), (EnableFlashWrite))
WR_FORWARD(int32_t, PUT_VAR_WORD, (IDevPtr dev, uint16_t Address, int16_t Data), (Address, Data))
WR_FORWARD(int32_t, GET_VAR_WORD, (IDevPtr dev, uint16_t Address, int16_t* Data), (Address, Data))
WR_FORWARD(int32_t, PUT_DM_WORD, (IDevPtr dev, uint16_t Address, int16_t Data), (Address, Data))
WR_FORWARD(int32_t, GET_DM_WORD, (IDevPtr dev, uint16_t Address, int16_t* Data), (Address, Data))
WR_FORWARD(int32_t, PUT_PM_WORD, (IDevPtr dev, uint16_t Address, int32_t Data), (Address, Data))
WR_FORWARD(int32_t, GET_PM_WORD, (IDevPtr dev, uint16_t Address, int32_t* Data), (Address, Data))
WR_FORWARD(int32_t, PUT_DM_ARRAY,
           (IDevPtr dev, uint16_t BaseAddress, uint16_t NPoints, int16_t* Data),
           (BaseAddress, NPoints, Data))
WR_FORWARD(int32_t, GET_DM_ARRAY,
           (IDevPtr dev, uint16_t BaseAddress, uint16_t NPoints, int16_t* Data),
           (BaseAddress, NPoints, Data))
WR_FORWARD(int32_t, PUT_PM_ARRAY,
           (IDevPtr dev, uint16_t BaseAddress, uint16_t NPoints, int32_t* Data),
           (BaseAddress, NPoints, Data))
WR_FORWARD(int32_t, GET_PM_ARRAY,
           (IDevPtr dev, uint16_t BaseAddress, uint16_t NPoints, int32_t* Data),
           (BaseAddress, NPoints, Data))

#undef WR_FORWARD

// The conversions. Each works on a packed record of its own, zeroed so that the module never sees
// stack garbage, tests the operation's whole result and writes the caller's record only when the
// operation succeeded. Packed and aligned records name their fields alike, so one copy routine
// per record serves both directions; fields are copied by name, never as raw bytes, because
// their offsets differ.
namespace {

// Element by element: the packed records' arrays may lie at odd offsets, so no reference or
// pointer to them is formed.
#define COPY_ITEMS(field) \
  for (std::size_t i = 0; i < std::extent_v<decltype(to.field)>; ++i) to.field[i] = from.field[i]

constexpr auto CopyInputFields = [](auto& to, const auto& from) {
  to.InputEnabled = from.InputEnabled;
  to.CorrectionEnabled = from.CorrectionEnabled;
  to.InputType = from.InputType;
  to.SynchroType = from.SynchroType;
  to.SynchroAdType = from.SynchroAdType;
  to.SynchroAdMode = from.SynchroAdMode;
  to.SynchroAdChannel = from.SynchroAdChannel;
  to.SynchroAdPorog = from.SynchroAdPorog;
  to.ChannelsQuantity = from.ChannelsQuantity;
  COPY_ITEMS(ControlTable);
  to.InputFifoBaseAddress = from.InputFifoBaseAddress;
  to.InputFifoLength = from.InputFifoLength;
  to.InputRate = from.InputRate;
  to.InterKadrDelay = from.InterKadrDelay;
  to.ChannelRate = from.ChannelRate;
  COPY_ITEMS(AdcOffsetCoef);
  COPY_ITEMS(AdcScaleCoef);
};

constexpr auto CopyOutputFields = [](auto& to, const auto& from) {
  to.OutputEnabled = from.OutputEnabled;
  to.OutputRate = from.OutputRate;
  to.OutputFifoBaseAddress = from.OutputFifoBaseAddress;
  to.OutputFifoLength = from.OutputFifoLength;
};

// Everything after CRC16 and size.
constexpr auto CopyFlashFields = [](auto& to, const auto& from) {
  COPY_ITEMS(SerialNumber);
  COPY_ITEMS(Name);
  to.Revision = from.Revision;
  COPY_ITEMS(DspType);
  to.IsDacPresented = from.IsDacPresented;
  to.DspClockout = from.DspClockout;
  COPY_ITEMS(AdcOffsetCoef);
  COPY_ITEMS(AdcScaleCoef);
  COPY_ITEMS(DacOffsetCoef);
  COPY_ITEMS(DacScaleCoef);
  COPY_ITEMS(ReservedByte);
};

#undef COPY_ITEMS

// Copies a zero-terminated text up to and including its terminator; the bytes after it in the
// destination keep their values. The source must hold a zero within `capacity` bytes.
void CopyText(uint8_t* to, const uint8_t* from, std::size_t capacity) {
  for (std::size_t i = 0; i < capacity; ++i) {
    to[i] = from[i];
    if (from[i] == 0) return;
  }
}

constexpr int32_t kDone = 1;
constexpr int32_t kFailed = 0;

// A parameter operation of the interface; its packed record carries its own size in `size`,
// which the module checks, and the caller's record gets the aligned size back.
template <class Packed>
using ParameterOperation = int32_t (QUEV_STDCALL IUsb3000Module::*)(Packed*);

template <class Packed, class Aligned, class Copy>
int32_t ReadParameters(IDevPtr dev, ParameterOperation<Packed> read, Aligned* wr, Copy copy) {
  Packed packed{};
  packed.size = sizeof packed;
  if ((dev->*read)(&packed) == 0) return kFailed;
  wr->size = sizeof *wr;
  copy(*wr, packed);
  return kDone;
}

// The module may adjust what it was given, so the caller sees what it left in the record.
template <class Packed, class Aligned, class Copy>
int32_t WriteParameters(IDevPtr dev, ParameterOperation<Packed> write, Aligned* wr, Copy copy) {
  Packed packed{};
  packed.size = sizeof packed;
  copy(packed, *wr);
  if ((dev->*write)(&packed) == 0) return kFailed;
  wr->size = sizeof *wr;
  copy(*wr, packed);
  return kDone;
}

}  // namespace

PELVORAN_API int32_t QUEV_STDCALL wrGET_DSP_INFO_Usb3000(IDevPtr dev,
                                                         wrDSP_INFO_USB3000* wrDspInfo) {
  RTUSB3000::DSP_INFO info{};
  if (dev->GET_DSP_INFO(&info) == 0) return kFailed;
  info.Target[sizeof info.Target - 1] = 0;
  info.Label[sizeof info.Label - 1] = 0;
  CopyText(wrDspInfo->Target, info.Target, sizeof info.Target);
  CopyText(wrDspInfo->Label, info.Label, sizeof info.Label);
  wrDspInfo->DspMajor = info.DspMajor;
  wrDspInfo->DspMinor = info.DspMinor;
  return kDone;
}

PELVORAN_API int32_t QUEV_STDCALL wrGET_INPUT_PARS_Usb3000(IDevPtr dev,
                                                           wrINPUT_PARS_USB3000* wrAp) {
  return ReadParameters(dev, &IUsb3000Module::GET_INPUT_PARS, wrAp, CopyInputFields);
}

PELVORAN_API int32_t QUEV_STDCALL wrSET_INPUT_PARS_Usb3000(IDevPtr dev,
                                                           wrINPUT_PARS_USB3000* wrAp) {
  return WriteParameters(dev, &IUsb3000Module::SET_INPUT_PARS, wrAp, CopyInputFields);
}

PELVORAN_API int32_t QUEV_STDCALL wrGET_OUTPUT_PARS_Usb3000(IDevPtr dev,
                                                            wrOUTPUT_PARS_USB3000* wrDp) {
  return ReadParameters(dev, &IUsb3000Module::GET_OUTPUT_PARS, wrDp, CopyOutputFields);
}

PELVORAN_API int32_t QUEV_STDCALL wrSET_OUTPUT_PARS_Usb3000(IDevPtr dev,
                                                            wrOUTPUT_PARS_USB3000* wrDp) {
  return WriteParameters(dev, &IUsb3000Module::SET_OUTPUT_PARS, wrDp, CopyOutputFields);
}

// Only the checksum the module computed comes back; the caller's copy of the contents stays as
// it was written.
PELVORAN_API int32_t QUEV_STDCALL wrPUT_FLASH_Usb3000(IDevPtr dev, wrFLASH_USB3000* wrFi) {
  RTUSB3000::FLASH fi{};
  fi.CRC16 = wrFi->CRC16;
  fi.size = sizeof fi;
  CopyFlashFields(fi, *wrFi);
  if (dev->PUT_FLASH(&fi) == 0) return kFailed;
  wrFi->CRC16 = fi.CRC16;
  wrFi->size = sizeof *wrFi;
  return kDone;
}

// The module may fill its texts to the last byte; the caller gets them terminated.
PELVORAN_API int32_t QUEV_STDCALL wrGET_FLASH_Usb3000(IDevPtr dev, wrFLASH_USB3000* wrFi) {
  RTUSB3000::FLASH fi{};
  fi.size = sizeof fi;
  if (dev->GET_FLASH(&fi) == 0) return kFailed;
  wrFi->CRC16 = fi.CRC16;
  wrFi->size = sizeof *wrFi;
  fi.SerialNumber[sizeof fi.SerialNumber - 1] = 0;
  fi.Name[sizeof fi.Name - 1] = 0;
  fi.DspType[sizeof fi.DspType - 1] = 0;
  CopyFlashFields(*wrFi, fi);
  return kDone;
}
