#pragma once

// The test bench behind the simulated modules' inputs: what signal sits on each of the station's
// sixteen channels, and the machines and the device under test that produce them.

#include <array>
#include <string>
#include <vector>

namespace sim {

struct Harmonic {
  double FrequencyHz = 0;
  double AmplitudeMv = 0;  // peak
  double PhaseDeg = 0;     // sine phase at the start of the recording
};

enum class SignalKind {
  Zero,
  Ramp,            // the code itself: (stream sample index mod 16384) - 8192, proves continuity
  Sines,           // OffsetMv plus Harmonics, time counted from START_READ
  PhaseCurrent,    // Index = phase 0..2 (A, B, C)
  PhaseVoltage,    // Index = phase 0..2
  LineVoltage,     // Index = 0..2 for Uab, Ubc, Uca
  SpeedPulses,     // square pulse train of the speed sensor
  Torque,          // shaft torque sensor
  RevolutionMark,  // one sharp positive peak per mark interval
  Vibration,       // Index = plane 0..1
  DacDirect,       // Index = DAC channel 0..1, fed straight back
  DacLowPass,      // Index = DAC channel 0..1 through the device under test
};

struct InputSignal {
  SignalKind Kind = SignalKind::Zero;
  int Index = 0;
  double OffsetMv = 0;             // Sines only
  std::vector<Harmonic> Harmonics;  // Sines only
};

// Three-phase drive, t in seconds after START_READ, f = MainsHz, phase p = 0, 1, 2 (A, B, C),
// theta_p = 2 pi f t - p * 120 degrees (the sequence A, B, C, each phase lagging the one before):
//   phase voltage  u_p(t) = VoltageMv * [sin(theta_p) + sum over VoltageHarmonics r_n sin(n theta_p)]
//   phase current  i_p(t) = CurrentMv * [sin(theta_p - lag) + sum over CurrentHarmonics
//                                        r_n sin(n theta_p - lag)],   lag = CurrentLagDeg
//   line voltage   u_p(t) - u_(p+1 mod 3)(t)           (Uab, Ubc, Uca)
//   speed pulses   SpeedPulseHighMv for the first half of every period 1 / SpeedPulseHz from
//                  t = 0, else 0 (two edges per period; none when SpeedPulseHz is 0)
//   torque         TorqueMv + TorqueRippleMv sin(2 pi 2f t)
// Over whole mains periods a current harmonic meets only the voltage harmonic of its own order,
// so the mean of u_p i_p is VoltageMv CurrentMv / 2 * cos(lag) * (1 + sum over the orders n in
// both lists of r_n(voltage) r_n(current)), the same for every phase; the mean torque is TorqueMv.
// Every harmonic follows the fundamental's sequence taken n times: 3rd harmonics are in phase
// in the three phases, 5th form a negative sequence, 7th a positive one.
struct DriveModel {
  double MainsHz = 50.0;
  double VoltageMv = 2000.0;  // peak of the fundamental phase voltage at the ADC input
  double CurrentMv = 1500.0;  // peak of the fundamental phase current at the ADC input
  double CurrentLagDeg = 30.0;
  struct Order {
    int N;
    double Relative;
  };
  std::vector<Order> VoltageHarmonics{{5, 0.04}, {7, 0.02}};
  std::vector<Order> CurrentHarmonics{{3, 0.10}, {5, 0.05}};
  double SpeedPulseHz = 500.0;
  double SpeedPulseHighMv = 2500.0;
  double TorqueMv = 1000.0;
  double TorqueRippleMv = 50.0;  // at twice the mains frequency
};

// Rotor on the balancing rig, t in seconds after START_READ:
//   mark           MarkPeakMv exp(-(t - t_k)^2 / (2 sigma^2)) around the nearest mark time
//                  t_k = FirstMarkS + k / ShaftHz (k whole), sigma = MarkWidthMs; once per
//                  revolution (none when ShaftHz or MarkWidthMs is not above 0)
//   vibration      VibrationMv[plane] sin(2 pi VibrationOrder ShaftHz (t - FirstMarkS)
//                                         + VibrationPhaseDeg[plane])
// The vibration makes VibrationOrder whole periods per revolution, so its sine phase is
// VibrationPhaseDeg[plane] at every mark: over one revolution from a mark, its Fourier
// coefficient at VibrationOrder periods has the amplitude VibrationMv[plane] and, referred to a
// cosine, the angle VibrationPhaseDeg[plane] - 90 degrees.
struct RotorModel {
  double ShaftHz = 1.0;
  int VibrationOrder = 50;
  double FirstMarkS = 0.005;
  double MarkPeakMv = 5000.0;
  double MarkWidthMs = 0.05;  // Gaussian sigma
  std::array<double, 2> VibrationMv{800.0, 400.0};
  std::array<double, 2> VibrationPhaseDeg{30.0, 200.0};
};

// The whole bench. Tests read it with BenchControl::Model(), change what they need (the drive's
// or the rotor's figures, one input) and put it back with SetModel(); a recording takes the
// bench as it is at its START_READ.
//   DAC loop: DacDirect reads the DAC channel's output as played (see DacLoop.h), DacLowPass the
//   device under test's output: a first-order low-pass y' = (u - y) / tau, tau = 1 / (2 pi
//   LowPassCornerHz), solved exactly over every step, whose response is 1 / (1 + j f / corner).
struct BenchModel {
  std::array<InputSignal, 16> Inputs{};  // by the station's channel number
  DriveModel Drive;
  RotorModel Rotor;
  double LowPassCornerHz = 20.0;
  // DAC output delay after START_WRITE for word 0; negative means the module's own
  // (output FIFO length / rate less the advance of Defaults.h).
  double DacLatencyMs = -1.0;
};

// Named layouts of the inputs (the figures of the drive, rotor and low-pass stay as they are):
//   "live"      every input carries a signal as soon as recording starts: phase currents 0-2,
//               phase voltages 3-5, speed pulses 6, torque 7, line voltages 8-10, vibration
//               planes 11 and 12, sine sets 13-15 (a slow 2 Hz sine, 400 Hz with its third
//               harmonic, 1 kHz on a 500 mV offset)
//   "response"  DAC0 on channel 0 and through the low-pass on 1, DAC1 likewise on 2 and 3
//   "drive"     currents 0-2, phase voltages 3-5, speed 6, torque 7, DAC0 loop on 8 and 9
//   "balance"   mark 0, vibration planes 1 and 2, DAC0 loop on 3 and 4
//   "ramp"      the ramp on every channel
// Returns false for an unknown name and leaves the model unchanged.
bool ApplyScenario(BenchModel& model, const std::string& name);

// The layout the bench starts with: QUEV_SIM_SCENARIO when it names one, else "live".
BenchModel DefaultBenchModel();

}  // namespace sim
