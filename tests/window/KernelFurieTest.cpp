#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>

#include "window/Kernels.h"
#include "window/State.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Fills SampleBuffer with `frames` frames of `channels` channels from code(frame, channel).
void LoadData(int frames, int channels, const std::function<double(int, int)>& code) {
    SampleData.DataChannels = static_cast<uint8_t>(channels);
    SampleData.SampleBuffer.resize(static_cast<size_t>(frames) * channels);
    for (int f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            SampleData.SampleBuffer[SampleIndex(f, c)] = static_cast<int16_t>(std::lround(code(f, c)));
        }
    }
    SampleData.SampleCount = frames * channels;
    SampleData.FrameCount = frames;
}

void SetWindow(int first, int count) {
    AnalysisResults.FourierFirst = first;
    AnalysisResults.FourierCount = count;
}

double Amp(size_t row, size_t channel) { return AnalysisResults.AmpTable[TableIndex(row, channel)]; }
double Phase(size_t row, size_t channel) { return AnalysisResults.PhaseTable[TableIndex(row, channel)]; }

// Distance of two angles on the circle, so that 0 and 2π - ε count as close.
double AngleGap(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 2 * kPi);
    return std::min(d, 2 * kPi - d);
}

using Routine = KernelStatus (*)(uint8_t);

class FurieBothRoutines : public ::testing::TestWithParam<Routine> {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }
    KernelStatus Run(uint8_t channel = 0) { return GetParam()(channel); }
};

TEST_P(FurieBothRoutines, PureSineGivesItsPeakAmplitudeAndPhaseAtItsHarmonic) {
    // Phase is that of a sine referred to the frame before the window.
    LoadData(1000, 1, [](int f, int) { return 1000 * std::sin(2 * kPi * 3 * (f + 1) / 1000 + kPi / 3) + 100; });
    SetWindow(0, 1000);
    ASSERT_EQ(Run(), KernelStatus::Done);
    EXPECT_DOUBLE_EQ(ChartState.YMultiplier, 1.25);
    ASSERT_EQ(AnalysisResults.AmpTable.size(), 501u);
    EXPECT_NEAR(Amp(0, 0), 125.0, 1e-9);
    EXPECT_EQ(Phase(0, 0), 0.0);
    EXPECT_NEAR(Amp(3, 0), 1250.0, 0.1);
    EXPECT_NEAR(Phase(3, 0), kPi / 3, 1e-3);
    for (size_t k = 1; k <= 500; ++k) {
        if (k != 3) {
            EXPECT_LT(Amp(k, 0), 0.08) << "harmonic " << k;
        }
        EXPECT_GE(Phase(k, 0), 0.0);
        EXPECT_LT(Phase(k, 0), 2 * kPi);
    }
    // The work and angle tables do not outlive the call.
    EXPECT_TRUE(AnalysisResults.WorkRe.empty());
    EXPECT_TRUE(AnalysisResults.WorkIm.empty());
    EXPECT_TRUE(AnalysisResults.SinTable.empty());
    EXPECT_TRUE(AnalysisResults.CosTable.empty());

    SampleData.DataGain = 2;
    ASSERT_EQ(Run(), KernelStatus::Done);
    EXPECT_DOUBLE_EQ(ChartState.YMultiplier, 0.078125);
    EXPECT_NEAR(Amp(0, 0), 7.8125, 1e-9);
    EXPECT_NEAR(Amp(3, 0), 78.124, 0.01);
}

TEST_P(FurieBothRoutines, InterleavedChannelsAreReadWithTheirStrideFromTheWindowStart) {
    LoadData(300, 2, [](int f, int c) {
        return c == 0 ? 200 * std::cos(2 * kPi * 5 * (f - 49) / 100) : 300 * std::sin(2 * kPi * 2 * (f - 49) / 100 + kPi);
    });
    SampleData.DataGain = 1;
    SetWindow(50, 100);
    ASSERT_EQ(Run(), KernelStatus::Done);
    ASSERT_EQ(AnalysisResults.AmpTable.size(), 2u * 51);
    EXPECT_NEAR(Amp(5, 0), 62.5, 0.1);
    EXPECT_NEAR(Phase(5, 0), kPi / 2, 1e-3);
    EXPECT_NEAR(Amp(2, 1), 93.75, 0.1);
    EXPECT_NEAR(Phase(2, 1), kPi, 1e-3);
    EXPECT_LT(Amp(2, 0), 0.1);
    EXPECT_LT(Amp(5, 1), 0.1);
}

