#include "state/State.h"

#include <gtest/gtest.h>

namespace {

class SharedState : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }
};

TEST_F(SharedState, StartsWithNoDataIdleFlagsAndTheMetrologyRate) {
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
    EXPECT_EQ(SampleData.FrameCount, 0);
    EXPECT_EQ(SampleData.DataChannels, 0);
    EXPECT_EQ(SampleData.DataMvPerCode, 1.25) << "the Quev module's widest range";
    EXPECT_EQ(ThreadControl.AcqIdle, 1);
    EXPECT_EQ(ThreadControl.AcqRunning, 0);
    EXPECT_EQ(MetrologySettings.MetAdcRate, 5.0);
    // Without a settings file nothing fills the chosen acquisition settings.
    EXPECT_EQ(AcquisitionSettings.AdcRate, 0.0);
    EXPECT_EQ(BlockRing.BlockCount, 0);
    EXPECT_EQ(FrequencyResponse.AfcDacRate, 0.0);
}

TEST_F(SharedState, ResetPutsEveryGroupBackAndStartupStepsTouchOnlyTheirValues) {
    SampleData.SampleBuffer.assign(100, 7);
    SampleData.DataChannels = 4;
    SampleData.FrameCount = 25;
    ChartState.DataKind = kKindSequence;
    AnalysisResults.AmpTable.assign(10, 1.0);
    AnalysisResults.SequenceTable[3][8][kSequenceHarmonics - 1] = 2.5;
    ThreadControl.AcqIdle = 0;
    ThreadControl.PlayRunning = 1;
    ModuleState.Usb3000DacPresent = 1;

    SetStartupValues();
    SetStartupRunFlags();
    EXPECT_EQ(SampleData.DataChannels, 4);
    EXPECT_EQ(SampleData.FrameCount, 0);
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
    EXPECT_EQ(ModuleState.Usb3000DacPresent, 0);
    EXPECT_EQ(ThreadControl.AcqIdle, 1);
    EXPECT_EQ(ThreadControl.PlayRunning, 1) << "playback flags are not part of the start-up";

    ResetSharedState();
    EXPECT_TRUE(SampleData.SampleBuffer.empty());
    EXPECT_EQ(SampleData.DataChannels, 0);
    EXPECT_TRUE(AnalysisResults.AmpTable.empty());
    EXPECT_EQ(AnalysisResults.SequenceTable[3][8][kSequenceHarmonics - 1], 0.0);
    EXPECT_EQ(ThreadControl.PlayRunning, 0);
    EXPECT_EQ(ThreadControl.AcqIdle, 1);
}

TEST_F(SharedState, ReadersAreBoundedByWhatTheBuffersHold) {
    SampleData.FrameCount = 10;
    SampleData.SampleBuffer.assign(30, 0);
    EXPECT_EQ(ValidFrames(), 0) << "no channels";
    SampleData.DataChannels = 4;
    EXPECT_EQ(ValidFrames(), 7) << "30 samples hold 7 whole frames of 4 channels";
    SampleData.DataChannels = 2;
    EXPECT_EQ(ValidFrames(), 10) << "FrameCount limits a larger buffer";
    SampleData.FrameCount = -5;
    EXPECT_EQ(ValidFrames(), 0);

    AnalysisResults.AmpTable.assign(9, 0.0);
    AnalysisResults.PhaseTable.assign(12, 0.0);
    SampleData.DataChannels = 4;
    EXPECT_EQ(TableRows(), 2u) << "rows bounded by the shorter table";
    EXPECT_EQ(AfcTableIndex(2, 1), 7u) << "sweep tables hold one column per channel after the first";
}

} // namespace

namespace {

TEST(RangeSteps, EachRangeIsFourTimesFinerAndACodeNamingNoRangeScalesAsTheWidest) {
    const std::pair<int, double> cases[] = {{0, 1.25},  {1, 0.3125}, {2, 0.078125}, {3, 0.01953125},
                                            {4, 1.25},  {255, 1.25}, {-1, 1.25}};
    for (const auto& [code, scaled] : cases) {
        EXPECT_EQ(DividedByRangeSteps(1.25, code), scaled) << code;
        // The Quev module's scale is that arithmetic exactly, so that its tables keep their bits.
        EXPECT_EQ(QuevMvPerCode(code), scaled) << code;
    }
}

}  // namespace
