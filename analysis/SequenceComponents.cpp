#include <cmath>
#include <numbers>

#include "analysis/Kernels.h"
#include "state/State.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kThird = kTwoPi / 3.0;  // 120°

struct Phasor {
    double re = 0;
    double im = 0;
};

Phasor Polar(double amplitude, double phase) {
    return {amplitude * std::cos(phase), amplitude * std::sin(phase)};
}

Phasor Rotated(Phasor v, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {c * v.re - s * v.im, s * v.re + c * v.im};
}

Phasor ThirdOfSum(Phasor a, Phasor b, Phasor c) {
    return {(a.re + b.re + c.re) / 3.0, (a.im + b.im + c.im) / 3.0};
}

// Phase in [0, 2π); a quantity with no real part gets 0 whatever its imaginary part.
double SequencePhase(Phasor v) {
    if (v.re > 0.0) {
        const double phase = std::atan(v.im / v.re);
        if (phase >= 0.0) {
            return phase;
        }
        const double turned = phase + kTwoPi;
        return turned >= kTwoPi ? 0.0 : turned;
    }
    if (v.re < 0.0) {
        return std::atan(v.im / v.re) + std::numbers::pi;
    }
    return 0.0;
}

}  // namespace

KernelStatus CalcSequenceComponents(uint8_t a, uint8_t b, uint8_t c) {
    const uint8_t channels = SampleData.DataChannels;
    const int32_t count = AnalysisResults.FourierCount;
    if (channels == 0) {
        return KernelStatus::NoChannels;
    }
    if (count < 1) {
        return KernelStatus::EmptyWindow;
    }
    if (a >= channels || b >= channels || c >= channels) {
        return KernelStatus::ChannelOutOfRange;
    }
    const size_t harmonics = static_cast<size_t>(count) / 2;
    if (harmonics > static_cast<size_t>(kSequenceHarmonics)) {
        return KernelStatus::TooManyHarmonics;
    }
    if (TableRows() < harmonics + 1) {
        return KernelStatus::TablesMissing;
    }

    const std::vector<double>& amp = AnalysisResults.AmpTable;
    const std::vector<double>& phase = AnalysisResults.PhaseTable;
    auto& table = AnalysisResults.SequenceTable;
    for (size_t k = 1; k <= harmonics; ++k) {
        auto phasor = [&](uint8_t ch, double turn) {
            return Polar(amp[TableIndex(k, ch)], phase[TableIndex(k, ch)] + turn);
        };
        const Phasor positive = ThirdOfSum(phasor(a, 0), phasor(b, kThird), phasor(c, -kThird));
        const Phasor zero = ThirdOfSum(phasor(a, 0), phasor(b, 0), phasor(c, 0));
        const Phasor negative = ThirdOfSum(phasor(a, 0), phasor(b, -kThird), phasor(c, kThird));
        const Phasor quantities[kSequenceQuantities] = {
            positive, Rotated(positive, -kThird), Rotated(positive, kThird),
            zero,     zero,                       zero,
            negative, Rotated(negative, kThird),  Rotated(negative, -kThird),
        };
        const size_t index = k - 1;
        for (int q = 0; q < kSequenceQuantities; ++q) {
            const Phasor v = quantities[q];
            table[0][q][index] = v.re;
            table[1][q][index] = v.im;
            table[2][q][index] = std::sqrt(v.re * v.re + v.im * v.im);
            table[3][q][index] = SequencePhase(v);
        }
    }
    return KernelStatus::Done;
}
