#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

#include "window/Kernels.h"
#include "window/State.h"

namespace {

constexpr double kPi = std::numbers::pi;

class RealTransform : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }

    // Lays 2n real samples out as the transform takes them: even samples in WorkRe, odd in
    // WorkIm, from position 1.
    static void Load(const std::vector<double>& samples) {
        const size_t n = samples.size() / 2;
        AnalysisResults.WorkRe.assign(n + 1, 0.0);
        AnalysisResults.WorkIm.assign(n + 1, 0.0);
        for (size_t j = 0; j < n; ++j) {
            AnalysisResults.WorkRe[j + 1] = samples[2 * j];
            AnalysisResults.WorkIm[j + 1] = samples[2 * j + 1];
        }
    }
    static int Log2(size_t v) {
        int bits = 0;
        while ((size_t{1} << bits) < v) {
            ++bits;
        }
        return bits;
    }
};

TEST_F(RealTransform, ForwardMatchesTheDiscreteTransformScaledByN) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1000, 1000);
    for (size_t n : {2, 4, 8, 64, 1024}) {
        std::vector<double> s(2 * n);
        for (double& v : s) {
            v = value(random);
        }
        Load(s);
        ASSERT_EQ(RealFFT(static_cast<int32_t>(n), Log2(2 * n), 1), KernelStatus::Done);
        auto dft = [&](size_t k) {
            std::complex<double> sum;
            for (size_t t = 0; t < 2 * n; ++t) {
                sum += s[t] * std::polar(1.0, -2 * kPi * static_cast<double>(k * t) / static_cast<double>(2 * n));
            }
            return sum;
        };
        const double tolerance = 1e-9;
        EXPECT_NEAR(AnalysisResults.WorkRe[1], dft(0).real() / (2 * n), tolerance) << "mean, n " << n;
        EXPECT_NEAR(AnalysisResults.WorkIm[1], dft(n).real() / (2 * n), tolerance) << "Nyquist, n " << n;
        for (size_t k = 1; k < n; ++k) {
            const std::complex<double> expected = dft(k) / static_cast<double>(n);
            EXPECT_NEAR(AnalysisResults.WorkRe[k + 1], expected.real(), tolerance) << "n " << n << " k " << k;
            EXPECT_NEAR(AnalysisResults.WorkIm[k + 1], expected.imag(), tolerance) << "n " << n << " k " << k;
        }
    }
}

TEST_F(RealTransform, InverseOfForwardGivesTheSamplesBack) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> value(-32768, 32767);
    for (size_t n : {2, 16, 512, 1 << 15}) {
        std::vector<double> s(2 * n);
        for (double& v : s) {
            v = value(random);
        }
        Load(s);
        const std::vector<double> re = AnalysisResults.WorkRe;
        const std::vector<double> im = AnalysisResults.WorkIm;
        ASSERT_EQ(RealFFT(static_cast<int32_t>(n), Log2(2 * n), 1), KernelStatus::Done);
        ASSERT_EQ(RealFFT(static_cast<int32_t>(n), Log2(2 * n), -1), KernelStatus::Done);
        // The twiddles come by recurrence, one rotation per group: the error grows with n.
        const double tolerance = 32768 * 1e-13 * static_cast<double>(n);
        for (size_t i = 1; i <= n; ++i) {
            ASSERT_NEAR(AnalysisResults.WorkRe[i], re[i], tolerance) << "n " << n << " i " << i;
            ASSERT_NEAR(AnalysisResults.WorkIm[i], im[i], tolerance) << "n " << n << " i " << i;
        }
    }
}

TEST_F(RealTransform, ConstantGivesItsValueAtPositionOneOnly) {
    Load(std::vector<double>(64, 7.0));
    ASSERT_EQ(RealFFT(32, 6, 1), KernelStatus::Done);
    EXPECT_EQ(AnalysisResults.WorkRe[1], 7.0);
    EXPECT_EQ(AnalysisResults.WorkIm[1], 0.0);
    for (size_t i = 2; i <= 32; ++i) {
        EXPECT_EQ(AnalysisResults.WorkRe[i], 0.0) << i;
        EXPECT_EQ(AnalysisResults.WorkIm[i], 0.0) << i;
    }
}

TEST_F(RealTransform, SineAtABinGivesItsAmplitudeAndPhase) {
    std::vector<double> s(1024);
    for (size_t t = 0; t < s.size(); ++t) {
        s[t] = 1000 * std::sin(2 * kPi * 10 * t / 1024 + kPi / 6) + 200;
    }
    Load(s);
    ASSERT_EQ(RealFFT(512, 10, 1), KernelStatus::Done);
    EXPECT_NEAR(AnalysisResults.WorkRe[11], 500.0, 1e-9);
    EXPECT_NEAR(AnalysisResults.WorkIm[11], -866.0254037844386, 1e-9);
    EXPECT_NEAR(AnalysisResults.WorkRe[1], 200.0, 1e-9);
    EXPECT_NEAR(AnalysisResults.WorkIm[1], 0.0, 1e-9);
    for (size_t i = 2; i <= 512; ++i) {
        if (i != 11) {
            EXPECT_LT(std::hypot(AnalysisResults.WorkRe[i], AnalysisResults.WorkIm[i]), 1e-9) << i;
        }
    }
}

TEST_F(RealTransform, RefusesSizesItCannotTransformAndLeavesTheArrays) {
    Load({1, 2, 3, 4, 5, 6, 7, 8});
    const std::vector<double> re = AnalysisResults.WorkRe;
    EXPECT_EQ(RealFFT(1, 1, 1), KernelStatus::BadTransformSize);
    EXPECT_EQ(RealFFT(0, 0, 1), KernelStatus::BadTransformSize);
    EXPECT_EQ(RealFFT(-4, 3, 1), KernelStatus::BadTransformSize);
    EXPECT_EQ(RealFFT(3, 3, 1), KernelStatus::BadTransformSize);
    EXPECT_EQ(RealFFT(4, 4, 1), KernelStatus::BadTransformSize) << "m must be log2(2n)";
    EXPECT_EQ(RealFFT(8, 4, 1), KernelStatus::BadTransformSize) << "arrays hold 4 positions";
    EXPECT_EQ(AnalysisResults.WorkRe, re);
    EXPECT_EQ(RealFFT(4, 3, 1), KernelStatus::Done);
}

} // namespace
