#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "window/Kernels.h"
#include "window/State.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;

class SequenceComponents : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }

    // Harmonic 1 of three channels as amplitude and phase in degrees, as a decomposition leaves it.
    void SetHarmonic1(double aAmp, double aDeg, double bAmp, double bDeg, double cAmp, double cDeg) {
        SampleData.DataChannels = 3;
        AnalysisResults.FourierCount = 2;
        AnalysisResults.AmpTable = {0, 0, 0, aAmp, bAmp, cAmp};
        AnalysisResults.PhaseTable = {0, 0, 0, aDeg * kDeg, bDeg * kDeg, cDeg * kDeg};
    }
    static double Amp(int q) { return AnalysisResults.SequenceTable[2][q][0]; }
    static double PhaseDeg(int q) { return AnalysisResults.SequenceTable[3][q][0] / kDeg; }
};

TEST_F(SequenceComponents, BalancedPositiveSetIsAllPositiveSequence) {
    SetHarmonic1(100, 30, 100, 270, 100, 150);
    ASSERT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::Done);
    const double phases[] = {30, 270, 150};
    for (int q = 0; q < 3; ++q) {
        EXPECT_NEAR(Amp(q), 100, 1e-9);
        EXPECT_NEAR(PhaseDeg(q), phases[q], 1e-9);
    }
    for (int q = 3; q < 9; ++q) {
        EXPECT_NEAR(Amp(q), 0, 1e-9) << "quantity " << q;
    }
    EXPECT_NEAR(AnalysisResults.SequenceTable[0][0][0], 100 * std::cos(30 * kDeg), 1e-9);
    EXPECT_NEAR(AnalysisResults.SequenceTable[1][0][0], 100 * std::sin(30 * kDeg), 1e-9);
}

TEST_F(SequenceComponents, BalancedNegativeSetIsAllNegativeSequence) {
    SetHarmonic1(100, 30, 100, 150, 100, 270);
    ASSERT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::Done);
    const double phases[] = {30, 150, 270};
    for (int q = 0; q < 6; ++q) {
        EXPECT_NEAR(Amp(q), 0, 1e-9) << "quantity " << q;
    }
    for (int q = 6; q < 9; ++q) {
        EXPECT_NEAR(Amp(q), 100, 1e-9);
        EXPECT_NEAR(PhaseDeg(q), phases[q - 6], 1e-9);
    }
}

TEST_F(SequenceComponents, OnePhaseAloneSplitsEquallyWithTheRotationsOfEachSequence) {
    SetHarmonic1(90, 30, 0, 0, 0, 0);
    ASSERT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::Done);
    const double phases[] = {30, 270, 150, 30, 30, 30, 30, 150, 270};
    for (int q = 0; q < 9; ++q) {
        EXPECT_NEAR(Amp(q), 30, 1e-9) << "quantity " << q;
        EXPECT_NEAR(PhaseDeg(q), phases[q], 1e-9) << "quantity " << q;
    }
}

TEST_F(SequenceComponents, NoRealPartGivesPhaseZero) {
    // a + b cancel exactly in the real part; the imaginary residue of sin(π) stays.
    SetHarmonic1(100, 0, 100, 180, 0, 0);
    ASSERT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::Done);
    ASSERT_EQ(AnalysisResults.SequenceTable[0][3][0], 0.0);
    ASSERT_NE(AnalysisResults.SequenceTable[1][3][0], 0.0);
    EXPECT_EQ(PhaseDeg(3), 0.0);

    SetHarmonic1(0, 0, 0, 0, 0, 0);
    ASSERT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::Done);
    for (int q = 0; q < 9; ++q) {
        EXPECT_EQ(PhaseDeg(q), 0.0);
    }
}

TEST_F(SequenceComponents, WritesOnlyTheWindowsHarmonicsAndSetsTheMultiplier) {
    SampleData.DataChannels = 3;
    SampleData.DataGain = 1;
    AnalysisResults.FourierCount = 5;  // harmonics 1 and 2
    AnalysisResults.AmpTable.assign(9, 10.0);
    AnalysisResults.PhaseTable.assign(9, 0.0);
    AnalysisResults.SequenceTable[2][3][2] = 77;
    ASSERT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::Done);
    EXPECT_EQ(ChartState.YMultiplier, 0.3125);
    EXPECT_NEAR(AnalysisResults.SequenceTable[2][3][1], 10, 1e-12);
    EXPECT_EQ(AnalysisResults.SequenceTable[2][3][2], 77);
}

TEST_F(SequenceComponents, RefusalsLeaveTheTableAlone) {
    SetHarmonic1(100, 30, 100, 270, 100, 150);
    AnalysisResults.SequenceTable[2][0][0] = 5;
    ChartState.YMultiplier = 3;
    EXPECT_EQ(CalcSequenceComponents(0, 1, 3), KernelStatus::ChannelOutOfRange);
    AnalysisResults.FourierCount = 4;  // needs rows 0 to 2, the tables hold 2
    EXPECT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::TablesMissing);
    AnalysisResults.FourierCount = 2 * kSequenceHarmonics + 2;
    AnalysisResults.AmpTable.assign(3 * (kSequenceHarmonics + 2), 1.0);
    AnalysisResults.PhaseTable.assign(3 * (kSequenceHarmonics + 2), 1.0);
    EXPECT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::TooManyHarmonics);
    AnalysisResults.FourierCount = 0;
    EXPECT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::EmptyWindow);
    EXPECT_EQ(AnalysisResults.SequenceTable[2][0][0], 5);
    EXPECT_EQ(ChartState.YMultiplier, 3);

    AnalysisResults.FourierCount = 2 * kSequenceHarmonics + 1;  // exactly the table's room
    EXPECT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::Done);
}

TEST_F(SequenceComponents, ThreePhaseSinesThroughTheDecomposition) {
    const int n = 360;
    SampleData.DataChannels = 3;
    SampleData.SampleBuffer.resize(3 * n);
    const double phases[] = {30, -90, 150};
    for (int f = 0; f < n; ++f) {
        for (int c = 0; c < 3; ++c) {
            SampleData.SampleBuffer[SampleIndex(f, c)] =
                static_cast<int16_t>(std::lround(1000 * std::sin(2 * kPi * (f + 1) / n + phases[c] * kDeg)));
        }
    }
    SampleData.FrameCount = n;
    AnalysisResults.FourierCount = n;
    ASSERT_EQ(FurieDecompose(0), KernelStatus::Done);
    ASSERT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::Done);
    EXPECT_NEAR(Amp(0), 1250.0, 0.5);
    EXPECT_NEAR(PhaseDeg(0), 30, 0.05);
    for (int q = 3; q < 9; ++q) {
        EXPECT_LT(Amp(q), 1.0) << "quantity " << q;
    }
}

} // namespace
