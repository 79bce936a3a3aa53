#include "sim/AdcModel.h"

#include <algorithm>
#include <cmath>

#include "sim/Defaults.h"

namespace sim {
namespace {

int16_t ClampCode(double code) {
  const double rounded = std::nearbyint(code);
  return static_cast<int16_t>(
      std::clamp(rounded, double{defaults::kAdcCodeMin}, double{defaults::kAdcCodeMax}));
}

int16_t RampCode(uint64_t position) {
  return static_cast<int16_t>(static_cast<int>(position % 16384) - 8192);
}

}  // namespace

void FrameCodes(ModuleKind kind, const AdcSetup& setup, const BenchModel& model, double t,
                const DacLevels& dac, uint64_t position, int16_t* out) {
  for (int c = 0; c < setup.Channels; ++c) {
    const uint16_t entry = setup.ControlTable[c];
    const int physical = entry & 0x0F;
    const InputSignal& signal = model.Inputs[kind == ModuleKind::Quev ? 15 - physical : physical];
    if (signal.Kind == SignalKind::Ramp) {
      out[c] = RampCode(position + c);
      continue;
    }
    const double mv = InputMv(model, signal, t, dac);
    out[c] = ClampCode(kind == ModuleKind::Quev
                           ? mv * std::pow(4.0, (entry >> 6) & 3) / defaults::kQuevMvPerCode
                           : mv / defaults::kUsb3000MvPerCode);
  }
}

}  // namespace sim
