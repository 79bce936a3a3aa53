#include "window/State.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

class SharedState : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }
};

TEST_F(SharedState, StartsWithNoDataIdleFlagsAndTheMetrologyRate) {
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
    EXPECT_EQ(SampleData.FrameCount, 0);
    EXPECT_EQ(SampleData.SampleCount, 0);
    EXPECT_EQ(SampleData.DataChannels, 0);
    EXPECT_EQ(ThreadControl.AcqIdle, 1);
    EXPECT_EQ(ThreadControl.AcqRunning, 0);
    EXPECT_EQ(ThreadControl.FftRealTime, 0);
    EXPECT_EQ(ThreadControl.AfcRunning, 0);
    EXPECT_EQ(ThreadControl.AfcReport, 0);
    EXPECT_EQ(ThreadControl.AfcFromFile, 0);
    EXPECT_EQ(MetrologySettings.MetAdcRate, 5.0);
    // Without a settings file nothing fills the chosen acquisition settings.
    EXPECT_EQ(AcquisitionSettings.AdcRate, 0.0);
    EXPECT_EQ(AcquisitionSettings.AdcTime, 0.0);
    EXPECT_EQ(AcquisitionSettings.AdcChannels, 0);
    EXPECT_EQ(BlockRing.BlockCount, 0);
    EXPECT_EQ(FrequencyResponse.AfcAdcRate, 0.0);
    EXPECT_EQ(FrequencyResponse.AfcDacRate, 0.0);
}

TEST_F(SharedState, ResetPutsEveryGroupBack) {
    SampleData.SampleBuffer.assign(100, 7);
    SampleData.DataChannels = 4;
    SampleData.FrameCount = 25;
    SampleData.DataFileName = kNotSavedName;
    ChartState.DataKind = kKindSequence;
    AnalysisResults.AmpTable.assign(10, 1.0);
    AnalysisResults.FourierCount = 99;
    AnalysisResults.SequenceTable[3][8][kSequenceHarmonics - 1] = 2.5;
    PowerAnalysis.PowerSeries.assign(4, std::vector<double>(3, 1.0));
    MetrologySettings.MetHarmonics[299] = 1;
    DacPlayback.DacBufferName = "x";
    ThreadControl.AcqIdle = 0;
    ThreadControl.PlaySetup = 1;
    ModuleState.QuevPresent = 1;
    ModuleState.Usb3000Serial[0] = 'A';
    FrequencyResponse.AfcSegmentEnd[4] = 3;

    ResetSharedState();

    EXPECT_TRUE(SampleData.SampleBuffer.empty());
    EXPECT_EQ(SampleData.DataChannels, 0);
    EXPECT_EQ(SampleData.FrameCount, 0);
    EXPECT_TRUE(SampleData.DataFileName.empty());
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
    EXPECT_TRUE(AnalysisResults.AmpTable.empty());
    EXPECT_EQ(AnalysisResults.FourierCount, 0);
    EXPECT_EQ(AnalysisResults.SequenceTable[3][8][kSequenceHarmonics - 1], 0.0);
    EXPECT_TRUE(PowerAnalysis.PowerSeries.empty());
    EXPECT_EQ(MetrologySettings.MetHarmonics[299], 0.0);
    EXPECT_TRUE(DacPlayback.DacBufferName.empty());
    EXPECT_EQ(ThreadControl.AcqIdle, 1);
    EXPECT_EQ(ThreadControl.PlaySetup, 0);
    EXPECT_EQ(ModuleState.QuevPresent, 0);
    EXPECT_EQ(ModuleState.Usb3000Serial[0], '\0');
    EXPECT_EQ(FrequencyResponse.AfcSegmentEnd[4], 0);
}

TEST_F(SharedState, StartupStepsTouchOnlyTheirValues) {
    SampleData.DataChannels = 3;
    SampleData.FrameCount = 10;
    ChartState.DataKind = kKindTimeData;
    ModuleState.Usb3000DacPresent = 1;
    ThreadControl.PlayRunning = 1;
    SetStartupValues();
    EXPECT_EQ(SampleData.DataChannels, 3);
    EXPECT_EQ(SampleData.FrameCount, 0);
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
    EXPECT_EQ(ModuleState.Usb3000DacPresent, 0);
    ThreadControl.AcqIdle = 0;
    ThreadControl.AcqRunning = 1;
    SetStartupRunFlags();
    EXPECT_EQ(ThreadControl.AcqIdle, 1);
    EXPECT_EQ(ThreadControl.AcqRunning, 0);
    EXPECT_EQ(ThreadControl.PlayRunning, 1);
}

TEST_F(SharedState, ValidFramesIsBoundedByTheBufferAndZeroWithoutChannels) {
    SampleData.FrameCount = 10;
    SampleData.SampleBuffer.assign(30, 0);
    EXPECT_EQ(ValidFrames(), 0) << "no channels";
    SampleData.DataChannels = 4;
    EXPECT_EQ(ValidFrames(), 7) << "30 samples hold 7 whole frames of 4 channels";
    SampleData.DataChannels = 3;
    EXPECT_EQ(ValidFrames(), 10);
    SampleData.DataChannels = 2;
    EXPECT_EQ(ValidFrames(), 10) << "FrameCount limits a larger buffer";
    SampleData.FrameCount = -5;
    EXPECT_EQ(ValidFrames(), 0);
}

TEST_F(SharedState, IndexRulesInterleaveByChannelCount) {
    SampleData.DataChannels = 4;
    EXPECT_EQ(SampleIndex(2, 3), 11u);
    EXPECT_EQ(TableIndex(5, 1), 21u);
    EXPECT_EQ(AfcTableIndex(2, 1), 7u);
    EXPECT_EQ(DacPairIndex(3), 6u);
    EXPECT_EQ(WholeFrames(11, 4), 2);
    EXPECT_EQ(WholeFrames(11, 0), 0);
    AnalysisResults.AmpTable.assign(9, 0.0);
    AnalysisResults.PhaseTable.assign(12, 0.0);
    EXPECT_EQ(TableRows(), 2u) << "rows bounded by the shorter table";
}

TEST_F(SharedState, WidthsAreThoseOfTheStoredData) {
    static_assert(sizeof SampleData.DataChannels == 1);
    static_assert(sizeof SampleData.DataGain == 1);
    static_assert(sizeof ChartState.DataKind == 1);
    static_assert(std::is_same_v<decltype(SampleData.SampleBuffer)::value_type, int16_t>);
    static_assert(sizeof AnalysisResults.SequenceTable == 4 * 9 * 20000 * sizeof(double));
    static_assert(sizeof(ByteFlag) == 1);
    EXPECT_STREQ(kNotSavedName, "НЕ СОХРАНЁН !!!");
}

} // namespace
