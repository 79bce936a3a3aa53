#include "analysis/Balancing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace balancing {
namespace {

constexpr double kDegPerRad = 57.29577951308232;
constexpr double kRadPerDeg = 0.017453292519943295;

// Rounding can carry a ratio of a side to its hypotenuse a hair past 1; the angle functions would
// then give not-a-number.
double Unit(double ratio) { return std::clamp(ratio, -1.0, 1.0); }

}  // namespace

std::optional<int32_t> FindMark(const Frames& data, int64_t first, int64_t last) {
    if (first > last || first - kMarkReach < 0 || last + kMarkReach >= data.frames) return std::nullopt;
    if (data.channels < 1 || data.samples.size() < static_cast<size_t>(data.frames) * data.channels) {
        return std::nullopt;
    }
    int64_t best = 0;
    std::optional<int32_t> mark;
    for (int64_t k = first; k <= last; ++k) {
        const int64_t score = 2 * int64_t{data.At(k, 0)} - data.At(k - kMarkReach, 0) - data.At(k + kMarkReach, 0);
        if (score > best) {
            best = score;
            mark = static_cast<int32_t>(k);
        }
    }
    return mark;
}

Vibration VibrationFromSums(double s, double c) {
    Vibration v;
    v.Amplitude = 2 * std::sqrt(s * s + c * c);
    if (c > 0) {
        v.PhaseDeg = std::acos(Unit(2 * s / v.Amplitude)) * kDegPerRad;
    } else if (c < 0) {
        v.PhaseDeg = 360 - std::acos(Unit(2 * s / v.Amplitude)) * kDegPerRad;
    } else {
        v.PhaseDeg = s >= 0 ? 0 : 180;
    }
    return v;
}

std::optional<std::array<Vibration, 2>> MeasureInterval(const Frames& data, int32_t markFrom, int32_t markTo,
                                                        double mvPerCode) {
    const int64_t n = int64_t{markTo} - markFrom;
    if (data.channels < 3 || n <= 0 || markFrom < 0 || markTo > data.frames ||
        data.samples.size() < static_cast<size_t>(data.frames) * data.channels) {
        return std::nullopt;
    }
    double s[2] = {0, 0};
    double c[2] = {0, 0};
    const double step = 2 * std::numbers::pi / static_cast<double>(n);
    for (int64_t j = 0; j < n; ++j) {
        // The angle of sample j is that of index 50·(j + 1), one sample ahead.
        const double angle = step * static_cast<double>((kVibrationOrder * (j + 1)) % n);
        const double sine = std::sin(angle);
        const double cosine = std::cos(angle);
        for (int plane = 0; plane < 2; ++plane) {
            const double x = data.At(markFrom + j, plane + 1);
            s[plane] += x * sine;
            c[plane] += x * cosine;
        }
    }
    std::array<Vibration, 2> planes;
    for (int plane = 0; plane < 2; ++plane) {
        planes[plane] = VibrationFromSums(mvPerCode * s[plane] / static_cast<double>(n),
                                          mvPerCode * c[plane] / static_cast<double>(n));
    }
    return planes;
}

std::optional<Correction> CorrectionFor(const Vibration& measured, const Vibration& reference) {
    Correction k;
    k.X = measured.Amplitude * std::sin(measured.PhaseDeg * kRadPerDeg) -
          reference.Amplitude * std::sin(reference.PhaseDeg * kRadPerDeg);
    k.Y = measured.Amplitude * std::cos(measured.PhaseDeg * kRadPerDeg) -
          reference.Amplitude * std::cos(reference.PhaseDeg * kRadPerDeg);
    k.Change = std::sqrt(k.X * k.X + k.Y * k.Y);
    if (!(k.Change > 0) || !std::isfinite(k.Change)) return std::nullopt;
    const double asinDeg = std::asin(Unit(k.X / k.Change)) * kDegPerRad;
    k.DirectionDeg = k.Y > 0 ? asinDeg : 180 - asinDeg;
    k.Mass = reference.Amplitude / k.Change;
    k.AngleDeg = reference.PhaseDeg + 180 - k.DirectionDeg;
    if (!std::isfinite(k.Mass) || !std::isfinite(k.AngleDeg)) return std::nullopt;
    return k;
}

}  // namespace balancing
