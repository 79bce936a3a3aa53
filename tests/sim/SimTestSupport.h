#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "modules/QuevModule.h"
#include "modules/Usb3000Module.h"
#include "platform/Events.h"
#include "sim/BenchControl.h"

namespace simtest {

// Every test starts from a healthy bench on an instant clock.
class SimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Bench().Reset();
    sim::Bench().SetClock(sim::ClockMode::Instant);
  }
  void TearDown() override { sim::Bench().Reset(); }
};

// Sets an environment variable the bench reads, or removes it for nullptr.
inline void SetVariable(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value ? value : "");
#else
  if (value) setenv(name, value, 1);
  else unsetenv(name);
#endif
}

// An event and an overlapped record holding it, closed at the end.
struct Transfer {
  Transfer() { Overlapped.hEvent = Event; }
  ~Transfer() { platform::CloseHandle(Event); }
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;
  uint32_t Wait(uint32_t ms) { return platform::WaitForSingleObject(Event, ms); }

  platform::Event Event = platform::CreateEvent();
  OverlappedRecord Overlapped{};
  uint32_t Done = 0;
};

// Queues a read (or write) of `count` samples of `data` on the transfer; the count goes by
// reference as the station passes it.
template <typename Module>
bool Read(Module* m, int16_t* data, uint32_t& count, Transfer& t) {
  return m->ReadData(data, &count, &t.Done, &t.Overlapped) != 0;
}
template <typename Module>
bool Write(Module* m, int16_t* data, uint32_t& count, Transfer& t) {
  return m->WriteData(data, &count, &t.Done, &t.Overlapped) != 0;
}

// A module through the bring-up the station performs.
inline IQuevModule* OpenQuev() {
  IQuevModule* m = CreateInstance("quev");
  if (m == nullptr || !m->OpenDevice(0) || !m->LOAD_BIOS(nullptr)) return nullptr;
  return m;
}

inline IUsb3000Module* OpenUsb3000() {
  IUsb3000Module* m = RtCreateInstance("usb3000");
  if (m == nullptr || !m->OpenDevice(0) || !m->LOAD_DSP(nullptr)) return nullptr;
  return m;
}

// Programs the Quev ADC as the station does: channel i reads entry (15 - i) | gain << 6.
inline bool SetQuevAdc(IQuevModule* m, int channels, double rateKHz, int gain = 0) {
  QUEV_INPUT_PARS p{};
  p.size = sizeof(p);
  if (!m->GET_INPUT_PARS(&p)) return false;
  p.CorrectionEnabled = 1;
  p.ChannelsQuantity = static_cast<uint16_t>(channels);
  for (int i = 0; i < channels; ++i) p.ControlTable[i] = static_cast<uint16_t>((15 - i) | gain << 6);
  p.InputRate = rateKHz;
  p.InterKadrDelay = 0.0025;
  return m->SET_INPUT_PARS(&p) != 0;
}

// The USB3000 ADC with channel i reading input table[i].
inline bool SetUsb3000Adc(IUsb3000Module* m, std::vector<uint16_t> table, double rateKHz) {
  RTUSB3000::INPUT_PARS p{};
  p.size = sizeof(p);
  if (!m->GET_INPUT_PARS(&p)) return false;
  p.ChannelsQuantity = static_cast<uint16_t>(table.size());
  std::copy(table.begin(), table.end(), p.ControlTable);
  p.InputRate = rateKHz;
  return m->SET_INPUT_PARS(&p) != 0;
}

inline bool SetQuevDac(IQuevModule* m, double rateKHz) {
  QUEV_OUTPUT_PARS p{};
  p.size = sizeof(p);
  if (!m->GET_OUTPUT_PARS(&p)) return false;
  p.OutputRate = rateKHz;
  p.OutputFifoBaseAddress = 3000;
  p.OutputFifoLength = 4032;
  return m->SET_OUTPUT_PARS(&p) != 0;
}

// The Quev DAC word of the first channel for a level in mV.
inline int16_t QuevDacWord(double mv) {
  const long code = std::lround(std::clamp(mv * 0.4096, -2048.0, 2047.0));
  return static_cast<int16_t>(code & 0x0FFF);
}

// The ramp input's code at stream position i.
inline int16_t RampCode(size_t i) { return static_cast<int16_t>(static_cast<int>(i % 16384) - 8192); }

// Fourier coefficient of channel c at `cycles` periods over frames [first, first + count).
inline std::complex<double> Harmonic(const std::vector<int16_t>& data, int channels, int c,
                                     size_t first, size_t count, double cycles) {
  std::complex<double> sum;
  for (size_t k = 0; k < count; ++k) {
    const double angle = 2 * std::numbers::pi * cycles * static_cast<double>(k) / count;
    sum += static_cast<double>(data[(first + k) * channels + c]) * std::polar(1.0, -angle);
  }
  return sum * (2.0 / static_cast<double>(count));
}

}  // namespace simtest
