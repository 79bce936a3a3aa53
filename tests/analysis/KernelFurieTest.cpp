#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>

#include "analysis/Kernels.h"
#include "state/State.h"

namespace {

constexpr double kPi = std::numbers::pi;

// `frames` frames of `channels` channels from code(frame, channel), window [first, first + count).
void Load(int frames, int channels, int first, int count, const std::function<double(int, int)>& code) {
    SampleData.DataChannels = static_cast<uint8_t>(channels);
    SampleData.SampleBuffer.resize(static_cast<size_t>(frames) * channels);
    for (int f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            SampleData.SampleBuffer[SampleIndex(f, c)] = static_cast<int16_t>(std::lround(code(f, c)));
        }
    }
    SampleData.FrameCount = frames;
    AnalysisResults.FourierFirst = first;
    AnalysisResults.FourierCount = count;
}

double Amp(size_t row, size_t channel) { return AnalysisResults.AmpTable[TableIndex(row, channel)]; }
double Phase(size_t row, size_t channel) { return AnalysisResults.PhaseTable[TableIndex(row, channel)]; }

// Distance on the circle, so that 0 and 2π - ε count as close.
double AngleGap(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 2 * kPi);
    return std::min(d, 2 * kPi - d);
}

class FurieBothRoutines : public ::testing::TestWithParam<KernelStatus (*)(uint8_t)> {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }
    KernelStatus Run(uint8_t channel = 0) { return GetParam()(channel); }
};

TEST_P(FurieBothRoutines, SinesGivePeakAmplitudeAndPhaseReferredToTheFrameBeforeTheWindow) {
    // Channel 0 a sine at harmonic 3 over a mean; channel 1 a cosine at harmonic 5. The window
    // starts at frame 50, so a wrong stride or start shows up as a wrong phase.
    Load(1100, 2, 50, 1000, [](int f, int c) {
        const double t = 2 * kPi * (f - 49) / 1000;
        return c == 0 ? 1000 * std::sin(3 * t + kPi / 3) + 100 : 400 * std::cos(5 * t);
    });
    ASSERT_EQ(Run(), KernelStatus::Done);
    ASSERT_EQ(AnalysisResults.AmpTable.size(), 2u * 501);
    EXPECT_NEAR(Amp(0, 0), 125.0, 1e-9);
    EXPECT_NEAR(Amp(3, 0), 1250.0, 0.1);
    EXPECT_NEAR(Phase(3, 0), kPi / 3, 1e-3);
    EXPECT_NEAR(Amp(5, 1), 500.0, 0.1);
    EXPECT_NEAR(Phase(5, 1), kPi / 2, 1e-3);
    for (size_t k = 1; k <= 500; ++k) {
        // Rounding the codes leaves residues of about a tenth of a code.
        EXPECT_LT(k == 3 ? 0 : Amp(k, 0), 0.2) << "harmonic " << k;
        EXPECT_LT(k == 5 ? 0 : Amp(k, 1), 0.2) << "harmonic " << k;
        EXPECT_TRUE(Phase(k, 0) >= 0 && Phase(k, 0) < 2 * kPi);
    }
    EXPECT_TRUE(AnalysisResults.WorkRe.empty() && AnalysisResults.WorkIm.empty());
    EXPECT_TRUE(AnalysisResults.SinTable.empty() && AnalysisResults.CosTable.empty());

    // Codes of range 2: the scale of the data in memory, not the range code, makes the millivolts.
    SampleData.DataMvPerCode = 0.078125;
    ASSERT_EQ(Run(), KernelStatus::Done);
    EXPECT_NEAR(Amp(0, 0), 7.8125, 1e-9);
    EXPECT_NEAR(Amp(3, 0), 78.125, 0.01);

    // An odd window has N div 2 harmonic rows; a single frame only its mean.
    AnalysisResults.FourierCount = 999;
    ASSERT_EQ(Run(), KernelStatus::Done);
    EXPECT_EQ(AnalysisResults.AmpTable.size(), 2u * 500);
    AnalysisResults.FourierFirst = 1099;
    AnalysisResults.FourierCount = 1;
    ASSERT_EQ(Run(), KernelStatus::Done);
    ASSERT_EQ(AnalysisResults.AmpTable.size(), 2u);
    EXPECT_DOUBLE_EQ(Amp(0, 1), 0.078125 * SampleData.SampleBuffer[SampleIndex(1099, 1)]);
}

TEST_P(FurieBothRoutines, PhaseFollowsTheSignsOfTheSums) {
    const int windows[3][4] = {{100, 0, -100, 0}, {0, -100, 0, 100}, {-100, 0, 100, 0}};
    const double phases[] = {0, kPi / 2, kPi};
    for (int w = 0; w < 3; ++w) {
        Load(4, 1, 0, 4, [&](int f, int) { return windows[w][f]; });
        ASSERT_EQ(Run(), KernelStatus::Done);
        EXPECT_NEAR(Amp(1, 0), 125.0, 1e-9);
        EXPECT_LT(AngleGap(Phase(1, 0), phases[w]), 1e-12) << w;
        EXPECT_LT(Phase(1, 0), 2 * kPi) << "a full turn is folded to 0";
    }
    Load(4, 1, 0, 4, [](int, int) { return 0; });
    ASSERT_EQ(Run(), KernelStatus::Done);
    for (size_t k = 0; k <= 2; ++k) EXPECT_EQ(Phase(k, 0), 0.0) << "zero sums give phase 0, never NaN";
}

