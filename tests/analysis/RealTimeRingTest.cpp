// Block geometry and the live spectrum of the real-time acquisition.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/RealTimeRing.h"

namespace {

TEST(RealTimeRing, BlockSizesAndTimeOutsOfBothModules) {
    struct Case {
        bool usb3000;
        double rate;
        int channels;
        int64_t block;
        int32_t timeout;
    };
    const Case cases[] = {
        {false, 5, 1, 5024, 2004},     {false, 5, 3, 5088, 2017},      {false, 5, 4, 5120, 2024},
        {false, 5, 16, 5120, 2024},    {false, 400, 4, 400000, 2000},  {false, 400, 3, 400032, 2000},
        {false, 375, 16, 375296, 2000},
        {true, 5, 1, 6144, 2228},      {true, 7, 1, 12288, 2755},      {true, 100, 16, 104448, 2044},
        {true, 3000, 16, 3004416, 2001},
        // Blocks of whole frames where 6144 x k is not one: multiples of lcm(6144, N).
        {true, 7, 5, 30720, 5388},     {true, 3000, 15, 3010560, 2003}, {true, 3000, 9, 3004416, 2001},
        {true, 1000, 9, 1013760, 2013},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " kHz, " << c.channels << " channels");
        const int64_t block = c.usb3000 ? ring::Usb3000BlockSize(c.rate, c.channels)
                                        : ring::QuevBlockSize(c.rate, c.channels);
        EXPECT_EQ(block, c.block);
        EXPECT_EQ(block % c.channels, 0);
        EXPECT_GT(block, c.rate * 1000 - 1);
        EXPECT_EQ(ring::BlockTimeoutMs(block, c.rate), c.timeout);
    }
}

TEST(RealTimeRing, ResamplingReadsOnlyCompletedFramesOfTheRing) {
    // Two channels, frames 0 .. 99 complete and frames 100 on the block in flight: the last
    // second (0.08 kHz x 1000 / 2 = 40 frames) is resampled from frame 60.
    const int channels = 2;
    std::vector<int16_t> codes(2 * 120, 30000);
    for (int k = 0; k < 100; ++k) {
        codes[2 * k] = static_cast<int16_t>(10 * k);
        codes[2 * k + 1] = -1;
    }
    const int fftSize = 8;
    std::vector<double> re(fftSize), im(fftSize);
    ASSERT_TRUE(ring::ResampleLastSecond(codes.data(), channels, 0, 100, 0.08, 2.5, fftSize,
                                         re.data(), im.data()));
    // Point m at frame 60 + 2.5 m: 10 codes per frame.
    EXPECT_EQ(re[0], 600);
    EXPECT_EQ(im[0], 625);
    EXPECT_EQ(re[7], 600 + 10 * 2.5 * 14);
    EXPECT_EQ(im[7], 975);  // frame 97.5, between 97 and 98
    ASSERT_TRUE(ring::ResampleLastSecond(codes.data(), channels, 1, 100, 0.08, 2.5, fftSize,
                                         re.data(), im.data()));
    EXPECT_EQ(re[3], -1);

    // At 1.3 frames a point the last points lie at and past frame 99: from there on the value is
    // frame 99's, never one of the block in flight.
    std::vector<double> late(16), lateIm(16);
    ASSERT_TRUE(ring::ResampleLastSecond(codes.data(), channels, 0, 100, 0.08, 1.3, 16,
                                         late.data(), lateIm.data()));
    for (int m = 0; m < 32; ++m) {
        const double frame = 60 + 1.3 * m;
        const double value = (m % 2 == 0 ? late : lateIm)[static_cast<size_t>(m / 2)];
        EXPECT_NEAR(value, 10 * std::min(frame, 99.0), 1e-9) << "point " << m;
    }

    // A second that would start before the ring is refused.
    EXPECT_FALSE(ring::ResampleLastSecond(codes.data(), channels, 0, 30, 0.08, 2.5, fftSize,
                                          re.data(), im.data()));
}

// The amplitude of bin j of the 2n points x, straight from the definition: |sum x_p e^(-2 pi i j p / 2n)| / n.
double BinAmplitude(const std::vector<double>& x, int32_t j) {
    const size_t points = x.size();
    double re = 0;
    double im = 0;
    for (size_t p = 0; p < points; ++p) {
        const double angle = 2 * std::numbers::pi * static_cast<double>((static_cast<size_t>(j) * p) % points) /
                             static_cast<double>(points);
        re += x[p] * std::cos(angle);
        im -= x[p] * std::sin(angle);
    }
    return std::hypot(re, im) / static_cast<double>(points / 2);
}

TEST(RealTimeRing, LiveSpectrumOfEveryChannelIsTheTransformOfItsLastSecond) {
    // 16 channels of noise, 3 blocks of 1 s at 64 kHz, the ring complete up to frame 8000: the
    // last second of each channel (4000 frames from frame 4000) at 4000 / 4096 frames a point.
    const int channels = 16;
    const double rate = 64;
    const int32_t fftSize = 2048, bits = 12;
    const double interval = 500 * rate / fftSize / channels;
    std::vector<int16_t> codes(3 * 64000);
    uint32_t seed = 7;
    for (int16_t& code : codes) {
        seed = seed * 1664525u + 1013904223u;
        code = static_cast<int16_t>(seed >> 20);
    }
    const double end = 2.0 * 64000 / channels;
    const size_t table = static_cast<size_t>(fftSize + 1) * channels;
    std::vector<double> amp(table, -1), phase(table, -1);
    const int32_t first = 3, last = 1500;
    ring::SpectrumJob job{codes.data(), channels, end, rate, interval, fftSize, bits, first, last};
    ASSERT_TRUE(ring::LiveSpectrum(job, amp, phase));

    const std::vector<int32_t> bins = {0, 1, 2, 3, 4, 5, 100, 511, 1024, 1337, 1499, 1500, 1501, 2047};
    for (int k = 0; k < channels; ++k) {
        SCOPED_TRACE(testing::Message() << "channel " << k);
        // Linear interpolation between the frames around each point, the last one at frame 7999.
        std::vector<double> points(2 * static_cast<size_t>(fftSize));
        for (size_t p = 0; p < points.size(); ++p) {
            const double t = 4000 + static_cast<double>(p) * interval;
            const auto below = std::min<int64_t>(static_cast<int64_t>(t), 7999);
            const auto above = std::min<int64_t>(below + 1, 7999);
            const double a = codes[static_cast<size_t>(below * channels + k)];
            const double b = codes[static_cast<size_t>(above * channels + k)];
            points[p] = a + (t - std::floor(t)) * (b - a);
        }
        for (int32_t j : bins) {
            const double got = amp[static_cast<size_t>(j) * channels + static_cast<size_t>(k)];
            if (j < first || j > last) {
                EXPECT_EQ(got, -1) << "bin " << j << " lies outside the asked range";
            } else {
                EXPECT_NEAR(got, BinAmplitude(points, j), 1e-9) << "bin " << j;
            }
        }
        EXPECT_EQ(amp[static_cast<size_t>(fftSize) * channels + static_cast<size_t>(k)], 0);
        EXPECT_EQ(phase[static_cast<size_t>(fftSize) * channels + static_cast<size_t>(k)], 0);
    }
}

} // namespace
