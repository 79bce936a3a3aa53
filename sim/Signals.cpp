#include "sim/Signals.h"

#include <cmath>
#include <numbers>

namespace sim {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDeg = std::numbers::pi / 180.0;

// Phase k of the symmetric set: A, B, C lag by 0, 120 and 240 degrees.
double PhaseAngle(const DriveModel& drive, int phase, double t) {
  return kTwoPi * drive.MainsHz * t - kTwoPi * phase / 3.0;
}

double PhaseVoltageMv(const DriveModel& drive, int phase, double t) {
  const double theta = PhaseAngle(drive, phase, t);
  double v = std::sin(theta);
  for (const auto& h : drive.VoltageHarmonics) v += h.Relative * std::sin(h.N * theta);
  return drive.VoltageMv * v;
}

double PhaseCurrentMv(const DriveModel& drive, int phase, double t) {
  const double theta = PhaseAngle(drive, phase, t);
  const double lag = drive.CurrentLagDeg * kDeg;
  double i = std::sin(theta - lag);
  for (const auto& h : drive.CurrentHarmonics) i += h.Relative * std::sin(h.N * theta - lag);
  return drive.CurrentMv * i;
}

double SinesMv(const InputSignal& input, double t) {
  double v = input.OffsetMv;
  for (const auto& h : input.Harmonics)
    v += h.AmplitudeMv * std::sin(kTwoPi * h.FrequencyHz * t + h.PhaseDeg * kDeg);
  return v;
}

double MarkMv(const RotorModel& rotor, double t) {
  if (rotor.ShaftHz <= 0) return 0;
  const double sinceFirst = t - rotor.FirstMarkS;
  const double nearest = rotor.FirstMarkS + std::round(sinceFirst * rotor.ShaftHz) / rotor.ShaftHz;
  const double z = (t - nearest) / (rotor.MarkWidthMs * 1e-3);
  return rotor.MarkPeakMv * std::exp(-0.5 * z * z);
}

double VibrationMv(const RotorModel& rotor, int plane, double t) {
  const double hz = rotor.ShaftHz * rotor.VibrationOrder;
  return rotor.VibrationMv[plane & 1] *
         std::sin(kTwoPi * hz * (t - rotor.FirstMarkS) + rotor.VibrationPhaseDeg[plane & 1] * kDeg);
}

}  // namespace

double InputMv(const BenchModel& model, const InputSignal& input, double t, const DacLevels& dac) {
  const DriveModel& drive = model.Drive;
  const int phase = ((input.Index % 3) + 3) % 3;
  switch (input.Kind) {
    case SignalKind::Zero:
    case SignalKind::Ramp:
      return 0;
    case SignalKind::Sines:
      return SinesMv(input, t);
    case SignalKind::PhaseCurrent:
      return PhaseCurrentMv(drive, phase, t);
    case SignalKind::PhaseVoltage:
      return PhaseVoltageMv(drive, phase, t);
    case SignalKind::LineVoltage:
      return PhaseVoltageMv(drive, phase, t) - PhaseVoltageMv(drive, (phase + 1) % 3, t);
    case SignalKind::SpeedPulses: {
      const double cycles = t * drive.SpeedPulseHz;
      return cycles - std::floor(cycles) < 0.5 ? drive.SpeedPulseHighMv : 0.0;
    }
    case SignalKind::Torque:
      return drive.TorqueMv + drive.TorqueRippleMv * std::sin(kTwoPi * 2 * drive.MainsHz * t);
    case SignalKind::RevolutionMark:
      return MarkMv(model.Rotor, t);
    case SignalKind::Vibration:
      return VibrationMv(model.Rotor, input.Index, t);
    case SignalKind::DacDirect:
      return dac.Direct[input.Index & 1];
    case SignalKind::DacLowPass:
      return dac.Filtered[input.Index & 1];
  }
  return 0;
}

}  // namespace sim
