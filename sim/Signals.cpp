#include "sim/Signals.h"

#include <cmath>
#include <numbers>

namespace sim {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kRad = std::numbers::pi / 180.0;

// The phase set's voltage (or current, lagging by lagDeg) of phase `phase`: the fundamental and
// every listed harmonic order n at n times the fundamental's angle.
void AddPhaseSet(InputPlan& plan, const DriveModel& drive, double peakMv, double lagDeg,
                 const std::vector<DriveModel::Order>& orders, int phase, double sign) {
  const double shift = -kTwoPi * phase / 3.0;
  plan.Tones.push_back({drive.MainsHz, sign * peakMv, shift - lagDeg * kRad});
  for (const auto& h : orders)
    plan.Tones.push_back({h.N * drive.MainsHz, sign * peakMv * h.Relative, h.N * shift - lagDeg * kRad});
}

void AddVoltage(InputPlan& plan, const DriveModel& drive, int phase, double sign = 1) {
  AddPhaseSet(plan, drive, drive.VoltageMv, 0, drive.VoltageHarmonics, phase, sign);
}

}  // namespace

InputPlan PlanInput(const BenchModel& model, const InputSignal& input) {
  const DriveModel& drive = model.Drive;
  const RotorModel& rotor = model.Rotor;
  const int phase = ((input.Index % 3) + 3) % 3;
  InputPlan plan;
  switch (input.Kind) {
    case SignalKind::Zero:
      break;
    case SignalKind::Ramp:
      plan.From = InputPlan::Source::Ramp;
      break;
    case SignalKind::Sines:
      plan.OffsetMv = input.OffsetMv;
      for (const auto& h : input.Harmonics)
        plan.Tones.push_back({h.FrequencyHz, h.AmplitudeMv, h.PhaseDeg * kRad});
      break;
    case SignalKind::PhaseCurrent:
      AddPhaseSet(plan, drive, drive.CurrentMv, drive.CurrentLagDeg, drive.CurrentHarmonics, phase,
                  1);
      break;
    case SignalKind::PhaseVoltage:
      AddVoltage(plan, drive, phase);
      break;
    case SignalKind::LineVoltage:
      AddVoltage(plan, drive, phase);
      AddVoltage(plan, drive, (phase + 1) % 3, -1);
      break;
    case SignalKind::SpeedPulses:
      plan.PulseHz = drive.SpeedPulseHz;
      plan.PulseHighMv = drive.SpeedPulseHighMv;
      break;
    case SignalKind::Torque:
      plan.OffsetMv = drive.TorqueMv;
      plan.Tones.push_back({2 * drive.MainsHz, drive.TorqueRippleMv, 0});
      break;
    case SignalKind::RevolutionMark:
      plan.MarkHz = rotor.ShaftHz > 0 && rotor.MarkWidthMs > 0 ? rotor.ShaftHz : 0;
      plan.FirstMarkS = rotor.FirstMarkS;
      plan.MarkPeakMv = rotor.MarkPeakMv;
      plan.MarkSigmaS = rotor.MarkWidthMs * 1e-3;
      break;
    case SignalKind::Vibration: {
      const int plane = input.Index & 1;
      const double hz = rotor.ShaftHz * rotor.VibrationOrder;
      plan.Tones.push_back({hz, rotor.VibrationMv[plane],
                            rotor.VibrationPhaseDeg[plane] * kRad - kTwoPi * hz * rotor.FirstMarkS});
      break;
    }
    case SignalKind::DacDirect:
    case SignalKind::DacLowPass:
      plan.From = input.Kind == SignalKind::DacDirect ? InputPlan::Source::DacDirect
                                                      : InputPlan::Source::DacFiltered;
      plan.Dac = input.Index & 1;
      break;
  }
  return plan;
}

}  // namespace sim
