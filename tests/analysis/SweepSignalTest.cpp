// The sweep's DAC words, block geometry, signal segments and latency cut.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/QuevDacWord.h"
#include "analysis/SweepSignal.h"

namespace {

using sweep::SweepPlan;

// The page's initial settings with four measuring steps.
sweep::SweepSettings Defaults() { return {20, 5, 80, 30, 4, 2, 1}; }

TEST(QuevDacWord, CodesAreTwelveBitTwosComplementHeldAtTheEnds) {
    const struct {
        double mv;
        uint16_t word;
    } cases[] = {{5000, 0x7FF}, {-5000, 0x800}, {-1, 0x000},   {-3, 0xFFF},    {2, 0x001},     {20, 0x008},
                 {-20, 0xFF8},  {1000, 0x19A},  {-1000, 0xE66}, {4996, 0x7FE}, {-5002, 0x800}, {1e30, 0x7FF}};
    for (const auto& c : cases) EXPECT_EQ(QuevDacWord(c.mv), c.word) << c.mv;
}

TEST(PlanSweep, GeometryAndChecksFollowTheRatesAndSettings) {
    const struct {
        double adc, dac;
        double octavesPerMin;
        SweepPlan plan;
        int32_t adcBlock, dacBlock, lastBlock;
    } cases[] = {
        {5, 5, 30, SweepPlan::Ready, 5024, 5024, 11},
        {5, 1, 30, SweepPlan::RatioMismatch, 5056, 1024, 0},  // 5056 / 1024 is not 5
        {20, 10, 30, SweepPlan::Ready, 20032, 10016, 11},     // 20000 grown to twice 10016
        {30, 20, 30, SweepPlan::RatioMismatch, 30016, 20000, 0},
        {40, 40, 30, SweepPlan::Ready, 40000, 40000, 11},
        {200, 100, 9, SweepPlan::Ready, 200000, 100000, 29},  // exactly 6000000 and 3000000
        {200, 100, 8, SweepPlan::TooManySamples, 200000, 100000, 33},
        {80, 80, 30, SweepPlan::Ready, 80000, 80000, 11},     // 960000 words streamed
        {100, 100, 30, SweepPlan::Ready, 100000, 100000, 11},
        {125, 125, 30, SweepPlan::Ready, 125024, 125024, 11},
        {0, 5, 30, SweepPlan::RatesUnusable, 0, 0, 0},
        {5, 0, 30, SweepPlan::RatesUnusable, 0, 0, 0},
        {5, 5, 0, SweepPlan::SettingsUnusable, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.adc << " / " << c.dac << " kHz, " << c.octavesPerMin << " oct/min");
        sweep::SweepSettings s = Defaults();
        s.OctavesPerMin = c.octavesPerMin;
        sweep::SweepGeometry g;
        ASSERT_EQ(sweep::PlanSweep(s, c.adc, c.dac, g), c.plan);
        if (c.adcBlock == 0) continue;
        EXPECT_EQ(g.AdcBlock, c.adcBlock);
        EXPECT_EQ(g.DacBlock, c.dacBlock);
        if (c.lastBlock != 0) {
            EXPECT_EQ(g.LastBlock, c.lastBlock);
        }
    }

    sweep::SweepGeometry g;
    ASSERT_EQ(sweep::PlanSweep(Defaults(), 5, 5, g), SweepPlan::Ready);
    EXPECT_EQ(g.Octaves, 4);
    EXPECT_DOUBLE_EQ(g.TotalTime, 11.10625);
    EXPECT_EQ(g.SegmentEnd, (std::array<int32_t, 5>{10000, 10500, 50500, 50531, 55531}));
    EXPECT_EQ(sweep::DacBufferWords(g), 105532u) << "the signal and its silence";
    ASSERT_EQ(sweep::PlanSweep(Defaults(), 40, 40, g), SweepPlan::Ready);
    EXPECT_EQ(g.SegmentEnd, (std::array<int32_t, 5>{80000, 84000, 404000, 404250, 444250}));
    // At 80 kHz the twelve blocks streamed reach past the signal and its silence (938501 words).
    ASSERT_EQ(sweep::PlanSweep(Defaults(), 80, 80, g), SweepPlan::Ready);
    EXPECT_EQ(g.SegmentEnd[4], 888500);
    EXPECT_EQ(sweep::DacBufferWords(g), 960000u) << "every word of the last block";

    // Settings that cannot be timed are refused before any arithmetic on them.
    const auto refused = [](auto change) {
        sweep::SweepSettings s = Defaults();
        change(s);
        sweep::SweepGeometry unused;
        return sweep::PlanSweep(s, 5, 5, unused);
    };
    EXPECT_EQ(refused([](auto& s) { s.FreqBegin = 0; }), SweepPlan::SettingsUnusable);
    EXPECT_EQ(refused([](auto& s) { s.FreqEnd = 4; }), SweepPlan::SettingsUnusable);
    EXPECT_EQ(refused([](auto& s) { s.Steps = 0; }), SweepPlan::SettingsUnusable);
    EXPECT_EQ(refused([](auto& s) { s.RiseTime = -1; }), SweepPlan::SettingsUnusable);
    EXPECT_EQ(refused([](auto& s) { s.OctavesPerMin = 1e-12; }), SweepPlan::TooManySamples);
}

// Millivolts of a DAC word.
double Millivolts(int16_t word) {
    const int code = word & 0x800 ? (word & 0xFFF) - 4096 : word & 0xFFF;
    return code / 0.4096;
}

std::vector<int16_t> Synthesise(const sweep::SweepSettings& s, double dacRate, sweep::SweepGeometry& g) {
    EXPECT_EQ(sweep::PlanSweep(s, dacRate, dacRate, g), SweepPlan::Ready);
    std::vector<int16_t> words(sweep::DacBufferWords(g), 0x5555);
    sweep::SynthesiseSweep(s, dacRate, g, words.data());
    return words;
}

TEST(SynthesiseSweep, SegmentsRiseHoldSweepExponentiallyFallAndFallSilent) {
    sweep::SweepSettings s = Defaults();
    s.AmplitudeMv = 2000;
    sweep::SweepGeometry g;
    const std::vector<int16_t> words = Synthesise(s, 5, g);
    const auto [nd1, nd2, nd3, nd4, nd5] = g.SegmentEnd;
    for (int16_t w : words) ASSERT_EQ(w & 0xF000, 0) << "every word goes to the first DAC";

    const auto peak = [&words](int32_t from, int32_t to) {
        double highest = 0;
        for (int32_t n = from; n < to; ++n) highest = std::max(highest, std::abs(Millivolts(words[n])));
        return highest;
    };
    // The rise starts from nothing and the envelope grows linearly over whole cycles (1000
    // samples at 5 Hz); the half period after it holds the full amplitude.
    EXPECT_EQ(words[0], 0);
    EXPECT_GT(peak(0, 1000), 150);
    EXPECT_LE(peak(0, 1000), 201);
    EXPECT_GT(peak(nd1 - 1000, nd1), 1800);
    EXPECT_NEAR(peak(nd1, nd2), 2000, 2);

    // The sweep doubles its frequency every 2 s for 8 s: 5 Hz * 2 s / ln 2 * (2^4 - 1) cycles, two
    // zero crossings each.
    int crossings = 0;
    for (int32_t n = nd2 + 1; n < nd3; ++n) crossings += (Millivolts(words[n - 1]) < 0) != (Millivolts(words[n]) < 0);
    EXPECT_NEAR(crossings, 2 * 5 * 2 / std::log(2.0) * 15, 3);

    // The fall ends in silence, which lasts to the end of the buffer.
    EXPECT_LT(std::abs(Millivolts(words[nd5 - 1])), 2000.0 / (nd5 - nd4) + 3);
    for (size_t n = static_cast<size_t>(nd5); n < words.size(); ++n) ASSERT_EQ(words[n], 0) << n;
}

TEST(SynthesiseSweep, WithoutRampsTheSignalStartsAtFullAmplitudeAndStopsAtTheEndHalfPeriod) {
    sweep::SweepSettings s = Defaults();
    s.AmplitudeMv = 2000;
    s.RiseTime = 0;
    s.FallTime = 0;
    sweep::SweepGeometry g;
    const std::vector<int16_t> words = Synthesise(s, 5, g);
    EXPECT_EQ(g.SegmentEnd[0], 0);
    EXPECT_EQ(g.SegmentEnd[3], g.SegmentEnd[4]);
    // The phase moves one step before the first sample is taken.
    const double first = std::round(std::sin(2 * M_PI * 5 / 5000.0) * 2000);
    EXPECT_EQ(words[0], static_cast<int16_t>(QuevDacWord(first)));
    for (size_t n = static_cast<size_t>(g.SegmentEnd[3]); n < words.size(); ++n) ASSERT_EQ(words[n], 0);
    EXPECT_NE(words[g.SegmentEnd[3] - 10], 0);
}

TEST(LatencyCutFrames, FifoTimeLessTheEarlyStartInFramesNeverNegative) {
    const struct {
        double adc;
        int channels;
        double dac;
        int32_t frames;
    } cases[] = {{5, 2, 5, 1946}, {40, 2, 40, 1456}, {20, 2, 10, 3752}, {6, 2, 2, 5964},
                 {10, 2, 5, 3892}, {5, 2, 200, 0}, {5, 0, 5, 0}, {0, 2, 5, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(sweep::LatencyCutFrames(c.adc, c.channels, c.dac), c.frames) << c.adc << " " << c.dac;
    }
}

} // namespace
