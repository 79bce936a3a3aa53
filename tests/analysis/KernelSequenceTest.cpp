#include <gtest/gtest.h>

#include <array>
#include <numbers>
#include <string>
#include <utility>

#include "analysis/Kernels.h"
#include "state/State.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180;

class SequenceComponents : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }

    // Harmonic 1 of phases a, b, c on channels first to first + 2 of a record of `channels`,
    // amplitude and phase in degrees, as a decomposition leaves it; every other entry holds a
    // value of its own, so that one read from the wrong row or channel shows.
    static void SetHarmonic1(std::array<double, 3> amp, std::array<double, 3> deg, uint8_t channels = 3,
                             uint8_t first = 0) {
        SampleData.DataChannels = channels;
        AnalysisResults.FourierCount = 2;
        AnalysisResults.AmpTable.assign(2u * channels, 0.0);
        AnalysisResults.PhaseTable.assign(2u * channels, 0.0);
        for (size_t i = 0; i < AnalysisResults.AmpTable.size(); ++i) {
            AnalysisResults.AmpTable[i] = 1000.0 + 10.0 * static_cast<double>(i);
            AnalysisResults.PhaseTable[i] = 0.1 * static_cast<double>(i);
        }
        for (size_t p = 0; p < 3; ++p) {
            AnalysisResults.AmpTable[TableIndex(1, first + p)] = amp[p];
            AnalysisResults.PhaseTable[TableIndex(1, first + p)] = deg[p] * kDeg;
        }
        ASSERT_EQ(CalcSequenceComponents(first, first + 1, first + 2), KernelStatus::Done);
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
    // Three channels of their own, and the voltages of an eight-channel record as the power page
    // takes them.
    const std::pair<uint8_t, uint8_t> layouts[] = {{3, 0}, {8, 3}};
    for (const auto& [channels, first] : layouts) {
        for (const Case& c : cases) {
            SetHarmonic1(c.amp, c.deg, channels, first);
            for (int q = 0; q < 9; ++q) {
                SCOPED_TRACE(std::to_string(channels) + " channels, phase b at " + std::to_string(c.deg[1]) +
                             ", quantity " + std::to_string(q));
                EXPECT_NEAR(AnalysisResults.SequenceTable[2][q][0], c.expected[q][0], 1e-9);
                if (c.expected[q][0] > 0) {
                    EXPECT_NEAR(AnalysisResults.SequenceTable[3][q][0] / kDeg, c.expected[q][1], 1e-9);
                }
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
