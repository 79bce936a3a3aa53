#pragma once

// A USB3000 interface that records every call (its slot and arguments) and answers with a set
// result. Operations taking a packed record also keep a copy of the record as it arrived and may
// rewrite it before answering, as a module would.

#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

#include "modules/Usb3000Module.h"

class FakeUsb3000 final : public IUsb3000Module {
 public:
  struct Call {
    int slot;
    std::vector<int64_t> args;
  };

  int32_t result = 1;  // also the module handle, as a pointer-sized value
  std::vector<Call> calls;
  std::vector<uint8_t> received;                // the last packed record, as it arrived
  std::function<void(uint8_t* record)> answer;  // rewrites the packed record before returning

  int32_t QUEV_STDCALL OpenDevice(uint16_t a) override { return Log(0, a); }
  int32_t QUEV_STDCALL CloseDevice() override { return Log(1); }
  void* QUEV_STDCALL GetModuleHandle() override {
    return reinterpret_cast<void*>(intptr_t{Log(2)});
  }
  int32_t QUEV_STDCALL GetUsbSpeed(uint8_t* a) override { return Log(3, a); }
  int32_t QUEV_STDCALL GetModuleName(char* a) override { return Log(4, a); }
  int32_t QUEV_STDCALL GetModuleSerialNumber(char* a) override { return Log(5, a); }
  int32_t QUEV_STDCALL GetAvrVersion(char* a) override { return Log(6, a); }
  int32_t QUEV_STDCALL ReleaseDevice() override { return Log(7); }
  int32_t QUEV_STDCALL RESET_DSP() override { return Log(8); }
  int32_t QUEV_STDCALL LOAD_DSP(const char* a) override { return Log(9, a); }
  int32_t QUEV_STDCALL MODULE_TEST() override { return Log(10); }
  int32_t QUEV_STDCALL GET_DSP_INFO(RTUSB3000::DSP_INFO* r) override { return Exchange(11, r); }
  int32_t QUEV_STDCALL SEND_COMMAND(uint16_t a) override { return Log(12, a); }
  int32_t QUEV_STDCALL PUT_VAR_WORD(uint16_t a, int16_t b) override { return Log(13, a, b); }
  int32_t QUEV_STDCALL GET_VAR_WORD(uint16_t a, int16_t* b) override { return Log(14, a, b); }
  int32_t QUEV_STDCALL PUT_DM_WORD(uint16_t a, int16_t b) override { return Log(15, a, b); }
  int32_t QUEV_STDCALL GET_DM_WORD(uint16_t a, int16_t* b) override { return Log(16, a, b); }
  int32_t QUEV_STDCALL PUT_PM_WORD(uint16_t a, int32_t b) override { return Log(17, a, b); }
  int32_t QUEV_STDCALL GET_PM_WORD(uint16_t a, int32_t* b) override { return Log(18, a, b); }
  int32_t QUEV_STDCALL PUT_DM_ARRAY(uint16_t a, uint16_t b, int16_t* c) override {
    return Log(19, a, b, c);
  }
  int32_t QUEV_STDCALL GET_DM_ARRAY(uint16_t a, uint16_t b, int16_t* c) override {
    return Log(20, a, b, c);
  }
  int32_t QUEV_STDCALL PUT_PM_ARRAY(uint16_t a, uint16_t b, int32_t* c) override {
    return Log(21, a, b, c);
  }
  int32_t QUEV_STDCALL GET_PM_ARRAY(uint16_t a, uint16_t b, int32_t* c) override {
    return Log(22, a, b, c);
  }
  int32_t QUEV_STDCALL GET_INPUT_PARS(RTUSB3000::INPUT_PARS* r) override { return Exchange(23, r); }
  int32_t QUEV_STDCALL SET_INPUT_PARS(RTUSB3000::INPUT_PARS* r) override { return Exchange(24, r); }
  int32_t QUEV_STDCALL START_READ() override { return Log(25); }
  int32_t QUEV_STDCALL STOP_READ() override { return Log(26); }
  int32_t QUEV_STDCALL READ_KADR(int16_t* a) override { return Log(27, a); }
  int32_t QUEV_STDCALL READ_SAMPLE(uint16_t a, int16_t* b) override { return Log(28, a, b); }
  int32_t QUEV_STDCALL ReadData(int16_t* a, uint32_t* b, uint32_t* c,
                                OverlappedRecord* d) override {
    return Log(29, a, b, c, d);
  }
  int32_t QUEV_STDCALL GET_OUTPUT_PARS(RTUSB3000::OUTPUT_PARS* r) override {
    return Exchange(30, r);
  }
  int32_t QUEV_STDCALL SET_OUTPUT_PARS(RTUSB3000::OUTPUT_PARS* r) override {
    return Exchange(31, r);
  }
  int32_t QUEV_STDCALL START_WRITE() override { return Log(32); }
  int32_t QUEV_STDCALL STOP_WRITE() override { return Log(33); }
  int32_t QUEV_STDCALL WRITE_SAMPLE(uint16_t a, int16_t* b) override { return Log(34, a, b); }
  int32_t QUEV_STDCALL WriteData(int16_t* a, uint32_t* b, uint32_t* c,
                                 OverlappedRecord* d) override {
    return Log(35, a, b, c, d);
  }
  int32_t QUEV_STDCALL ENABLE_TTL_OUT(int32_t a) override { return Log(36, a); }
  int32_t QUEV_STDCALL TTL_OUT(uint16_t a) override { return Log(37, a); }
  int32_t QUEV_STDCALL TTL_IN(uint16_t* a) override { return Log(38, a); }
  int32_t QUEV_STDCALL ENABLE_FLASH_WRITE(int32_t a) override { return Log(39, a); }
  int32_t QUEV_STDCALL PUT_FLASH(RTUSB3000::FLASH* r) override { return Exchange(40, r); }
  int32_t QUEV_STDCALL GET_FLASH(RTUSB3000::FLASH* r) override { return Exchange(41, r); }
  int32_t QUEV_STDCALL GetLastErrorString(char* a, uint32_t b) override { return Log(42, a, b); }

 private:
  template <class T>
  static int64_t Word(T value) {
    if constexpr (std::is_pointer_v<T>) {
      return static_cast<int64_t>(reinterpret_cast<intptr_t>(value));
    } else {
      return static_cast<int64_t>(value);
    }
  }

  template <class... A>
  int32_t Log(int slot, A... args) {
    calls.push_back({slot, {Word(args)...}});
    return result;
  }

  template <class Record>
  int32_t Exchange(int slot, Record* record) {
    auto* bytes = reinterpret_cast<uint8_t*>(record);
    received.assign(bytes, bytes + sizeof(Record));
    if (answer) answer(bytes);
    return Log(slot, record);
  }
};
