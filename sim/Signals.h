#pragma once

#include <array>

#include "sim/BenchModel.h"

namespace sim {

// The DAC channels as the bench inputs see them at one instant.
struct DacLevels {
  std::array<double, 2> Direct{};    // mV at the DAC outputs
  std::array<double, 2> Filtered{};  // mV after the device under test
};

// Millivolts at an input carrying an analogue signal, t seconds after START_READ. The ramp is a
// code, not a voltage, and is produced by the converter model instead.
double InputMv(const BenchModel& model, const InputSignal& input, double t, const DacLevels& dac);

}  // namespace sim
