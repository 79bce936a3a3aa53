#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "window/Decimate.h"

namespace {

using decimate::Bucket;
using decimate::BucketWalk;

std::vector<Bucket> Walk(std::int64_t first, std::int64_t last, int divisions) {
    std::vector<Bucket> buckets;
    BucketWalk walk(first, last, divisions);
    Bucket b;
    while (walk.Next(b)) buckets.push_back(b);
    return buckets;
}

void ExpectBucket(const Bucket& b, std::int64_t start, std::int64_t end, std::int64_t x) {
    EXPECT_EQ(b.start, start);
    EXPECT_EQ(b.end, end);
    EXPECT_EQ(b.x, x);
}

TEST(BucketWalk, TwoThousandFourHundredFramesGiveTwoFrameBucketsPinnedAtBothEnds) {
    const auto buckets = Walk(0, 2399, 1200);
    ASSERT_EQ(buckets.size(), 1201u);
    ExpectBucket(buckets[0], 0, 0, 0);
    for (std::int64_t b = 1; b < 1200; ++b) ExpectBucket(buckets[b], 2 * b - 1, 2 * b, 2 * b);
    ExpectBucket(buckets[1200], 2399, 2399, 2399);
}

TEST(BucketWalk, FractionalWidthAccumulatesBucketBorders) {
    const auto buckets = Walk(0, 2999, 1200);
    ASSERT_EQ(buckets.size(), 1201u);
    ExpectBucket(buckets[1], 1, 2, 2);
    ExpectBucket(buckets[2], 3, 5, 5);
    ExpectBucket(buckets[1200], 2998, 2999, 2999);

    const auto wide = Walk(0, 11999, 1200);
    ExpectBucket(wide[0], 0, 4, 0);
    ExpectBucket(wide[1], 5, 14, 10);
    ExpectBucket(wide[1200], 11995, 11999, 11999);
}

TEST(BucketWalk, BucketsTileTheRangeWithoutGapOrOverlapForAnyDivisionCount) {
    for (int divisions : {1000, 1200}) {
        for (std::int64_t n : {2400, 2401, 3001, 7777, 1000003}) {
            const std::int64_t first = 17;
            const auto buckets = Walk(first, first + n - 1, divisions);
            ASSERT_EQ(buckets.size(), static_cast<std::size_t>(divisions + 1));
            std::int64_t next = first;
            for (const auto& b : buckets) {
                ASSERT_EQ(b.start, next) << "n=" << n << " divisions=" << divisions;
                ASSERT_LE(b.start, b.end);
                ASSERT_GE(b.x, b.start);
                ASSERT_LE(b.x, b.end);
                next = b.end + 1;
            }
            EXPECT_EQ(next, first + n);
        }
    }
}

// Reference: the plain per-channel scan the routine must agree with.
void NaiveMinMax(const std::vector<std::int16_t>& codes, int channels, std::int64_t start,
                 std::int64_t end, std::int16_t* mins, std::int16_t* maxs) {
    for (int c = 0; c < channels; ++c) {
        mins[c] = maxs[c] = codes[start * channels + c];
        for (std::int64_t k = start + 1; k <= end; ++k) {
            mins[c] = std::min(mins[c], codes[k * channels + c]);
            maxs[c] = std::max(maxs[c], codes[k * channels + c]);
        }
    }
}

TEST(BucketMinMax, AgreesWithPlainScanForEveryChannelCountAndBucketLength) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> code(-32768, 32767);
    for (int channels = 1; channels <= 16; ++channels) {
        for (std::int64_t frames : {1, 2, 3, 7, 16, 17, 33, 100, 1001}) {
            // The buffer holds exactly the bucket's frames, so a read past the bucket is caught.
            std::vector<std::int16_t> codes(static_cast<std::size_t>(frames * channels));
            for (auto& v : codes) v = static_cast<std::int16_t>(code(rng));
            std::int16_t mins[16], maxs[16], wantMins[16], wantMaxs[16];
            decimate::BucketMinMax(codes.data(), channels, 0, frames - 1, mins, maxs);
            NaiveMinMax(codes, channels, 0, frames - 1, wantMins, wantMaxs);
            for (int c = 0; c < channels; ++c) {
                ASSERT_EQ(mins[c], wantMins[c]) << channels << " channels, " << frames << " frames";
                ASSERT_EQ(maxs[c], wantMaxs[c]) << channels << " channels, " << frames << " frames";
            }
        }
    }
}

} // namespace
