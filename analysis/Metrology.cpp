#include "analysis/Metrology.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "platform/Numbers.h"
#include "state/State.h"

namespace metrology {
namespace {

// 2π / 1000: i / (1000 · rate) is the time of sample i in seconds.
constexpr double kRadPerMs = 0.006283185307179587;

double HarmonicSine(const Harmonic& h, int64_t i, double rate) {
    return std::sin(kRadPerMs * static_cast<double>(i) * h.Frequency / rate + std::numbers::pi * h.PhaseDeg / 180);
}

// Adds a triangle of `h` to v: it starts at 0, peaks at +A a quarter period later and reaches −A
// at three quarters.
double AddTriangle(double v, const Harmonic& h, int64_t i, double rate, double mvPerCode) {
    const double cycles = 0.001 * static_cast<double>(i) * h.Frequency / rate + h.PhaseDeg / 360;
    const double u = 4 * (cycles - std::floor(cycles));
    if (u < 1) return v + u * h.Amplitude / mvPerCode;
    if (u < 3) return v + (2 - u) * h.Amplitude / mvPerCode;
    return v - (4 - u) * h.Amplitude / mvPerCode;
}

}  // namespace

double RangeMvPerCode(int range) {
    return range == kDacRange ? 0.625 : QuevMvPerCode(range);
}

std::optional<int32_t> SignalSampleCount(double rateKHz, double seconds) {
    const double wanted = 1000 * rateKHz * seconds;
    if (std::isnan(wanted)) return std::nullopt;
    if (wanted <= 0) return 0;
    if (wanted >= static_cast<double>(std::numeric_limits<int32_t>::max()) + 0.5) return std::nullopt;
    return static_cast<int32_t>(platform::Round(wanted));
}

double SampleValue(const SignalShape& shape, int64_t i) {
    double v = shape.constMv / shape.mvPerCode;
    if (shape.wave == Wave::Constant) return v;
    for (const Harmonic& h : shape.harmonics) {
        const double step = h.Amplitude / shape.mvPerCode;
        switch (shape.wave) {
            case Wave::Constant: break;
            case Wave::Sine: v += step * HarmonicSine(h, i, shape.rateKHz); break;
            case Wave::Square: {
                const double s = HarmonicSine(h, i, shape.rateKHz);
                if (s > 0) v += step;
                if (s < 0) v -= step;
                break;
            }
            case Wave::Triangle: v = AddTriangle(v, h, i, shape.rateKHz, shape.mvPerCode); break;
        }
    }
    return v;
}

int16_t StoredCode(double value) {
    if (value > 8191) return 8191;
    if (value > -8192) return static_cast<int16_t>(platform::Round(value));
    return -8192;
}

double Generate(const SignalShape& shape, std::span<int16_t> out) {
    double last = shape.constMv / shape.mvPerCode;
    for (size_t i = 0; i < out.size(); ++i) {
        last = SampleValue(shape, static_cast<int64_t>(i));
        out[i] = StoredCode(last);
    }
    return last;
}

double MeanMv(std::span<const int16_t> codes, double mvPerCode) {
    if (codes.empty()) return 0;
    int64_t sum = 0;
    for (int16_t code : codes) sum += code;
    return mvPerCode * static_cast<double>(sum) / static_cast<double>(codes.size());
}

}  // namespace metrology
