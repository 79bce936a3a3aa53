// The transform of the processing page: sizing, resampling, what it stores and what it refuses.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "tests/window/FuriePageTestSupport.h"

namespace {

constexpr double kPi = std::numbers::pi;

class FuriePageFft : public furie_page_test::FuriePageForm {
protected:
    void SetUp() override {
        FuriePageForm::SetUp();
        // The resampled values are in the unit the chart's multiplier was last left at.
        ChartState.YMultiplier = 1.25;
    }
    void Transform(const std::string& first, const std::string& count) {
        TypeWindow(first, count);
        form->SpeedButtonFFT->Click();
    }
};

TEST_F(FuriePageFft, WindowIsResampledToThePowerOfTwoAboveIt) {
    struct Case {
        int count;
        int power;
        double interval;
    };
    LoadRecord(1, (1 << 20) + 2, [](std::int64_t, int) { return std::int16_t{40}; });
    for (const Case& c : {Case{2, 10, 2.0 / 1024}, Case{513, 10, 513.0 / 1024}, Case{1000, 10, 0.9765625},
                          Case{1024, 10, 1.0}, Case{1025, 11, 1025.0 / 2048},
                          Case{(1 << 20) + 1, 20, 1.0000009536743164}}) {
        SCOPED_TRACE(c.count);
        Transform("0", std::to_string(c.count));
        const int n = 1 << (c.power - 1);
        EXPECT_EQ(AnalysisResults.FftPower, c.power);
        EXPECT_EQ(AnalysisResults.FftSize, n);
        EXPECT_EQ(AnalysisResults.FourierCount, 2 * n);
        EXPECT_DOUBLE_EQ(AnalysisResults.AnalysisInterval, c.interval);
        EXPECT_EQ(AnalysisResults.AmpTable.size(), static_cast<size_t>(n) + 1);
        EXPECT_DOUBLE_EQ(Amp(0), 50.0);
    }
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_TRUE(AnalysisResults.WorkRe.empty() && AnalysisResults.WorkIm.empty());
}

TEST_F(FuriePageFft, SineAtBinTenGivesItsAmplitudeAndPhaseFromTheFirstSample) {
    LoadRecord(2, 1125, [](std::int64_t t, int c) {
        const double amplitude = c == 0 ? 1000 : 400;
        return static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * kPi * 10 * t / 1024 + kPi / 6)) + 200);
    });
    // 100 frames later the sine has turned on by 10 x 100 / 1024 periods.
    for (const auto& [first, phase] : {std::pair{"0", 30.0}, std::pair{"100", 30.0 + 3600.0 * 100 / 1024 - 360}}) {
        SCOPED_TRACE(first);
        Transform(first, "1024");
        EXPECT_EQ(ChartState.DataKind, kKindHarmonics);
        ASSERT_EQ(AnalysisResults.AmpTable.size(), 513u * 2);
        EXPECT_NEAR(Amp(10, 0), 1250.0, 0.2);
        EXPECT_NEAR(Phase(10, 0), phase, 0.01);
        EXPECT_NEAR(Amp(10, 1), 500.0, 0.2);
        EXPECT_NEAR(Amp(0), 250.0, 1e-9);
        EXPECT_NEAR(Phase(0), 90.0, 1e-9);
        EXPECT_LT(Amp(9) + Amp(11) + Amp(511), 0.3);
        EXPECT_EQ(Amp(512), 0.0);
    }
}

TEST_F(FuriePageFft, InterpolationBetweenFramesKeepsARamp) {
    LoadRecord(1, 1001, [](std::int64_t f, int) { return static_cast<std::int16_t>(f); });
    Transform("0", "1000");
    EXPECT_NEAR(Amp(0), 624.38995, 1e-4);
    EXPECT_NEAR(Phase(0), 89.94399, 1e-4);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Ряд Фурье,  30.12.1899,  Beg=0,  Kol=1024,  N=1,  "
                                                   "Interval=0.9765625,  K=0,  NK=1001"});
}

TEST_F(FuriePageFft, RefusesWindowsWithoutTheFrameAfterThemOrBelowTwoFrames) {
    using furie_page_test::kNoSuchData;
    LoadRecord(1, 1000, Tagged);
    const auto press = [&] { form->SpeedButtonFFT->Click(); };
    for (const furie_page_test::Refusal& r :
         {furie_page_test::Refusal{"0", "1000", kNoSuchData}, {"-1", "10", "Уберите отрицательные значения!"},
          {"0", "-10", "Уберите отрицательные значения!"}, {"0", "1", kNoSuchData}, {"0", "0", kNoSuchData},
          {"2147483647", "5", kNoSuchData}}) {
        ExpectRefused(r, press);
    }
    Transform("0", "999");
    EXPECT_TRUE(MessageTexts().empty());
}

}  // namespace
