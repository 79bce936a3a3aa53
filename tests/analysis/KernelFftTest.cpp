#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

#include "analysis/Kernels.h"
#include "state/State.h"

namespace {

class RealTransform : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }

    // 2n random samples laid out as the transform takes them: even samples in WorkRe, odd in
    // WorkIm, from position 1.
    std::vector<double> LoadRandom(size_t n, double scale) {
        std::uniform_real_distribution<double> value(-scale, scale);
        std::vector<double> s(2 * n);
        AnalysisResults.WorkRe.assign(n + 1, 0.0);
        AnalysisResults.WorkIm.assign(n + 1, 0.0);
        for (size_t j = 0; j < n; ++j) {
            s[2 * j] = AnalysisResults.WorkRe[j + 1] = value(random_);
            s[2 * j + 1] = AnalysisResults.WorkIm[j + 1] = value(random_);
        }
        return s;
    }
    static int32_t Bits(size_t n) { return static_cast<int32_t>(std::log2(2.0 * n)); }
    std::mt19937 random_{7};
};

TEST_F(RealTransform, ForwardMatchesTheDiscreteTransformScaledByN) {
    for (size_t n : {2, 4, 8, 64, 1024}) {
        const std::vector<double> s = LoadRandom(n, 1000);
        ASSERT_EQ(RealFFT(static_cast<int32_t>(n), Bits(n), 1), KernelStatus::Done);
        // X_k / n; the mean and the Nyquist term X_n / 2n share position 1.
        auto scaledDft = [&](size_t k) {
            std::complex<double> sum;
            for (size_t t = 0; t < 2 * n; ++t) sum += s[t] * std::polar(1.0, -std::numbers::pi * double(k * t) / double(n));
            return sum / double(k == 0 || k == n ? 2 * n : n);
        };
        EXPECT_NEAR(AnalysisResults.WorkRe[1], scaledDft(0).real(), 1e-9) << "mean, n " << n;
        EXPECT_NEAR(AnalysisResults.WorkIm[1], scaledDft(n).real(), 1e-9) << "Nyquist, n " << n;
        for (size_t k = 1; k < n; ++k) {
            EXPECT_NEAR(AnalysisResults.WorkRe[k + 1], scaledDft(k).real(), 1e-9) << "n " << n << " k " << k;
            EXPECT_NEAR(AnalysisResults.WorkIm[k + 1], scaledDft(k).imag(), 1e-9) << "n " << n << " k " << k;
        }
    }
}

TEST_F(RealTransform, InverseOfForwardGivesTheSamplesBack) {
    for (size_t n : {2, 16, 512, 1 << 15}) {
        LoadRandom(n, 32768);
        const std::vector<double> re = AnalysisResults.WorkRe;
        const std::vector<double> im = AnalysisResults.WorkIm;
        ASSERT_EQ(RealFFT(static_cast<int32_t>(n), Bits(n), 1), KernelStatus::Done);
        ASSERT_EQ(RealFFT(static_cast<int32_t>(n), Bits(n), -1), KernelStatus::Done);
        // The twiddles come by recurrence, one rotation per butterfly: the error grows with n.
        const double tolerance = 32768 * 1e-13 * static_cast<double>(n);
        for (size_t i = 1; i <= n; ++i) {
            ASSERT_NEAR(AnalysisResults.WorkRe[i], re[i], tolerance) << "n " << n << " i " << i;
            ASSERT_NEAR(AnalysisResults.WorkIm[i], im[i], tolerance) << "n " << n << " i " << i;
        }
    }
}

TEST_F(RealTransform, ConstantGivesItsValueAtPositionOneAndExactZerosElsewhere) {
    AnalysisResults.WorkRe.assign(33, 7.0);
    AnalysisResults.WorkIm.assign(33, 7.0);
    ASSERT_EQ(RealFFT(32, 6, 1), KernelStatus::Done);
    EXPECT_EQ(AnalysisResults.WorkRe[1], 7.0);
    for (size_t i = 2; i <= 32; ++i) EXPECT_EQ(AnalysisResults.WorkRe[i], 0.0) << i;
    for (size_t i = 1; i <= 32; ++i) EXPECT_EQ(AnalysisResults.WorkIm[i], 0.0) << i;
}

TEST_F(RealTransform, RefusesSizesItCannotTransformAndLeavesTheArrays) {
    LoadRandom(4, 10);
    const std::vector<double> re = AnalysisResults.WorkRe;
    EXPECT_EQ(RealFFT(1, 1, 1), KernelStatus::BadTransformSize);
    EXPECT_EQ(RealFFT(-4, 3, 1), KernelStatus::BadTransformSize);
    EXPECT_EQ(RealFFT(3, 3, 1), KernelStatus::BadTransformSize);
    EXPECT_EQ(RealFFT(4, 4, 1), KernelStatus::BadTransformSize) << "m must be log2(2n)";
    EXPECT_EQ(RealFFT(8, 4, 1), KernelStatus::BadTransformSize) << "arrays hold 4 positions";
    EXPECT_EQ(AnalysisResults.WorkRe, re);
    EXPECT_EQ(RealFFT(4, 3, 1), KernelStatus::Done);
}

} // namespace
