#pragma once

// The ADC's view of the bench: which input each channel reads and at what gain (its control
// table entry), and the codes it produces.

#include <array>
#include <cstdint>

#include "sim/BenchControl.h"
#include "sim/Signals.h"

namespace sim {

struct AdcSetup {
  double RateKHz = 0;  // over all channels
  int Channels = 1;
  std::array<uint16_t, 16> ControlTable{};
};

// Codes of one frame, all channels sampled at once t seconds after START_READ. position is the
// stream position of the frame's first sample (the ramp counts samples). The input is the
// entry's low 4 bits, counted down from 15 on the Quev module (whose channel i reads input
// 15 - i) and up on the USB3000; the Quev gain is the entry's bits 6-7.
void FrameCodes(ModuleKind kind, const AdcSetup& setup, const BenchModel& model, double t,
                const DacLevels& dac, uint64_t position, int16_t* out);

}  // namespace sim
