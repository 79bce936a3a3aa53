// Speed from the pulse edges of a drive record, and the frame counts of the windows as the
// station rounds them.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "analysis/Power.h"

namespace {

// 1000 frames of 8 channels, the speed pulses on channel 6 given frame by frame.
std::vector<int16_t> SpeedRecord(const std::function<int16_t(int)>& speed) {
    std::vector<int16_t> codes(8000);
    for (int k = 0; k < 1000; ++k) codes[k * 8 + 6] = speed(k);
    return codes;
}

// A square wave between 2000 and 0 codes that changes every 50 frames, first at `firstEdge`.
std::function<int16_t(int)> SquareWave(int firstEdge) {
    return [firstEdge](int k) { return static_cast<int16_t>(((k - firstEdge + 100) / 50) % 2 ? 2000 : 0); };
}

TEST(PowerArithmetic, SpeedCountsEdgesCarriedFromOneIntervalToTheNext) {
    const double four = 4 / 0.12 / 20;  // edges per 20 ms interval of 200 frames
    struct Case {
        const char* name;
        std::function<int16_t(int)> speed;
        std::vector<double> expected;
        uint8_t lastState;
    };
    const Case cases[] = {
        {"edges inside the intervals", SquareWave(25), {four, four, four, four, four}, 1},
        // The edge at frame 200 opens interval 1: counted there only if the state carries over.
        {"edges on the interval bounds", SquareWave(50), {3 / 0.12 / 20, four, four, four, four}, 0},
        {"exactly 1000 is never high", [](int k) { return static_cast<int16_t>(k % 2 ? 1000 : 0); }, {0, 0, 0, 0, 0}, 0},
        {"nor low", [](int k) { return static_cast<int16_t>(k % 2 ? 1000 : 2000); }, {0, 0, 0, 0, 0}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<int16_t> codes = SpeedRecord(c.speed);
        uint8_t state = 7;
        const std::vector<double> speed = power::Speed({codes, 8, 1000}, 200, 20, state);
        ASSERT_EQ(speed.size(), c.expected.size());
        for (size_t w = 0; w < speed.size(); ++w) EXPECT_DOUBLE_EQ(speed[w], c.expected[w]) << w;
        EXPECT_EQ(state, c.lastState);
    }
    // A record claiming more frames than its codes hold gives the intervals of what they hold.
    const std::vector<int16_t> codes = SpeedRecord(SquareWave(25));
    uint8_t state = 0;
    EXPECT_EQ(power::Speed({std::span(codes).first(4000), 8, 1000}, 200, 20, state).size(), 2u);
    EXPECT_EQ(power::Torque({std::span(codes).first(4000), 8, 1000}, 200, 1).size(), 2u);
}

TEST(PowerArithmetic, WindowsRoundHalvesToEvenAndGiveNoCountForNoNumber) {
    const int64_t cases[][2] = {
        {power::MainsPeriodFrames(60, 6, 50), 200},
        {power::IntervalFrames(40, 60, 6), 400},
        {power::IntervalFrames(2.5, 6, 6), 2},    // 2.5 frames: to the even neighbour
        {power::IntervalFrames(2.5, 1.2, 6), 0},  // half a frame
        {power::RoundedFrames(3.5), 4},
        {power::MainsPeriodFrames(60, 6, 0), power::kFramesBeyondAnyRecord},
        {power::MainsPeriodFrames(60, 6, -50), 0},
        {power::MainsPeriodFrames(NAN, 6, 50), 0},
        {power::IntervalFrames(40, 60, 0), 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i][0], cases[i][1]) << "case " << i;
}

}  // namespace
