// The Fourier series and sequence components of the processing page, driven as the operator does.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "platform/DateTime.h"
#include "tests/window/FuriePageTestSupport.h"

namespace {

constexpr double kPi = std::numbers::pi;

using FuriePageSeries = furie_page_test::FuriePageForm;
using furie_page_test::kNoSuchData;
using furie_page_test::Refusal;

TEST_F(FuriePageSeries, SeriesOfTheTypedWindowIsLoggedStoredAndShown) {
    SampleData.DataTime = platform::EncodeDate(2024, 3, 5) + platform::EncodeTime(14, 7, 9, 0);
    LoadRecord(1, 5000, [](std::int64_t f, int) {
        return static_cast<std::int16_t>(std::lround(1000 * std::sin(2 * kPi * 3 * (f + 1) / 1000 + kPi / 3)));
    });
    form->SpeedButtonFurie->Click();
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(ChartState.DataKind, kKindHarmonics);
    ASSERT_EQ(AnalysisResults.AmpTable.size(), 501u);
    EXPECT_NEAR(Amp(3), 1250.0, 0.1);
    EXPECT_GT(SeriesNo(1).Count(), 0) << "the chart shows the harmonics";
    // The table keeps radians; the phase view shows degrees, as its axis says.
    EXPECT_NEAR(Phase(3), kPi / 3, 1e-3);
    form->RadioButtonFurieFaza->Click();
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.######°");
    ASSERT_EQ(SeriesNo(1).Count(), 501);
    EXPECT_NEAR(SeriesNo(1).YValues()[3] * SeriesNo(1).YMultiplier(), 60.0, 0.05);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Ряд Фурье,  05.03.2024 14:07:09,  Beg=0,  Kol=1000,  "
                                                   "N=1,  Interval=1,  K=0,  NK=5000"});
}

TEST_F(FuriePageSeries, LogarithmicButtonAndPhaseChoiceGiveTheLogarithmicView) {
    LoadRecord(1, 100, Tagged);
    TypeWindow("0", "100");
    form->SpeedButtonFurieSP->Click();
    EXPECT_EQ(ChartState.DataKind, kKindHarmonicsLog);
    form->SpeedButtonDan->Click();
    form->RadioButtonFurieFaza->Click();
    form->SpeedButtonFurie->Click();
    EXPECT_EQ(ChartState.DataKind, kKindHarmonicsLog);
}

TEST_F(FuriePageSeries, RefusedSeriesChangesNothing) {
    LoadRecord(1, 10, Tagged);
    for (const Refusal& r : {Refusal{"0", "50001", "Количество данных не более 50000 !"},
                             Refusal{"1", "10", kNoSuchData}, Refusal{"0", "0", kNoSuchData},
                             Refusal{"-1", "5", "Уберите отрицательные значения!"},
                             Refusal{"0", "1O", "'1O' is not a valid integer value", false}}) {
        ExpectRefused(r, [&] { form->SpeedButtonFurie->Click(); });
    }
    TypeWindow("0", "10");
    form->SpeedButtonFurie->Click();
    EXPECT_TRUE(MessageTexts().empty()) << "a window ending at the last frame is accepted";
}

TEST_F(FuriePageSeries, BalancedPositiveSequenceShowsOnlyOnTheFirstSeries) {
    const double phases[] = {kPi / 6, -kPi / 2, 5 * kPi / 6};
    LoadRecord(3, 400, [&](std::int64_t f, int c) {
        return static_cast<std::int16_t>(std::lround(1000 * std::sin(2 * kPi * (f + 1) / 360 + phases[c])));
    });
    // 18 kHz per channel over 360 frames: 50 Hz per harmonic. The time view's multipliers and
    // formats stand before the press.
    SampleData.DataRate = 54;
    SampleData.DataMvPerCode = 1.25;
    for (ui::Series* series : form->Series) {
        series->SetXMultiplier(1e-5);
        series->SetYMultiplier(1.25);
    }
    form->Chart->BottomAxis().SetValueFormat("# ##0.######с");
    TypeWindow("0", "360");
    form->SpeedButtonPosl->PerformClick();

    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(ChartState.DataKind, kKindSpectrum);
    EXPECT_EQ(form->Chart->TitleText(), "Последовательности:  1)Прямая  2)Нулевая  3)Обратная .");
    ASSERT_EQ(SeriesNo(1).Count(), 180);
    // Shown as the table holds it, in millivolts over hertz.
    EXPECT_DOUBLE_EQ(SeriesNo(1).XValues()[0] * SeriesNo(1).XMultiplier(), 50.0);
    EXPECT_NEAR(SeriesNo(1).YValues()[0] * SeriesNo(1).YMultiplier(), 1250.1, 0.1);
    EXPECT_EQ(form->Chart->BottomAxis().ValueFormat(), "# ##0.###### Гц");
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### мВ");
    for (int s : {2, 3}) {
        ASSERT_EQ(SeriesNo(s).Count(), 180);
        EXPECT_DOUBLE_EQ(SeriesNo(s).XValues()[179] * SeriesNo(s).XMultiplier(), 9000.0);
        for (double y : SeriesNo(s).YValues()) EXPECT_LT(y * SeriesNo(s).YMultiplier(), 0.5);
    }
    // The acquisition page's units change the unit of these millivolts, never rescale them.
    for (const auto& [item, perMillivolt] : {std::pair{2, 0.001}, std::pair{1, 1.0}}) {
        form->ComboBoxY->Select(item);
        EXPECT_NEAR(SeriesNo(1).YValues()[0] * SeriesNo(1).YMultiplier(), 1250.1 * perMillivolt, 0.1 * perMillivolt);
    }
    EXPECT_EQ(LogLines(), std::vector<std::string>{"+0- последовательности,  30.12.1899,  Beg=0,  Kol=360,  "
                                                   "N=3,  Interval=1,  K=0,  NK=400"});
}

TEST_F(FuriePageSeries, SequenceChecksChannelsFirstThenItsLimitThenTheWindow) {
    const auto press = [&] { form->SpeedButtonPosl->PerformClick(); };
    LoadRecord(2, 10, Tagged);
    ExpectRefused({"0", "30000", "Нет 3 каналов данных !"}, press);
    LoadRecord(3, 10, Tagged);
    ExpectRefused({"0", "20001", "Количество данных не более 20000 !"}, press);
    ExpectRefused({"0", "11", kNoSuchData}, press);
    TypeWindow("0", "10");
    press();
    EXPECT_EQ(SeriesNo(1).Count(), 5);
}

}  // namespace
