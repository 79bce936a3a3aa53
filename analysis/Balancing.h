#pragma once
// Arithmetic of two-plane rotor balancing on a recording of three channels: channel 0 carries one
// sharp positive peak per revolution (the mark), channels 1 and 2 the vibration of the two planes.
// Each function refuses (empty result) instead of reading outside the frames it is given or
// dividing by a zero length, so that no invented number reaches the operator.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace balancing {

// Frames apart of the two neighbours the mark detector compares a frame with.
inline constexpr int32_t kMarkReach = 100;
// Vibration periods per mark interval that the measurement picks out.
inline constexpr int32_t kVibrationOrder = 50;

// Interleaved 16-bit codes: frame k, channel c at k * channels + c, for `frames` whole frames.
struct Frames {
    std::span<const int16_t> samples;
    int channels = 0;
    int32_t frames = 0;

    int16_t At(int64_t frame, int channel) const {
        return samples[static_cast<size_t>(frame) * static_cast<size_t>(channels) + static_cast<size_t>(channel)];
    }
};

// The first frame of first..last (both included) where 2·x0(k) − x0(k − 100) − x0(k + 100) is
// largest and positive. None when no frame scores above 0, when the range is empty, or when it
// (with its neighbours) does not lie within the frames held.
std::optional<int32_t> FindMark(const Frames& data, int64_t first, int64_t last);

// Amplitude (mV) and phase (degrees, 0 to 360) of a vibration component.
struct Vibration {
    double Amplitude = 0;
    double PhaseDeg = 0;
};

// The component of sine sum s and cosine sum c (each already scaled to mV / 2): amplitude
// 2·√(s² + c²); phase arccos(2s / A) on the positive-cosine side, 360 less that on the negative
// side, and 0 or 180 by the sign of s when c is exactly 0.
Vibration VibrationFromSums(double s, double c);

// Planes 1 and 2 over the interval markFrom..markTo: the component at 50 periods per interval,
// sample j of the interval paired with angle index 50·(j + 1), in mV at mvPerCode (the scale of
// the planes' codes). None without three channels, for an interval of no frames, or one reaching
// past the frames held.
std::optional<std::array<Vibration, 2>> MeasureInterval(const Frames& data, int32_t markFrom, int32_t markTo,
                                                        double mvPerCode);

// The correction of one plane against the reference vibration typed by the operator.
struct Correction {
    double X = 0;             // change of the vibration vector, sine part
    double Y = 0;             // cosine part
    double Change = 0;        // its length
    double DirectionDeg = 0;  // its direction: sin = X / Change, cos = Y / Change
    double Mass = 0;          // reference amplitude / change
    double AngleDeg = 0;      // reference phase + 180 − direction, not reduced into 0..360
};

// None when the measurement equals the reference (a change of length 0 has no direction) or when
// the numbers give no finite change.
std::optional<Correction> CorrectionFor(const Vibration& measured, const Vibration& reference);

}  // namespace balancing
