// The sweep's DAC words, block geometry, signal segments and latency cut.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

std::vector<int16_t> Synthesise(const sweep::SweepSettings& s, double dacRate, sweep::SweepGeometry& g) {
    EXPECT_EQ(sweep::PlanSweep(s, dacRate, dacRate, g), SweepPlan::Ready);
    std::vector<int16_t> words(sweep::DacBufferWords(g), 0x5555);
    sweep::SynthesiseSweep(s, dacRate, g, words.data());
    return words;
}

// The sweep worked out from its definition, sample by sample: segment ends at the running time
// rounded, halves to even; the phase in cycles advanced before each sample; the sample rounded to
// whole millivolts, then to codes of 5000 / 2048 mV held to 12 bits.
struct ReferenceSweep {
    std::array<int32_t, 5> ends{};
    std::vector<uint16_t> words;
};

ReferenceSweep Reference(const sweep::SweepSettings& s, double qdac) {
    ReferenceSweep r;
    const double octaves = std::log2(s.FreqEnd / s.FreqBegin);
    const double durations[5] = {s.RiseTime, 0.5 / s.FreqBegin, octaves * 60 / s.OctavesPerMin, 0.5 / s.FreqEnd,
                                 s.FallTime};
    double t = 0;
    for (int i = 0; i < 5; ++i) {
        t += durations[i];
        r.ends[i] = static_cast<int32_t>(std::nearbyint(1000 * qdac * t));
    }
    const auto [nd1, nd2, nd3, nd4, nd5] = r.ends;
    double phase = 0;
    for (int32_t n = 0; n < nd5; ++n) {
        double step = 0;
        double amplitude = s.AmplitudeMv;
        if (n < nd1) {
            step = s.FreqBegin / qdac / 1000;
            amplitude = n / static_cast<double>(nd1) * s.AmplitudeMv;
        } else if (n < nd2) {
            step = s.FreqBegin / qdac / 1000;
        } else if (n < nd3) {
            const double f = s.FreqBegin * std::pow(2.0, (n - nd2) / qdac / 60000 * s.OctavesPerMin);
            step = f / 1000 / qdac;
        } else if (n < nd4) {
            step = s.FreqEnd / qdac / 1000;
        } else {
            step = s.FreqEnd / qdac / 1000;
            amplitude = static_cast<double>(nd5 - n) / (nd5 - nd4) * s.AmplitudeMv;
        }
        phase += step;
        const double mv = std::nearbyint(std::sin(2 * M_PI * phase) * amplitude);
        const int code = std::clamp(static_cast<int>(std::nearbyint(mv * 0.4096)), -2048, 2047);
        r.words.push_back(static_cast<uint16_t>(code < 0 ? code + 4096 : code));
    }
    return r;
}

TEST(SynthesiseSweep, EverySampleIsTheSweepOfItsDefinitionThenZerosToTheEndOfTheBuffer) {
    const struct {
        const char* name;
        sweep::SweepSettings settings;
        double dacRate;
    } cases[] = {
        {"the page's defaults", Defaults(), 5},
        {"no ramps", {2000, 5, 80, 30, 4, 0, 0}, 5},
        {"uneven settings", {1234.5, 3.3, 97.1, 17.5, 3, 0.7, 0.35}, 16},
        {"beyond the DAC's range", {6000, 20, 40, 60, 1, 0.25, 0.25}, 40},
        {"the last block past the silence", {2000, 5, 80, 30, 4, 2, 1}, 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sweep::SweepGeometry g;
        const std::vector<int16_t> words = Synthesise(c.settings, c.dacRate, g);
        const ReferenceSweep expected = Reference(c.settings, c.dacRate);
        ASSERT_EQ(g.SegmentEnd, expected.ends);
        ASSERT_GE(words.size(), expected.words.size() + sweep::kSilenceWords);
        int mismatches = 0;
        for (size_t n = 0; n < expected.words.size(); ++n) {
            if (static_cast<uint16_t>(words[n]) != expected.words[n] && ++mismatches <= 5) {
                ADD_FAILURE() << "word " << n << ": " << words[n] << " against " << expected.words[n];
            }
        }
        EXPECT_EQ(mismatches, 0);
        for (size_t n = expected.words.size(); n < words.size(); ++n) ASSERT_EQ(words[n], 0) << n;
    }

    // Without a ramp the first sample is the full amplitude one phase step in: sin(2π 5 / 5000)
    // of 2000 mV is 12.566 mV, rounded to 13 mV and to 5 codes.
    sweep::SweepGeometry g;
    EXPECT_EQ(Synthesise({2000, 5, 80, 30, 4, 0, 0}, 5, g)[0], 5);
    // Beyond 5000 mV the words hold at the ends of the 12-bit range.
    const std::vector<int16_t> clamped = Synthesise({6000, 20, 40, 60, 1, 0.25, 0.25}, 40, g);
    EXPECT_GT(std::count(clamped.begin(), clamped.end(), 0x7FF), 100);
    EXPECT_GT(std::count(clamped.begin(), clamped.end(), 0x800), 100);
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
