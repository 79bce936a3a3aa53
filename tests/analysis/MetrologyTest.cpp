#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

#include "analysis/Metrology.h"

namespace {

using metrology::Harmonic;
using metrology::SignalShape;
using metrology::Wave;

std::vector<int16_t> Signal(Wave wave, double constMv, double rate, int range, std::vector<Harmonic> harmonics,
                            size_t samples) {
    std::vector<int16_t> out(samples);
    const SignalShape shape{wave, constMv, rate, metrology::RangeMvPerCode(range), harmonics};
    metrology::Generate(shape, out);
    return out;
}

struct Expected {
    size_t index;
    int16_t code;
};

void ExpectSamples(const std::vector<int16_t>& s, std::initializer_list<Expected> expected) {
    for (const Expected& e : expected) EXPECT_EQ(s.at(e.index), e.code) << "sample " << e.index;
}

// The page's defaults: 1000 mV constant, one harmonic of 1 Hz and 1000 mV, 5 kHz for one second.
const std::vector<Harmonic> kOneHertz = {{1, 1000, 0}};

TEST(MetrologySignals, WavesAroundTheConstantLevelInCodesOfTheRange) {
    const auto sine = Signal(Wave::Sine, 1000, 5, 0, kOneHertz, 5000);
    ExpectSamples(sine, {{0, 800}, {625, 1366}, {1250, 1600}, {2500, 800}, {3750, 0}});
    EXPECT_EQ(std::accumulate(sine.begin(), sine.end(), int64_t{0}), 4000000);
    // The DAC range halves the scale.
    const auto dac = Signal(Wave::Sine, 1000, 5, metrology::kDacRange, kOneHertz, 5000);
    ExpectSamples(dac, {{0, 1600}, {625, 2731}, {1250, 3200}, {3750, 0}});

    const auto square = Signal(Wave::Square, 1000, 5, 0, kOneHertz, 5000);
    ExpectSamples(square, {{0, 800}, {1, 1600}, {1249, 1600}, {2499, 1600}, {2501, 0}, {3750, 0}, {4999, 0}});

    const auto triangle = Signal(Wave::Triangle, 1000, 5, 0, kOneHertz, 5000);
    ExpectSamples(triangle, {{0, 800}, {1, 801}, {625, 1200}, {1250, 1600}, {1875, 1200}, {2500, 800},
                             {3125, 400}, {3750, 0}, {4375, 400}});
    // Phase -90: the triangle starts at its lowest point and rises.
    const auto shifted = Signal(Wave::Triangle, 0, 5, 0, {{1, 1000, -90}}, 5000);
    ExpectSamples(shifted, {{0, -800}, {625, -400}, {1250, 0}, {2500, 800}});

    const auto constant = Signal(Wave::Constant, 1000, 5, 1, kOneHertz, 10);
    EXPECT_EQ(constant, std::vector<int16_t>(10, 3200)) << "harmonics play no part; 1000 mV at 0.3125 mV";
}

TEST(MetrologySignals, HarmonicsAddUp) {
    const auto s = Signal(Wave::Sine, 0, 10, 0, {{50, 500, 90}, {150, 100, 0}}, 200);
    ExpectSamples(s, {{0, 400}, {1, 407}, {2, 414}, {3, 421}, {4, 426}, {50, -80}, {100, -400}});
}

TEST(MetrologySignals, StoredCodesAreClampedAndRoundedHalfToEven) {
    struct Case {
        double mv;
        int16_t code;
    } cases[] = {
        {20000, 8191}, {-20000, -8192}, {10238.75, 8191},  // 8191 exactly stays
        {3.125, 2},    {1.875, 2},     {0.625, 0},          // 2.5, 1.5 and 0.5 codes
        {-3.125, -2},  {-1.875, -2},   {-10240, -8192},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mv);
        EXPECT_EQ(Signal(Wave::Constant, c.mv, 5, 0, {}, 3), std::vector<int16_t>(3, c.code));
    }
    EXPECT_EQ(metrology::StoredCode(std::numeric_limits<double>::quiet_NaN()), -8192);
    EXPECT_EQ(metrology::StoredCode(std::numeric_limits<double>::infinity()), 8191);
}

TEST(MetrologySignals, SampleCountRoundsHalfToEvenAndRefusesWhatCannotBeHeld) {
    struct Case {
        double rate, seconds;
        std::optional<int32_t> samples;
    } cases[] = {
        // 1000 x 5 x 0.0003 is a hair below 1.5.
        {5, 1, 5000},      {5, 0, 0},      {5, 0.0001, 0},  {5, 0.0003, 1}, {5, 0.0005, 2},
        {5, -1, 0},        {400, 6000, std::nullopt},       {400, 1e308, std::nullopt},
        {400, 5368.709, 2147483600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " kHz, " << c.seconds << " s");
        EXPECT_EQ(metrology::SignalSampleCount(c.rate, c.seconds), c.samples);
    }
}

TEST(MetrologyMean, MeanOfTheCodesInMillivolts) {
    const std::vector<int16_t> codes = {3200, 3200, 3199, 3201};
    EXPECT_DOUBLE_EQ(metrology::MeanMv(codes, 0.3125), 1000);
    EXPECT_DOUBLE_EQ(metrology::MeanMv({}, 1.25), 0);
}

}  // namespace
