#pragma once
// Setting up a module's ADC and reading a fixed number of blocks from it: what the long
// recording, the balancing run and the metrology recording share, and the input records the
// real-time worker programs as well.

#include <cstdint>
#include <optional>
#include <string>

#include "modules/QuevModule.h"
#include "modules/Usb3000Module.h"

namespace adc {

enum class Module { Quev, Usb3000 };

// The module the acquisition page's runs (Real and Long) use, the one whose rate table the page
// shows: the USB3000 whenever it is up, else the Quev module when it is up, else none. The
// balancing run, the metrology recording and the sweep use the Quev module whatever this says.
std::optional<Module> AcquisitionPageModule();

// ---- Input records ----------------------------------------------------------------------------

// Control word of Quev channel `channel` (0 to 15) at range code `rangeCode` (0 to 3): the
// module's inputs are wired in reverse, so channel 0 is input 15; the gain sits in bits 6 and 7.
uint16_t QuevControlWord(int channel, int rangeCode);

// The Quev record for `channels` channels (1 to 16) at `rateKHz` over all channels and range
// `rangeCode`: correction on, inter-frame delay 0.0025, the control words of channels 0 to
// channels - 1, and the ADC calibration of ModuleState.QuevFlash. Every other field (the size
// word, the FIFO length, table entries past the channels) is left as it was. Callers that wire a
// channel differently (the balancing run's mark input) overwrite the table entry afterwards.
void FillQuevInputPars(QUEV_INPUT_PARS& pars, double rateKHz, int channels, int rangeCode);

// The USB3000 record for `channels` channels (1 to 16) at `rateKHz` over all channels:
// correction on (-1), no inter-frame delay, channel i on input i (this module has no range
// choice), and the offset and scale coefficients of ModuleState.Usb3000Flash widened to double.
// Every other field is left as it was.
void FillUsb3000InputPars(RTUSB3000::INPUT_PARS& pars, double rateKHz, int channels);

// ---- Long recording geometry --------------------------------------------------------------------

// Blocks of a recording of rateKHz x seconds thousand samples: at most about 1,048,576 samples
// per block, each a multiple of the module's transfer quantum (32 samples for the Quev module,
// 512 for the USB3000). blocks = Trunc(Q T / 1048.576) + 1 (an exact multiple gets one block
// more); blockSize = quantum x Trunc(Q T / (quantum / 1000) / blocks + 1). Samples = blocks x
// blockSize is at least Q T thousand, so the recording covers the whole time asked for.
struct BlockGeometry {
    int32_t blocks = 0;
    int32_t blockSize = 0;
    int64_t Samples() const { return static_cast<int64_t>(blocks) * blockSize; }
};
inline constexpr int kQuevQuantum = 32;
inline constexpr int kUsb3000Quantum = 512;
// The USB3000 module records long spans at its full rate, whatever the rate bar shows.
inline constexpr double kUsb3000LongRate = 3000.0;
BlockGeometry LongGeometry(double rateKHz, double seconds, int quantum);

// Milliseconds to wait for one block of blockSize samples at rateKHz: its duration plus one
// second, Trunc(blockSize / rate + 1000). A rate of 0 or less gives the one second alone.
int32_t BlockTimeoutMs(int32_t blockSize, double rateKHz);

// ---- Blocking recording --------------------------------------------------------------------------

// What a blocking recording reads, on the GUI thread, from the module in ModuleState.
struct BlockingRead {
    Module module = Module::Quev;
    int32_t blocks = 0;
    int32_t blockSize = 0;
    int16_t* buffer = nullptr;  // room for blocks x blockSize samples
};

// Programs the module with its input record as the caller filled it (ModuleState.QuevAdcPars or
// Usb3000InputPars), then reads the blocks one at a time into the buffer, in order: block b goes
// to buffer + b x blockSize, and the next one is queued only after this one completed. Uses
// TransferState: a new AdcEvent in a zeroed AdcOverlapped, IoTimeout (for the Quev module from
// the rate the module left in its record after SET_INPUT_PARS; for the USB3000 from the rate
// asked for), AdcBytesDone reset. Ends with STOP_READ, SampleData.DataTime := now and the event
// closed. True on success.
//
// On any failure the recording stops at once: the event is closed if it was made, one
// "ОШИБКА!!!" box tells what failed, the module is released (its ready flags cleared, its lamps
// red, its interface never called again), and the result is false. Texts: SET_INPUT_PARS
// "Не могу передать параметры АЦП!" (information icon); START_READ "Не могу запустить АЦП!";
// a block not completed within IoTimeout "Ошибка ввода данных с АЦП!"; STOP_READ
// "Не могу остановить АЦП!" for the Quev module, "Не могу остановить USB3000 АЦП!" for the
// USB3000 (no icon). The caller checks first that the module is up and no worker is alive.
bool ReadBlocks(const BlockingRead& read);

// Sizes SampleData.SampleBuffer to `samples` zeroed samples after letting go of the old ones.
// When the memory cannot be had, the buffer is left empty, SampleCount and FrameCount become 0,
// one "ОШИБКА!!!" box says so, and the result is false; nothing else is touched.
bool SizeSampleBuffer(int64_t samples);

// The log line of a finished blocking recording, from the data in memory and BlockSize:
// "LONG,  Сбор данных  <date and time>,  Q=<rate>кГц,  N=<channels>,  <gainKey>=<gain>,
// NB=<blocks>,  RBA=..,  ND=..,  NK=..". The long recording reports "K" and its range code,
// the balancing run "KoefB" and the gain of its plane channels.
std::string RecordingSummary(const char* gainKey, int gain, int32_t blocks);

}  // namespace adc
