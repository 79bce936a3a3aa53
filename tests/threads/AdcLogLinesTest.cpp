// The log lines of a real-time acquisition.

#include <gtest/gtest.h>

#include "state/State.h"
#include "threads/AdcThreadLog.h"

namespace {

TEST(AdcLogLines, TimingBeforeAndAfterTheWrap) {
    // Before the wrap: one entry per completed block, the stop time at the newest + 1.
    EXPECT_EQ(adclog::TimingLine({0, 1005, 2010, 3014, 0, 0}, 2, false), "Timing :  1005,  1005,  1004,");
    // After the wrap: block s queued at 1005 s, the stop at 13065 in position 3 (newest 2).
    std::vector<double> times(10);
    for (int p = 0; p < 10; ++p) times[p] = 1005.0 * (p < 3 ? p + 10 : p);
    times[3] = 13065;
    EXPECT_EQ(adclog::TimingLine(times, 2, true),
              "Timing :  -9045,  1005,  1005,  1005,  1005,  1005,  10050,");
    EXPECT_EQ(adclog::TimingLine({0.5, 12.25}, 0, false), "Timing :  11.75,");
}

TEST(AdcLogLines, SetUpAndSummaryLines) {
    ResetSharedState();
    SampleData.DataChannels = 4;
    SampleData.DataGain = 2;
    SampleData.DataRate = 400;
    SampleData.FrameCount = 123;
    AcquisitionSettings.FftBits = 16;
    AnalysisResults.FourierCount = 65536;
    AnalysisResults.AnalysisInterval = 1.52587890625;
    EXPECT_EQ(adclog::FftLine(),
              "БПФ,  30.12.1899,  Bit=16,  Kol=65536,  N=4,  Interval=1.52587890625,  K=2,  NK=123");

    SampleData.DataTime = 45356.5;  // 05.03.2024 12:00:00
    SampleData.SampleCount = 4000000;
    SampleData.FrameCount = 1000000;
    BlockRing.BlockSize = 400000;
    ModuleState.QuevAdcPars.InputFifoLength = 2048;
    EXPECT_EQ(adclog::SummaryLine(10, 9),
              "REAL,  Сбор данных  05.03.2024 12:00:00,  Q=400кГц,  N=4,  K=2,  NB=10,  NBtek=9,  "
              "RBA=400000,  ND=4000000,  NK=1000000,  Fifo=2048");
    ResetSharedState();
}

} // namespace
