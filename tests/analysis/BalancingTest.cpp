#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <optional>
#include <vector>

#include "analysis/Balancing.h"

namespace {

using balancing::FindMark;
using balancing::Frames;
using balancing::MeasureInterval;
using balancing::Vibration;
using balancing::VibrationFromSums;

constexpr double kPi = std::numbers::pi;

// Three channels of `frames` frames from code(frame, channel).
struct Record {
    Record(int32_t frames, const std::function<double(int64_t, int)>& code, int channels = 3)
        : channels(channels), frames(frames), samples(static_cast<size_t>(frames) * channels) {
        for (int64_t k = 0; k < frames; ++k)
            for (int c = 0; c < channels; ++c) samples[k * channels + c] = static_cast<int16_t>(std::lround(code(k, c)));
    }
    Frames View() const { return {samples, channels, frames}; }
    int channels;
    int32_t frames;
    std::vector<int16_t> samples;
};

// Marks of height 1000 at the given frames on channel 0, nothing elsewhere.
Record Marks(int32_t frames, std::vector<int64_t> at) {
    return Record(frames, [at](int64_t k, int c) {
        for (int64_t m : at)
            if (c == 0 && k == m) return 1000.0;
        return 0.0;
    });
}

TEST(BalancingMarks, SearchTakesTheFirstHighestPositivePeakWithinTheData) {
    const Record twoEqual = Marks(3000, {1000, 1300});
    const Record none = Marks(3000, {});
    struct Case {
        const Record& data;
        int64_t first, last;
        std::optional<int32_t> mark;
    } cases[] = {
        {twoEqual, 200, 2200, 1000},   // equal peaks: the earlier wins
        {twoEqual, 1001, 2200, 1300},  // the first leaves the range
        {twoEqual, 1101, 1199, std::nullopt},  // only the neighbours' dips, d < 0
        {none, 200, 2200, std::nullopt},       // flat: nothing scores above 0
        {twoEqual, 99, 1200, std::nullopt},    // the first candidate's left neighbour is frame -1
        {twoEqual, 1200, 2900, std::nullopt},  // the last candidate's right neighbour is past the data
        {twoEqual, 1200, 2899, 1300},          // ... and one frame less fits exactly
        {twoEqual, 1500, 1400, std::nullopt},  // empty range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        EXPECT_EQ(FindMark(c.data.View(), c.first, c.last), c.mark);
    }
}

TEST(BalancingPhase, PhaseFollowsTheSignOfTheCosineSum) {
    struct Case {
        double s, c, amplitude, phase;
    } cases[] = {
        {0.5, std::sqrt(3.0) / 2, 2, 60},    // cosine side: arccos(2s / A)
        {0.5, -std::sqrt(3.0) / 2, 2, 300},  // negative cosine: 360 less
        {3, 0, 6, 0},                        // cosine exactly 0, sine positive
        {-3, 0, 6, 180},                     // cosine exactly 0, sine negative
        {0, 0, 0, 0},                        // nothing at all: no NaN
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.s << ", " << c.c);
        const Vibration v = VibrationFromSums(c.s, c.c);
        EXPECT_NEAR(v.Amplitude, c.amplitude, 1e-9);
        EXPECT_NEAR(v.PhaseDeg, c.phase, 1e-6);
    }
}

TEST(BalancingMeasure, SinePairedWithTheNextSampleAngleGivesItsPhase) {
    // x = a sin(2π 50 (j + 1) / N + φ0) gives A = 1.25 a and the phase φ0, on both planes and for
    // phases on all four quadrants; the interval starts at frame 300 so that a wrong offset shows.
    const int32_t n = 10000;
    for (double phase : {10.0, 135.0, 200.0, 290.0}) {
        SCOPED_TRACE(phase);
        const Record r(300 + n + 50, [&](int64_t k, int c) {
            const double angle = 2 * kPi * 50 * (k - 299) / n + (phase + 40 * (c == 2)) * kPi / 180;
            return c == 0 ? 0 : (c == 1 ? 800 : 400) * std::sin(angle);
        });
        const auto planes = MeasureInterval(r.View(), 300, 300 + n, 1.25);
        ASSERT_TRUE(planes);
        EXPECT_NEAR((*planes)[0].Amplitude, 1000, 0.2);
        EXPECT_NEAR((*planes)[0].PhaseDeg, phase, 0.05);
        EXPECT_NEAR((*planes)[1].Amplitude, 500, 0.2);
        EXPECT_NEAR((*planes)[1].PhaseDeg, std::fmod(phase + 40, 360), 0.05);
    }
}

TEST(BalancingMeasure, IntervalsTheDataCannotGiveAreRefused) {
    const Record three(1000, [](int64_t k, int c) { return c * k % 7; });
    const Record two(1000, [](int64_t k, int) { return k % 7; }, 2);
    EXPECT_FALSE(MeasureInterval(two.View(), 0, 500, 1.25)) << "no second plane";
    EXPECT_FALSE(MeasureInterval(three.View(), 400, 400, 1.25)) << "no frames";
    EXPECT_FALSE(MeasureInterval(three.View(), 500, 1001, 1.25)) << "past the data";
    EXPECT_TRUE(MeasureInterval(three.View(), 0, 1000, 1.25)) << "an interval ending at the last frame";
}

}  // namespace
