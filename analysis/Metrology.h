#pragma once
// Test signals for the verification of the converters: a constant level plus a sum of sines,
// square waves or triangles, in ADC codes of one channel; and the mean of a recording.

#include <cstdint>
#include <optional>
#include <span>

namespace metrology {

enum class Wave : uint8_t { Constant, Sine, Square, Triangle };

// One harmonic: frequency in Hz, amplitude in mV, phase in degrees.
struct Harmonic {
    double Frequency = 0;
    double Amplitude = 0;
    double PhaseDeg = 0;
};

// What every sample of a signal depends on.
struct SignalShape {
    Wave wave = Wave::Constant;
    double constMv = 0;
    double rateKHz = 0;       // samples per millisecond
    double mvPerCode = 1.25;  // the chosen range's scale
    std::span<const Harmonic> harmonics;
};

// The range index at which the scale is that of the DAC's ±5 V.
inline constexpr int kDacRange = 4;

// mV per code: 0.625 for the DAC range, else 1.25 divided by 4 once per range step.
double RangeMvPerCode(int range);

// Samples of a signal of `seconds` at `rateKHz`: 1000·rate·time rounded to the nearest integer,
// ties to even. A negative time gives 0; a count beyond the buffer's 32-bit counters gives none.
std::optional<int32_t> SignalSampleCount(double rateKHz, double seconds);

// Sample i before it is stored, in codes.
double SampleValue(const SignalShape& shape, int64_t i);

// The stored code: 8191 above 8191, −8192 at or below −8192 (and for a value that is not a
// number), else the nearest integer with ties to even.
int16_t StoredCode(double value);

// Fills `out` with samples 0.. of the signal. Returns the last sample's value before storing
// (the constant level alone when `out` is empty).
double Generate(const SignalShape& shape, std::span<int16_t> out);

// Arithmetic mean of the codes times the scale, in mV; 0 for no codes.
double MeanMv(std::span<const int16_t> codes, double mvPerCode);

}  // namespace metrology