TEST_P(FurieBothRoutines, RowsAreHalfTheWindowPlusTheMean) {
    LoadData(1001, 3, [](int f, int c) { return (f * 7 + c * 13) % 50 - 25; });
    SetWindow(0, 1001);
    ASSERT_EQ(Run(), KernelStatus::Done);
    EXPECT_EQ(AnalysisResults.AmpTable.size(), 3u * 501);
    EXPECT_EQ(AnalysisResults.PhaseTable.size(), 3u * 501);

    SetWindow(400, 1);
    ASSERT_EQ(Run(), KernelStatus::Done);
    ASSERT_EQ(AnalysisResults.AmpTable.size(), 3u);
    for (int c = 0; c < 3; ++c) {
        EXPECT_DOUBLE_EQ(Amp(0, c), 1.25 * ((400 * 7 + c * 13) % 50 - 25));
    }
}

TEST_P(FurieBothRoutines, PhaseFollowsTheSignsOfTheSums) {
    LoadData(4, 1, [](int f, int) { const int x[] = {100, 0, -100, 0}; return x[f]; });
    SetWindow(0, 4);
    ASSERT_EQ(Run(), KernelStatus::Done);
    EXPECT_NEAR(Amp(1, 0), 125.0, 1e-9);
    EXPECT_LT(AngleGap(Phase(1, 0), 0.0), 1e-12);
    EXPECT_LT(Phase(1, 0), 2 * kPi) << "a phase of a full turn is folded to 0";

    LoadData(4, 1, [](int f, int) { const int x[] = {0, -100, 0, 100}; return x[f]; });
    ASSERT_EQ(Run(), KernelStatus::Done);
    EXPECT_NEAR(Phase(1, 0), kPi / 2, 1e-12);

    LoadData(4, 1, [](int f, int) { const int x[] = {-100, 0, 100, 0}; return x[f]; });
    ASSERT_EQ(Run(), KernelStatus::Done);
    EXPECT_NEAR(Phase(1, 0), kPi, 1e-12);

    LoadData(4, 1, [](int, int) { return 0; });
    ASSERT_EQ(Run(), KernelStatus::Done);
    for (size_t k = 0; k <= 2; ++k) {
        EXPECT_EQ(Amp(k, 0), 0.0);
        EXPECT_EQ(Phase(k, 0), 0.0) << "zero sums give phase 0, never NaN";
    }
}

TEST_P(FurieBothRoutines, RefusedWindowChangesNothing) {
    LoadData(100, 2, [](int f, int c) { return f + c; });
    AnalysisResults.AmpTable = {1, 2, 3};
    AnalysisResults.PhaseTable = {4, 5, 6};
    ChartState.YMultiplier = 9;
    SampleData.DataGain = 3;
    auto expectUntouched = [] {
        EXPECT_EQ(AnalysisResults.AmpTable, (std::vector<double>{1, 2, 3}));
        EXPECT_EQ(AnalysisResults.PhaseTable, (std::vector<double>{4, 5, 6}));
        EXPECT_EQ(ChartState.YMultiplier, 9);
    };
    SetWindow(0, 0);
    EXPECT_EQ(Run(), KernelStatus::EmptyWindow);
    expectUntouched();
    SetWindow(-1, 10);
    EXPECT_EQ(Run(), KernelStatus::NegativeStart);
    SetWindow(50, 51);
    EXPECT_EQ(Run(), KernelStatus::WindowBeyondData);
    SampleData.FrameCount = 1000;  // claims more than the buffer holds
    SetWindow(90, 20);
    EXPECT_EQ(Run(), KernelStatus::WindowBeyondData);
    SetWindow(0, 10);
    EXPECT_EQ(Run(2), KernelStatus::ChannelOutOfRange);
    EXPECT_EQ(Run(1), KernelStatus::TablesMissing) << "tables too short for the window";
    expectUntouched();
    SampleData.DataChannels = 0;
    EXPECT_EQ(Run(), KernelStatus::NoChannels);
    expectUntouched();
}

INSTANTIATE_TEST_SUITE_P(FastAndDirect, FurieBothRoutines,
                         ::testing::Values(&FurieDecompose, &FurieDecomposeDirect),
                         [](const auto& info) { return info.index == 0 ? "Fast" : "Direct"; });