TEST_P(FurieBothRoutines, RefusedWindowChangesNothing) {
    Load(100, 2, 0, 0, [](int f, int c) { return f + c; });
    AnalysisResults.AmpTable = {1, 2, 3};
    ChartState.YMultiplier = 9;
    EXPECT_EQ(Run(), KernelStatus::EmptyWindow);
    AnalysisResults.FourierFirst = -1;
    AnalysisResults.FourierCount = 10;
    EXPECT_EQ(Run(), KernelStatus::NegativeStart);
    AnalysisResults.FourierFirst = 91;
    SampleData.FrameCount = 1000;  // claims more than the buffer holds
    EXPECT_EQ(Run(), KernelStatus::WindowBeyondData);
    AnalysisResults.FourierFirst = 0;
    EXPECT_EQ(Run(2), KernelStatus::ChannelOutOfRange);
    EXPECT_EQ(Run(1), KernelStatus::TablesMissing) << "one channel needs tables for the window";
    EXPECT_EQ(AnalysisResults.AmpTable, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(ChartState.YMultiplier, 9);
}

INSTANTIATE_TEST_SUITE_P(FastAndDirect, FurieBothRoutines,
                         ::testing::Values(&FurieDecompose, &FurieDecomposeDirect),
                         [](const auto& info) { return info.index == 0 ? "Fast" : "Direct"; });

// Large enough to be spread over threads; a channel redone alone runs on one. Every channel must
// come out bit for bit the same, whichever thread took it.
TEST(FurieFast, OneChannelIsRedoneInTheExistingTablesExactlyAsTheWholeDecompositionDidIt) {
    ResetSharedState();
    constexpr int kFrames = 10000;
    constexpr int kChannels = 16;
    Load(kFrames, kChannels, 0, kFrames, [](int f, int c) { return 50 * std::sin(0.3 * f * (c + 1)) + c; });
    ASSERT_EQ(FurieDecompose(0), KernelStatus::Done);
    const std::vector<double> amp = AnalysisResults.AmpTable;
    const std::vector<double> phase = AnalysisResults.PhaseTable;
    for (uint8_t c = 1; c < kChannels; ++c) {
        std::fill(AnalysisResults.AmpTable.begin(), AnalysisResults.AmpTable.end(), -1.0);
        ASSERT_EQ(FurieDecompose(c), KernelStatus::Done);
        for (size_t k = 0; k <= kFrames / 2; ++k) {
            ASSERT_EQ(Amp(k, c), amp[TableIndex(k, c)]) << int(c) << " " << k;
            ASSERT_EQ(Phase(k, c), phase[TableIndex(k, c)]) << int(c) << " " << k;
            ASSERT_EQ(Amp(k, (c + 1) % kChannels), -1.0);
        }
    }
    ResetSharedState();
}

TEST(FurieFast, AgreesWithTheDirectSumsOnAnyWindowLength) {
    ResetSharedState();
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> codes(-8000, 8000);
    for (int n : {2, 3, 5, 16, 49, 97, 134, 360, 1000, 1001, 1024, 2039, 4096, 6250}) {
        for (bool tone : {false, true}) {
            Load(n + 7, 3, 5, n, [&](int f, int c) {
                return tone ? 3000 * std::sin(2 * kPi * (c + 1) * 3 * f / n + c) + 17 : codes(random);
            });
            ASSERT_EQ(FurieDecomposeDirect(0), KernelStatus::Done);
            const std::vector<double> amp = AnalysisResults.AmpTable;
            const std::vector<double> phase = AnalysisResults.PhaseTable;
            ASSERT_EQ(FurieDecompose(0), KernelStatus::Done);
            const size_t rows = static_cast<size_t>(n) / 2 + 1;
            for (size_t c = 0; c < 3; ++c) {
                // Amplitudes far below the window's largest component are rounding residue in both.
                double largest = 0;
                for (size_t k = 0; k < rows; ++k) largest = std::max(largest, std::fabs(amp[TableIndex(k, c)]));
                EXPECT_NEAR(Amp(0, c), amp[c], 1e-12 * std::fabs(amp[c]));
                for (size_t k = 1; k < rows; ++k) {
                    const double direct = amp[TableIndex(k, c)];
                    const bool negligible = direct < 1e-6 * largest;
                    EXPECT_NEAR(Amp(k, c), direct, 1e-9 * (negligible ? largest : direct)) << n << " " << k;
                    if (!negligible) {
                        EXPECT_LT(AngleGap(Phase(k, c), phase[TableIndex(k, c)]), 1e-9) << n << " " << k;
                    }
                }
            }
        }
    }
    ResetSharedState();
}

}  // namespace
