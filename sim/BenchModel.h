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

// Three-phase drive: phase voltages Ua = Um sin(wt + k*120deg...) with the phase sequence A, B, C
// lagging by 120 degrees, currents lagging the voltages by CurrentLagDeg; every harmonic of order n
// has its relative amplitude and follows the fundamental's sequence shifted n times.
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
  double SpeedPulseHz = 500.0;  // edges come twice as often
  double SpeedPulseHighMv = 2500.0;
  double TorqueMv = 1000.0;
  double TorqueRippleMv = 50.0;  // at twice the mains frequency
};

// Rotor on the balancing rig: a mark once per revolution (ShaftHz) and a vibration of
// VibrationOrder periods per revolution in each plane, phase-locked to the mark.
struct RotorModel {
  double ShaftHz = 1.0;
  int VibrationOrder = 50;
  double FirstMarkS = 0.005;  // time of the first mark after START_READ
  double MarkPeakMv = 5000.0;
  double MarkWidthMs = 0.05;  // Gaussian sigma
  std::array<double, 2> VibrationMv{800.0, 400.0};
  std::array<double, 2> VibrationPhaseDeg{30.0, 200.0};  // sine phase at each mark
};

struct BenchModel {
  std::array<InputSignal, 16> Inputs{};
  DriveModel Drive;
  RotorModel Rotor;
  // The device under test: a first-order low-pass.
  double LowPassCornerHz = 20.0;
  // DAC output delay after START_WRITE for word 0; negative means the module's own
  // (output FIFO length / rate less the advance of Defaults.h).
  double DacLatencyMs = -1.0;
};

// Named layouts: "response" (DAC0 on channel 0 and through the low-pass on 1, DAC1 likewise on 2
// and 3), "drive" (currents 0-2, phase voltages 3-5, speed 6, torque 7, DAC0 loop on 8 and 9),
// "balance" (mark 0, vibration planes 1 and 2, DAC0 loop on 3 and 4), "ramp" (every channel).
// Returns false for an unknown name and leaves the model unchanged.
bool ApplyScenario(BenchModel& model, const std::string& name);

// The layout the bench starts with: QUEV_SIM_SCENARIO when it names one, else "response".
BenchModel DefaultBenchModel();

}  // namespace sim
