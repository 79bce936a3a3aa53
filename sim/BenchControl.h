#pragma once

// Control of the simulated modules and their bench, for tests and demonstrations: which modules
// answer, what they answer, which operation fails, how fast time runs, and what the station did.
// Settings hold until changed or until Reset(); answers are read at every call, so they also
// apply to module instances created before.

#include <cstdint>
#include <string>
#include <vector>

#include "modules/QuevModule.h"
#include "modules/Usb3000Module.h"
#include "sim/BenchModel.h"
#include "sim/SimApi.h"
#include "sim/SimClock.h"

namespace sim {

enum class ModuleKind { Quev, Usb3000 };
enum class Direction { Read, Write };

class SIM_API BenchControl {
 public:
  // Every setting back to its default (healthy modules present, or those QUEV_SIM_MODULES names,
  // real time, the default bench), logs and counters emptied. Instances the station still holds
  // stay valid.
  void Reset();

  // Presence: OpenDevice(0) fails without a module; CreateInstance gives null when refused.
  void SetPresent(ModuleKind kind, bool present);
  void SetCreatable(ModuleKind kind, bool creatable);

  // Answers of the library and the module.
  void SetDllVersion(ModuleKind kind, uint32_t version);
  void SetModuleName(ModuleKind kind, const std::string& name);
  void SetSerialNumber(ModuleKind kind, const std::string& serial);
  void SetDacFitted(ModuleKind kind, bool fitted);  // the flash's IsDacPresented
  void SetLbiosVersion(uint32_t version);            // Quev firmware
  void SetUsbSpeed(uint8_t speed);                   // USB3000
  void SetAvrVersion(const std::string& version);    // USB3000
  void SetDspVersion(uint8_t major, uint8_t minor);  // USB3000
  // The ADC rate the module writes back on SET_INPUT_PARS instead of the one asked for
  // (0 = take the request, clamped to the module's limit).
  void SetRateWriteBack(ModuleKind kind, double rateKHz);

  // The nth call (from 1, counted over all instances of the kind from this moment) of the named
  // operation fails: it returns 0 and does nothing. Names are the interface's ("START_READ",
  // "ReadData", "GET_FLASH", ...); the library's "CreateInstance" or "RtCreateInstance" then
  // returns null. ReleaseDevice made to fail still ends the instance's transfers.
  void FailOnCall(ModuleKind kind, const std::string& operation, int nth);
  // Every call of the named operation fails from now on.
  void FailAlways(ModuleKind kind, const std::string& operation);
  // After `blocks` more transfers of the direction have been queued, no queued transfer of
  // that direction completes any more (the caller's wait times out).
  void StallAfter(ModuleKind kind, Direction direction, int blocks);

  void SetClock(ClockMode mode, double scale = 1.0);
  SimClock& Clock();

  // The bench: a named layout (see ApplyScenario), one input, or the whole model. A recording
  // takes the bench as it is at START_READ.
  bool SetScenario(const std::string& name);
  void SetInput(int channel, const InputSignal& signal);
  void SetModel(const BenchModel& model);
  BenchModel Model();

  // What happened: library calls ("GetDllVersion", "CreateInstance", "RtGetDllVersion",
  // "RtCreateInstance") and each instance's
  // operations in order, instances numbered by creation from 0 since the last Reset().
  std::vector<std::string> LibraryLog(ModuleKind kind);
  int InstanceCount(ModuleKind kind);
  std::vector<std::string> CallLog(ModuleKind kind, int instance);
  // Calls made on an instance after its ReleaseDevice.
  int CallsAfterRelease();
  // The records last passed to SET_INPUT_PARS / SET_OUTPUT_PARS (as passed in).
  QUEV_INPUT_PARS LastQuevInputPars();
  QUEV_OUTPUT_PARS LastQuevOutputPars();
  RTUSB3000::INPUT_PARS LastUsb3000InputPars();
  RTUSB3000::OUTPUT_PARS LastUsb3000OutputPars();
  // The words written to an instance's DAC since its last START_WRITE, and how many of them
  // reached the output too late to be played.
  std::vector<uint16_t> DacWords(ModuleKind kind, int instance);
  size_t DacUnderruns(ModuleKind kind, int instance);
  // The ADC samples an instance lost since its last START_READ: those that arrived while no read
  // was queued and its input FIFO (the InputFifoLength of Defaults.h, in samples: 3072 on the
  // Quev module, 12288 on the USB3000, 4 ms at 3000 kHz) was full. The next read then takes the
  // FIFO's samples and continues after the lost ones (a ramp input jumps). A scaled clock shortens
  // the FIFO's time by its scale too. A reader that must lose nothing keeps a read queued ahead,
  // each on a record and event of its own: two completions on one auto-reset event before a
  // wait leave one signal, and the record holds only the last one's byte count.
  uint64_t AdcOverruns(ModuleKind kind, int instance);
};

SIM_API BenchControl& Bench();

}  // namespace sim