class FurieSingleChannel : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }
};

TEST_F(FurieSingleChannel, RedoesOneChannelInTheExistingTables) {
    LoadData(64, 3, [](int f, int c) { return 50 * std::sin(0.3 * f * (c + 1)) + c; });
    SetWindow(0, 64);
    ASSERT_EQ(FurieDecompose(0), KernelStatus::Done);
    const std::vector<double> amp = AnalysisResults.AmpTable;
    const std::vector<double> phase = AnalysisResults.PhaseTable;
    for (size_t i = 0; i < AnalysisResults.AmpTable.size(); ++i) {
        AnalysisResults.AmpTable[i] = -1;
    }
    ASSERT_EQ(FurieDecompose(1), KernelStatus::Done);
    for (size_t k = 0; k <= 32; ++k) {
        EXPECT_EQ(Amp(k, 0), -1);
        EXPECT_EQ(Amp(k, 2), -1);
        EXPECT_NEAR(Amp(k, 1), amp[TableIndex(k, 1)], 1e-9);
        EXPECT_NEAR(Phase(k, 1), phase[TableIndex(k, 1)], 1e-9);
    }
}

TEST_F(FurieSingleChannel, DirectSumsSingleChannelNeedTheCallersAngleTables) {
    LoadData(16, 2, [](int f, int) { return f; });
    SetWindow(0, 16);
    ASSERT_EQ(FurieDecomposeDirect(0), KernelStatus::Done);
    EXPECT_EQ(FurieDecomposeDirect(1), KernelStatus::TablesMissing);
    EXPECT_EQ(FurieDecompose(1), KernelStatus::Done);
}

TEST_F(FurieSingleChannel, ExactlyZeroCosineSumWithNegativeSineSumGivesHalfTurn) {
    // Harmonic 2 of this window: cosine sum -100 + 100 = 0 exactly, sine sum a negative residue.
    LoadData(4, 1, [](int f, int) { const int x[] = {-100, -100, 0, 0}; return x[f]; });
    SetWindow(0, 4);
    ASSERT_EQ(FurieDecomposeDirect(0), KernelStatus::Done);
    EXPECT_EQ(Phase(2, 0), kPi);
}

// The fast routine must give what the direct sums give, on any window length.
TEST_F(FurieSingleChannel, FastRoutineAgreesWithDirectSums) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> codes(-8000, 8000);
    for (int n : {2, 3, 5, 16, 97, 360, 1000, 1001, 1024, 2039, 4096}) {
        for (bool tone : {false, true}) {
            LoadData(n + 7, 3, [&](int f, int c) {
                return tone ? 3000 * std::sin(2 * kPi * (c + 1) * 3 * f / n + c) + 17 : codes(random);
            });
            SampleData.DataGain = static_cast<uint8_t>(n % 4);
            SetWindow(5, n);
            ASSERT_EQ(FurieDecomposeDirect(0), KernelStatus::Done);
            const std::vector<double> amp = AnalysisResults.AmpTable;
            const std::vector<double> phase = AnalysisResults.PhaseTable;
            ASSERT_EQ(FurieDecompose(0), KernelStatus::Done);
            ASSERT_EQ(AnalysisResults.AmpTable.size(), amp.size());
            for (size_t c = 0; c < 3; ++c) {
                // Amplitudes far below the window's largest component are rounding residue in both.
                double largest = std::fabs(amp[TableIndex(0, c)]);
                for (size_t k = 1; k <= static_cast<size_t>(n) / 2; ++k) {
                    largest = std::max(largest, amp[TableIndex(k, c)]);
                }
                EXPECT_NEAR(Amp(0, c), amp[TableIndex(0, c)], 1e-12 * std::fabs(amp[TableIndex(0, c)]));
                for (size_t k = 1; k <= static_cast<size_t>(n) / 2; ++k) {
                    const double direct = amp[TableIndex(k, c)];
                    if (direct < 1e-6 * largest) {
                        EXPECT_NEAR(Amp(k, c), direct, 1e-9 * largest) << "n " << n << " k " << k;
                        continue;
                    }
                    EXPECT_NEAR(Amp(k, c), direct, 1e-9 * direct) << "n " << n << " k " << k;
                    EXPECT_LT(AngleGap(Phase(k, c), phase[TableIndex(k, c)]), 1e-9) << "n " << n << " k " << k;
                }
            }
        }
    }
}

} // namespace
