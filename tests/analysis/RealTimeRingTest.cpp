// Block geometry and the live spectrum of the real-time acquisition.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/Kernels.h"
#include "analysis/RealTimeRing.h"
#include "state/State.h"

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
    // Two channels, frames 0 .. 99 complete, the buffer exactly that long: the last second
    // (40 frames at 80 kHz... here 0.08 kHz x 1000 / 2 = 40 frames) is resampled at 2.5 frames a
    // point, so the last point's upper neighbour would be frame 100, past the buffer.
    const int channels = 2;
    std::vector<int16_t> codes(200);
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

    // At the end of the ring the last point lies in the last frame: the neighbour is held.
    std::vector<double> late(16), lateIm(16);
    ASSERT_TRUE(ring::ResampleLastSecond(codes.data(), channels, 0, 100, 0.08, 1.3, 16,
                                         late.data(), lateIm.data()));
    EXPECT_LE(*std::max_element(lateIm.begin(), lateIm.end()), 990);

    // A second that would start before the ring is refused.
    EXPECT_FALSE(ring::ResampleLastSecond(codes.data(), channels, 0, 30, 0.08, 2.5, fftSize,
                                          re.data(), im.data()));
}

TEST(RealTimeRing, LiveSpectrumOfEveryChannelIsTheTransformOfItsResampledSecond) {
    // 16 channels of noise, 3 blocks of 1 s at 64 kHz: the spread over threads changes nothing.
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
    ring::SpectrumJob job{codes.data(), channels, end, rate, interval, fftSize, bits, 3, 1500};
    ASSERT_TRUE(ring::LiveSpectrum(job, amp, phase));

    ResetSharedState();
    AnalysisResults.WorkRe.assign(fftSize + 1, 0);
    AnalysisResults.WorkIm.assign(fftSize + 1, 0);
    for (int k = 0; k < channels; ++k) {
        ASSERT_TRUE(ring::ResampleLastSecond(codes.data(), channels, k, end, rate, interval, fftSize,
                                             AnalysisResults.WorkRe.data() + 1, AnalysisResults.WorkIm.data() + 1));
        ASSERT_EQ(RealFFT(fftSize, bits, 1), KernelStatus::Done);
        for (int32_t j = 0; j < fftSize; ++j) {
            const size_t at = static_cast<size_t>(j) * channels + k;
            const double re = AnalysisResults.WorkRe[static_cast<size_t>(j) + 1];
            const double im = AnalysisResults.WorkIm[static_cast<size_t>(j) + 1];
            const double expected = j >= 3 && j <= 1500 ? std::sqrt(re * re + im * im) : -1;
            ASSERT_EQ(amp[at], expected) << "channel " << k << " bin " << j;
        }
        ASSERT_EQ(amp[static_cast<size_t>(fftSize) * channels + k], 0);
        ASSERT_EQ(phase[static_cast<size_t>(fftSize) * channels + k], 0);
    }
    ResetSharedState();
}

} // namespace
