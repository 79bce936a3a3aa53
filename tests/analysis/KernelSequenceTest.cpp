#include <gtest/gtest.h>

#include <array>
#include <numbers>
#include <string>

#include "analysis/Kernels.h"
#include "state/State.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;

class SequenceComponents : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }

    // Harmonic 1 of three channels, amplitude and phase in degrees, as a decomposition leaves it.
    static void SetHarmonic1(std::array<double, 3> amp, std::array<double, 3> deg) {
        SampleData.DataChannels = 3;
        AnalysisResults.FourierCount = 2;
        AnalysisResults.AmpTable = {0, 0, 0, amp[0], amp[1], amp[2]};
        AnalysisResults.PhaseTable = {0, 0, 0, deg[0] * kDeg, deg[1] * kDeg, deg[2] * kDeg};
        ASSERT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::Done);
    }
};

TEST_F(SequenceComponents, EachSequenceIsSeenInEveryPhaseWithItsRotation) {
    struct Case {
        std::array<double, 3> amp, deg;
        double expected[9][2];  // amplitude, degrees; a zero amplitude has no phase to check
    };
    const Case cases[] = {
        {{100, 100, 100}, {30, 270, 150}, {{100, 30}, {100, 270}, {100, 150}}},  // positive set
        {{100, 100, 100}, {30, 150, 270}, {{}, {}, {}, {}, {}, {}, {100, 30}, {100, 150}, {100, 270}}},
        {{90, 0, 0}, {30, 0, 0},  // phase a alone: a third in every quantity
         {{30, 30}, {30, 270}, {30, 150}, {30, 30}, {30, 30}, {30, 30}, {30, 30}, {30, 150}, {30, 270}}},
    };
    for (const Case& c : cases) {
        SetHarmonic1(c.amp, c.deg);
        for (int q = 0; q < 9; ++q) {
            SCOPED_TRACE("phase b at " + std::to_string(c.deg[1]) + ", quantity " + std::to_string(q));
            EXPECT_NEAR(AnalysisResults.SequenceTable[2][q][0], c.expected[q][0], 1e-9);
            if (c.expected[q][0] > 0) {
                EXPECT_NEAR(AnalysisResults.SequenceTable[3][q][0] / kDeg, c.expected[q][1], 1e-9);
            }
        }
    }
}

TEST_F(SequenceComponents, NoRealPartGivesPhaseZero) {
    // a and b cancel exactly in the real part; the imaginary residue of sin(π) stays.
    SetHarmonic1({100, 100, 0}, {0, 180, 0});
    ASSERT_EQ(AnalysisResults.SequenceTable[0][3][0], 0.0);
    ASSERT_NE(AnalysisResults.SequenceTable[1][3][0], 0.0);
    EXPECT_EQ(AnalysisResults.SequenceTable[3][3][0], 0.0);
}

TEST_F(SequenceComponents, RefusalsLeaveTheTableAlone) {
    SetHarmonic1({100, 100, 100}, {30, 270, 150});
    ChartState.YMultiplier = 3;
    AnalysisResults.SequenceTable[2][0][0] = 5;
    EXPECT_EQ(CalcSequenceComponents(0, 1, 3), KernelStatus::ChannelOutOfRange);
    AnalysisResults.FourierCount = 4;  // needs rows 0 to 2, the tables hold 2
    EXPECT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::TablesMissing);
    AnalysisResults.FourierCount = 2 * kSequenceHarmonics + 2;
    AnalysisResults.AmpTable.assign(3 * (kSequenceHarmonics + 2), 1.0);
    AnalysisResults.PhaseTable.assign(3 * (kSequenceHarmonics + 2), 1.0);
    EXPECT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::TooManyHarmonics);
    EXPECT_EQ(AnalysisResults.SequenceTable[2][0][0], 5);
    EXPECT_EQ(ChartState.YMultiplier, 3);
    AnalysisResults.FourierCount = 2 * kSequenceHarmonics + 1;  // exactly the table's room
    EXPECT_EQ(CalcSequenceComponents(0, 1, 2), KernelStatus::Done);
    EXPECT_NEAR(AnalysisResults.SequenceTable[2][3][kSequenceHarmonics - 1], 1.0, 1e-12);
}

} // namespace
