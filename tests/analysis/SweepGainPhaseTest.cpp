// The response measured from a sweep record: step frequencies and windows, amplitudes and
// phases, gains and phase differences, and the steps the record cannot serve.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "analysis/SweepGainPhase.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The page's initial sweep with four steps.
sweep::SweepTiming Defaults() { return {5, 80, 30, 4, 2}; }

struct Record {
    std::vector<int16_t> samples;
    sweep::SweepRecord view;
};

// `frames` frames of `channels` channels from code(frame, channel), 1.25 mV per code.
Record MakeRecord(int64_t frames, int channels, double framesPerSecond,
                  const std::function<double(int64_t, int)>& code) {
    Record r;
    r.samples.resize(static_cast<size_t>(frames * channels));
    for (int64_t k = 0; k < frames; ++k) {
        for (int c = 0; c < channels; ++c) r.samples[k * channels + c] = static_cast<int16_t>(std::lround(code(k, c)));
    }
    r.view = {r.samples.data(), frames, channels, framesPerSecond, 1.25};
    return r;
}

TEST(SweepSteps, FrequenciesSpacedInOctavesAndWindowsCentredWhereTheSweepPassesThem) {
    const Record r = MakeRecord(120000, 2, 10000, [](int64_t, int) { return 0; });
    const double frequencies[] = {5, 10, 20, 40, 80};
    const int64_t widths[] = {2000, 1000, 500, 250, 125};
    const int64_t firsts[] = {20000, 40500, 60750, 80875, 100938};  // the last from 100937.5
    for (int32_t i = 0; i <= 4; ++i) {
        EXPECT_DOUBLE_EQ(sweep::SweepStepFrequency(5, 80, i, 4), frequencies[i]);
        const sweep::StepWindow w = sweep::SweepStepWindow(r.view, Defaults(), i);
        EXPECT_EQ(w.Length, widths[i]) << i;
        EXPECT_EQ(w.First, firsts[i]) << i;
    }
}

TEST(SweepPhases, CorrelationsGiveSinePhaseAndDifferencesWrapIntoHalfOpenRange) {
    EXPECT_EQ(sweep::SinePhaseDegrees(3, 0), 0);
    EXPECT_EQ(sweep::SinePhaseDegrees(0, 0), 0);
    EXPECT_EQ(sweep::SinePhaseDegrees(-3, 0), 180);
    EXPECT_NEAR(sweep::SinePhaseDegrees(0, 2), 90, 1e-12);
    EXPECT_NEAR(sweep::SinePhaseDegrees(0, -2), 270, 1e-12);
    EXPECT_NEAR(sweep::SinePhaseDegrees(1, -1), 315, 1e-12);
    const struct {
        double in, out;
    } wraps[] = {{350, -10}, {-190, 170}, {180, -180}, {-180, -180}, {179.5, 179.5}, {-360, 0}};
    for (const auto& w : wraps) EXPECT_EQ(sweep::WrapPhaseDifference(w.in), w.out) << w.in;
}

TEST(MeasureSweepResponse, SteadySinesOfWholePeriodsGiveTheirAmplitudesPhasesGainAndPhaseDifference) {
    // A record as long as the default sweep at 10000 frames per second, every channel a steady
    // sine whose period at each step's window is exactly that step's width: 80 Hz divides them
    // all (125 frames), so each window holds whole periods of it.
    const Record r = MakeRecord(120000, 3, 10000, [](int64_t k, int c) {
        const double t = 2 * kPi * 80 * static_cast<double>(k) / 10000;
        if (c == 0) return 1600 * std::sin(t);
        if (c == 1) return 800 * std::sin(t - kPi / 2);  // half the amplitude, lagging 90 degrees
        return 0.0;                                       // a dead output
    });
    const sweep::SweepResponse res = sweep::MeasureSweepResponse(r.view, Defaults());
    ASSERT_EQ(res.Rows, 5);
    ASSERT_EQ(res.Channels, 3);
    ASSERT_EQ(res.Gains.size(), 10u);
    const size_t last = 4;  // the step at 80 Hz
    EXPECT_NEAR(res.Amplitudes[last * 3 + 0], 2000, 0.5);
    EXPECT_NEAR(res.Amplitudes[last * 3 + 1], 1000, 0.5);
    EXPECT_NEAR(res.Gains[last * 2 + 0], -6.0206, 1e-3);
    // The window starts 63 frames into a period and each sample is paired with the angle one
    // frame further on: the sine stands 62/125 of a period ahead of the reference.
    EXPECT_NEAR(res.Phases[last * 3 + 0], 360.0 * 62 / 125, 0.05);
    EXPECT_NEAR(res.Phases[last * 3 + 1], 360.0 * 62 / 125 - 90, 0.05);
    EXPECT_NEAR(res.PhaseDifferences[last * 2 + 0], -90, 0.05);
    EXPECT_EQ(res.Gains[last * 2 + 1], -100) << "a silent output has no gain to show";
    // The other steps' windows hold whole numbers of its periods: it is no part of their frequency.
    for (size_t i = 0; i < last; ++i) EXPECT_LT(res.Amplitudes[i * 3], 1) << i;
}

TEST(MeasureSweepResponse, StepsOutsideTheRecordReadZerosAndUntimeableSweepsGiveNoRows) {
    // Half the sweep recorded: the last steps' windows lie beyond it.
    const Record r = MakeRecord(60000, 2, 10000, [](int64_t k, int) { return 1000 * std::sin(k * 0.01); });
    const sweep::SweepResponse res = sweep::MeasureSweepResponse(r.view, Defaults());
    ASSERT_EQ(res.Rows, 5);
    EXPECT_GT(res.Amplitudes[0], 0);
    for (size_t i = 2; i < 5; ++i) {
        EXPECT_EQ(res.Amplitudes[i * 2], 0);
        EXPECT_EQ(res.Phases[i * 2], 0);
        EXPECT_EQ(res.Gains[i], -100) << "channel 0 silent";
        EXPECT_EQ(res.PhaseDifferences[i], 0);
    }

    const Record one = MakeRecord(1000, 1, 10000, [](int64_t, int) { return 5; });
    const sweep::SweepResponse single = sweep::MeasureSweepResponse(one.view, Defaults());
    EXPECT_EQ(single.Rows, 5);
    EXPECT_TRUE(single.Gains.empty()) << "one channel has nothing to compare";

    const auto rows = [&r](auto change) {
        sweep::SweepTiming t = Defaults();
        sweep::SweepRecord v = r.view;
        change(t, v);
        return sweep::MeasureSweepResponse(v, t).Rows;
    };
    EXPECT_EQ(rows([](auto& t, auto&) { t.Steps = 0; }), 0);
    EXPECT_EQ(rows([](auto& t, auto&) { t.Steps = -3; }), 0);
    EXPECT_EQ(rows([](auto& t, auto&) { t.FreqBegin = 0; }), 0);
    EXPECT_EQ(rows([](auto&, auto& v) { v.Channels = 0; }), 0);
    EXPECT_EQ(rows([](auto&, auto& v) { v.FramesPerSecond = NAN; }), 0);
    // A frame rate so low that the top step's period is shorter than two frames: a step of zeros.
    EXPECT_EQ(rows([](auto&, auto& v) { v.FramesPerSecond = 100; }), 5);
}

} // namespace
