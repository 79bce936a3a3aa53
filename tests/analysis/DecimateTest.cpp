// Min/max buckets: where the bucket borders fall and which extremes each bucket reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "analysis/Decimate.h"

namespace {

using decimate::Bucket;

std::vector<Bucket> Walk(std::int64_t first, std::int64_t last, int divisions) {
    std::vector<Bucket> buckets;
    decimate::BucketWalk walk(first, last, divisions);
    for (Bucket b; walk.Next(b);) buckets.push_back(b);
    return buckets;
}

TEST(BucketWalk, BordersFollowTheAccumulatedWidthAndBothEndsArePinned) {
    struct Case {
        std::int64_t first, last, bucket, start, end, x;
    };
    const Case cases[] = {
        {0, 2399, 0, 0, 0, 0},          {0, 2399, 1, 1, 2, 2},
        {0, 2399, 1199, 2397, 2398, 2398}, {0, 2399, 1200, 2399, 2399, 2399},
        {0, 2999, 1, 1, 2, 2},          {0, 2999, 2, 3, 5, 5},
        {0, 2999, 1200, 2998, 2999, 2999}, {0, 11999, 0, 0, 4, 0},
        {0, 11999, 1, 5, 14, 10},       {0, 11999, 1200, 11995, 11999, 11999},
        {500, 3499, 0, 500, 500, 500},  {500, 3499, 1200, 3498, 3499, 3499},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last << " bucket " << c.bucket);
        const auto buckets = Walk(c.first, c.last, 1200);
        ASSERT_EQ(buckets.size(), 1201u);
        const Bucket& b = buckets[static_cast<std::size_t>(c.bucket)];
        EXPECT_EQ(b.start, c.start);
        EXPECT_EQ(b.end, c.end);
        EXPECT_EQ(b.x, c.x);
    }
}

TEST(BucketWalk, BucketsTileTheRangeWithoutGapOrOverlapForAnyDivisionCount) {
    for (int divisions : {1000, 1200}) {
        for (std::int64_t n : {2400, 2401, 3001, 7777, 1000003}) {
            SCOPED_TRACE(testing::Message() << n << " frames, " << divisions << " divisions");
            const std::int64_t first = 17;
            const auto buckets = Walk(first, first + n - 1, divisions);
            ASSERT_EQ(buckets.size(), static_cast<std::size_t>(divisions + 1));
            std::int64_t next = first;
            for (const auto& b : buckets) {
                ASSERT_EQ(b.start, next);
                ASSERT_LE(b.start, b.end);
                ASSERT_TRUE(b.x >= b.start && b.x <= b.end);
                next = b.end + 1;
            }
            EXPECT_EQ(next, first + n);
        }
    }
}

TEST(BucketMinMax, AgreesWithAPlainScanForEveryChannelCountAndBucketLength) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> code(-32768, 32767);
    for (int channels = 1; channels <= 16; ++channels) {
        for (std::int64_t frames : {1, 2, 3, 7, 16, 17, 33, 100, 1001}) {
            SCOPED_TRACE(testing::Message() << channels << " channels, " << frames << " frames");
            // The buffer holds exactly the bucket's frames, so a read past the bucket is caught.
            std::vector<std::int16_t> codes(static_cast<std::size_t>(frames * channels));
            for (auto& v : codes) v = static_cast<std::int16_t>(code(rng));
            std::int16_t mins[16], maxs[16];
            decimate::BucketMinMax(codes.data(), channels, 0, frames - 1, mins, maxs);
            for (int c = 0; c < channels; ++c) {
                std::int16_t lowest = codes[c], highest = codes[c];
                for (std::int64_t k = 1; k < frames; ++k) {
                    lowest = std::min(lowest, codes[k * channels + c]);
                    highest = std::max(highest, codes[k * channels + c]);
                }
                ASSERT_EQ(mins[c], lowest);
                ASSERT_EQ(maxs[c], highest);
            }
        }
    }
}

} // namespace
