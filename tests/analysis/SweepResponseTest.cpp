// The plain arithmetic of a recorded sweep's response.

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/SweepResponse.h"

namespace {

constexpr double kNotedStart = 11.5932986478377;

TEST(SweepArithmetic, StepWindowsArePeriodsCentredOnTheirStepAndNeverBelowOneFrame) {
    const auto at10 = StepWindow(SweepStepFrequency(kNotedStart, 10), 10, 1024);
    ASSERT_TRUE(at10);
    EXPECT_EQ(at10->period, 86);
    EXPECT_EQ(at10->first, 981);
    const auto at15 = StepWindow(SweepStepFrequency(kNotedStart, 15), 15, 1024);
    ASSERT_TRUE(at15);
    EXPECT_EQ(at15->period, 85);
    EXPECT_EQ(at15->first, 1493);
    for (double frequency : {1025.0, 0.0, -1.0, std::nan("")}) EXPECT_FALSE(StepWindow(frequency, 10, 1024)) << frequency;
    EXPECT_TRUE(StepWindow(1024, 10, 1024));

    for (int bin : {11, 15, 27, 34}) EXPECT_TRUE(PeakCountsTowardStart(bin)) << bin;
    for (int bin : {10, 16, 26, 35}) EXPECT_FALSE(PeakCountsTowardStart(bin)) << bin;
}

}  // namespace
