#pragma once

// How both simulated modules exchange their packed records with the caller: what a GET_* hands
// out, what a SET_* takes, and what START_READ programs the stream with.

#include <cmath>
#include <cstring>

#include "sim/ModuleCore.h"

namespace sim {

// A record the caller hands over with its size word set to the record's size, as the vendor
// libraries demand before they read or take one.
template <typename Record>
bool SizedRecord(const Record* record) {
  return record != nullptr && record->size == sizeof(Record);
}

// A GET_* operation: the module's record goes to a caller who sized it.
template <typename Record>
int32_t GiveRecord(ModuleCore& core, const char* operation, Record* out, const Record& held,
                   bool available = true) {
  if (!core.Enter(operation) || !available || !SizedRecord(out)) return 0;
  std::memcpy(out, &held, sizeof(Record));
  return 1;
}

// A SET_* operation: the record is kept as passed, for tests; a record of the wrong size or
// that the module finds invalid is refused; otherwise the module takes it.
template <typename Record>
bool TakeRecord(ModuleCore& core, const char* operation, Record* in, Record& held,
                Record BenchState::*last, bool valid) {
  if (!core.Enter(operation) || in == nullptr) return false;
  core.WithBench([&](BenchState& s) { std::memcpy(&(s.*last), in, sizeof(Record)); });
  if (!valid || !SizedRecord(in)) return false;
  std::memcpy(&held, in, sizeof(Record));
  return true;
}

inline bool UsableRate(double rateKHz) { return std::isfinite(rateKHz) && rateKHz > 0; }

// The ADC takes 1 to 16 channels at a rate above 0, limited to its highest (or the rate a test
// makes it choose), and writes back the rate it will run at.
template <typename Pars>
bool TakeInputPars(ModuleCore& core, Pars* in, Pars& held, Pars BenchState::*last,
                   double maxRateKHz) {
  const bool valid = in != nullptr && UsableRate(in->InputRate) && in->ChannelsQuantity >= 1 &&
                     in->ChannelsQuantity <= 16;
  if (!TakeRecord(core, "SET_INPUT_PARS", in, held, last, valid)) return false;
  const double writeBack = core.Answers().RateWriteBack;
  held.InputRate = writeBack > 0 ? writeBack : std::fmin(in->InputRate, maxRateKHz);
  in->InputRate = held.InputRate;
  return true;
}

// The DAC, when fitted, takes a rate above 0, limited to its highest, and writes it back.
template <typename Pars>
bool TakeOutputPars(ModuleCore& core, Pars* in, Pars& held, Pars BenchState::*last,
                    double maxRateKHz, bool fitted = true) {
  const bool valid = fitted && in != nullptr && UsableRate(in->OutputRate);
  if (!TakeRecord(core, "SET_OUTPUT_PARS", in, held, last, valid)) return false;
  held.OutputRate = std::fmin(in->OutputRate, maxRateKHz);
  in->OutputRate = held.OutputRate;
  return true;
}

// What START_READ programs the stream with.
template <typename Pars>
AdcSetup AdcSetupOf(const Pars& pars) {
  AdcSetup setup;
  setup.RateKHz = pars.InputRate;
  setup.Channels = pars.ChannelsQuantity;
  std::memcpy(setup.ControlTable.data(), pars.ControlTable, sizeof(uint16_t) * 16);
  return setup;
}

}  // namespace sim
