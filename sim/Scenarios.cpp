#include <cstdlib>
#include <utility>

#include "sim/BenchModel.h"

namespace sim {
namespace {

InputSignal Signal(SignalKind kind, int index = 0) {
  InputSignal s;
  s.Kind = kind;
  s.Index = index;
  return s;
}

void PutDacLoop(BenchModel& model, int firstChannel, int dacChannel) {
  model.Inputs[firstChannel] = Signal(SignalKind::DacDirect, dacChannel);
  model.Inputs[firstChannel + 1] = Signal(SignalKind::DacLowPass, dacChannel);
}

void PutDrive(BenchModel& model) {
  for (int phase = 0; phase < 3; ++phase) {
    model.Inputs[phase] = Signal(SignalKind::PhaseCurrent, phase);
    model.Inputs[3 + phase] = Signal(SignalKind::PhaseVoltage, phase);
  }
  model.Inputs[6] = Signal(SignalKind::SpeedPulses);
  model.Inputs[7] = Signal(SignalKind::Torque);
}

InputSignal Sines(double offsetMv, std::vector<Harmonic> harmonics) {
  InputSignal s = Signal(SignalKind::Sines);
  s.OffsetMv = offsetMv;
  s.Harmonics = std::move(harmonics);
  return s;
}

void PutLive(BenchModel& model) {
  PutDrive(model);
  for (int pair = 0; pair < 3; ++pair) model.Inputs[8 + pair] = Signal(SignalKind::LineVoltage, pair);
  model.Inputs[11] = Signal(SignalKind::Vibration, 0);
  model.Inputs[12] = Signal(SignalKind::Vibration, 1);
  model.Inputs[13] = Sines(0, {{2.0, 2000.0, 0}});
  model.Inputs[14] = Sines(0, {{400.0, 1000.0, 0}, {1200.0, 200.0, 45.0}});
  model.Inputs[15] = Sines(500.0, {{1000.0, 700.0, 0}});
}

}  // namespace

bool ApplyScenario(BenchModel& model, const std::string& name) {
  std::array<InputSignal, 16> saved = model.Inputs;
  model.Inputs.fill(InputSignal{});
  if (name == "live") {
    PutLive(model);
  } else if (name == "response") {
    PutDacLoop(model, 0, 0);
    PutDacLoop(model, 2, 1);
  } else if (name == "drive") {
    PutDrive(model);
    PutDacLoop(model, 8, 0);
  } else if (name == "balance") {
    model.Inputs[0] = Signal(SignalKind::RevolutionMark);
    model.Inputs[1] = Signal(SignalKind::Vibration, 0);
    model.Inputs[2] = Signal(SignalKind::Vibration, 1);
    PutDacLoop(model, 3, 0);
  } else if (name == "ramp") {
    model.Inputs.fill(Signal(SignalKind::Ramp));
  } else {
    model.Inputs = saved;
    return false;
  }
  return true;
}

BenchModel DefaultBenchModel() {
  BenchModel model;
  const char* chosen = std::getenv("QUEV_SIM_SCENARIO");
  if (chosen == nullptr || !ApplyScenario(model, chosen)) ApplyScenario(model, "live");
  return model;
}

}  // namespace sim
