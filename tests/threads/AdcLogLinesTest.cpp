// The log lines of a real-time acquisition.

#include <gtest/gtest.h>

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

} // namespace
