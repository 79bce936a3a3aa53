#pragma once

// Every bench input as a sum the synthesiser can evaluate quickly over a run of frames: a
// constant, sine tones, a square pulse train, Gaussian marks, a DAC output, or the ramp code.

#include <array>
#include <vector>

#include "sim/BenchModel.h"

namespace sim {

// The DAC channels as the bench inputs see them at one instant.
struct DacLevels {
  std::array<double, 2> Direct{};    // mV at the DAC outputs
  std::array<double, 2> Filtered{};  // mV after the device under test
};

// Where the synthesiser reads the DAC outputs; it asks for times in increasing order.
class DacSource {
 public:
  virtual ~DacSource() = default;
  virtual DacLevels LevelsAt(double t) = 0;
};

// Amplitude * sin(2 pi Hz t + PhaseRad), t in seconds after START_READ.
struct Tone {
  double Hz = 0;
  double AmplitudeMv = 0;
  double PhaseRad = 0;
};

struct InputPlan {
  enum class Source { Analogue, Ramp, DacDirect, DacFiltered };
  Source From = Source::Analogue;
  int Dac = 0;  // DacDirect, DacFiltered
  // Analogue: OffsetMv + the tones + the pulses + the marks.
  double OffsetMv = 0;
  std::vector<Tone> Tones;
  double PulseHz = 0;  // high for the first half of every period from t = 0; 0: no pulses
  double PulseHighMv = 0;
  double MarkHz = 0;  // one Gaussian peak every 1 / MarkHz from FirstMarkS; 0: no marks
  double FirstMarkS = 0;
  double MarkPeakMv = 0;
  double MarkSigmaS = 1;
};

// The plan of one input of the bench, following the formulas of BenchModel.h.
InputPlan PlanInput(const BenchModel& model, const InputSignal& input);

}  // namespace sim
