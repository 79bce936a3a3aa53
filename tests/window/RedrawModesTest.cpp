// What every redraw does first, and each display mode's title, axes and multipliers.

#include <string>
#include <utility>

#include "platform/InOutError.h"
#include "tests/window/RedrawTestForm.h"
#include "window/AxisUnits.h"
#include "window/Redraw.h"

namespace {

using namespace std::string_literals;

class RedrawModes : public redraw_test::RedrawForm {
protected:
    void SetUp() override {
        RedrawForm::SetUp();
        SampleData.DataFileName = kNotSavedName;
        SampleData.DataRate = 400;
        SampleData.DataGain = 1;
        LoadRecord(4, 1000, Tagged);
        SampleData.DataMvPerCode = 0.3125;
        FrequencyResponse.AfcFreqBegin = 5;
        FrequencyResponse.AfcFreqEnd = 80;
        FrequencyResponse.AfcSteps = 4;
        AnalysisResults.FourierFirst = 7;
        AnalysisResults.FourierCount = 1000;
        AnalysisResults.AnalysisInterval = 2;
        PowerAnalysis.PowerWindow = 300;
    }
    std::string StatusText(int panel) const { return form->StatusBar->Panel(panel).Text; }
};

constexpr const char* kHead = "Файл :  НЕ СОХРАНЁН !!!     30.12.1899";
constexpr const char* kRecord = "400 кГц   4 кан. по 1000   усиление 1";
constexpr const char* kSweep = "5 Гц  по  80 Гц ,   4 шт.";
constexpr const char* kWindow = "7  в кол-ве 1000 шт.";

TEST(GroupedDigits, BlankFollowsEveryCharacterThatHasAMultipleOfThreeAfterIt) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {1234567, "1 234 567 "}, {12, "12 "}, {1000, "1 000 "},
        {123, "123 "}, {4294967296, "4 294 967 296 "}, {-1, "-1 "}};
    for (const auto& [value, text] : cases) EXPECT_EQ(redraw::GroupedDigits(value), text);
}

TEST_F(RedrawModes, ModesWithoutDrawingRefreshTheStatusBarAndEmptyTheChartOnly) {
    machine->disk = -1;
    for (std::uint8_t kind : {kKindEmpty, kKindPhaseVoltages, std::uint8_t{25}}) {
        SCOPED_TRACE(int(kind));
        form->Chart->SetTitleText("before");
        form->Chart->LeftAxis().SetLogarithmic(true);
        SeriesNo(1).AddXY(1, 1);
        SeriesNo(1).SetXMultiplier(3);
        ChartState.DataKind = kind;
        RedrawChart();
        EXPECT_EQ(StatusText(1), "Свободно ОЗУ :  1 234 567 байт");
        EXPECT_EQ(StatusText(2), "Свободно ПЗУ ( C:/ ) :  -1 байт");
        EXPECT_EQ(SeriesNo(1).Count(), 0);
        EXPECT_EQ(form->Chart->TitleText(), "before");
        EXPECT_TRUE(form->Chart->LeftAxis().Logarithmic());
        EXPECT_EQ(SeriesNo(1).XMultiplier(), 3);
    }
}

TEST_F(RedrawModes, EachModeTitlesScalesAndFormatsTheChartItsOwnWay) {
    struct Mode {
        std::uint8_t kind;
        std::string titleTail; // after the file head; empty for titles of their own
        const char* bottomFormat;
        const char* leftFormat;
        double x, y;           // multipliers of the scaled series
        double xState;         // XMultiplier afterwards: 0.25 when the mode leaves it alone
        int scaled;            // series given the multipliers, from Series1 on
        bool leftAutomatic, bottomLogarithmic;
    };
    const char* sec = "# ##0.######с";
    const char* mv = "# ##0.###### мВ";
    const char* hz = "# ##0.###### Гц";
    const char* deg = "# ##0.######°";
    const std::string harmonics = "     АМПЛИТУДЫ :  с 7  в кол-ве 1000 шт.  инт. 2";
    const double playbackX = 1.0 / 15000;
    form->ComboBoxX->SetItemIndex(2);
    form->ComboBoxY->SetItemIndex(1);
    const Mode modes[] = {
        {1, "     Сбор данных :  "s + kRecord, sec, mv, 1e-5, 0.3125, 1e-5, 16, false, false},
        {2, "     Данные для АЧХ и ФЧХ :  "s + kRecord, sec, mv, 1e-5, 0.3125, 1e-5, 16, true,
         true},
        {3, "     АЧХ :  с  "s + kSweep, hz, "# ##0.###### дБ", 1, 1, 0.25, 16, true, true},
        {4, "     ФЧХ :  с  "s + kSweep, hz, deg, 1, 1, 0.25, 16, true, true},
        {5, "     АМПЛИТУДЫ :  с  "s + kSweep, hz, mv, 1, 1, 0.25, 16, true, true},
        {6, "     ФАЗЫ :  с  "s + kSweep, hz, deg, 1, 1, 0.25, 16, true, true},
        {7, harmonics, hz, mv, 50, 1, 0.25, 16, true, false},
        {8, harmonics, hz, "# ##0.###### g^2/Hz", 50, 1, 0.25, 16, true, true},
        {10, "     ТОКИ", sec, "# ##0.###### A", 1e-5, 0.003125, 1e-5, 16, true, false},
        {11, "     НАПРЯЖЕНИЯ", sec, "# ##0.###### В", 1e-5, 0.03125, 1e-5, 16, true, false},
        {12, "     АКТИВНАЯ  МОЩНОСТЬ :", sec, "# ##0.###### Вт", 0.003, 1, 0.003, 16, true,
         false},
        {13, "     МОМЕНТ  НА  ВАЛУ :  ", sec, "# ##0.###### Н*м", 0.003, 1, 0.003, 16, true,
         false},
        {14, "     СКОРОСТЬ  ДВИГАТЕЛЯ :", sec, "# ##0.###### об/с", 0.003, 1, 0.003, 16, true,
         false},
        {15, "     ПОСЛЕДОВАТЕЛЬНОСТИ  АМПЛИТУДЫ :  с "s + kWindow, hz, mv, 100, 1, 100, 16,
         true, false},
        {20, "     ФАЗОВОЕ НАПРЯЖЕНИЕ  ФАЗЫ :  с "s + kWindow, sec, mv, 2.5e-6, 0.3125, 2.5e-6, 16,
         true, false},
        {21, "", sec, mv, 2.5e-6, 0.3125, 2.5e-6, 16, true, false}, // titled by its result
        {31, "", sec, mv, playbackX, 1.25, 0.25, 2, false, false},
        {30, "     Данные для ДШК ШЭМ :  "s + kRecord, sec, mv, playbackX, 0.3125, playbackX, 8,
         false, false},
        {32, "     ДШК ШЭМ. Сбор данных :  "s + kRecord, sec, mv, playbackX, 0.3125, playbackX, 4,
         false, false},
    };
    ui::Axis& left = form->Chart->LeftAxis();
    ui::Axis& bottom = form->Chart->BottomAxis();
    for (const Mode& m : modes) {
        SCOPED_TRACE(int(m.kind));
        left.SetAutomatic(false);
        left.SetLogarithmic(true);
        bottom.SetLogarithmic(true);
        for (ui::Series* series : form->Series) {
            series->SetXMultiplier(7);
            series->SetYMultiplier(7);
        }
        ChartState.XMultiplier = 0.25;
        ChartState.YMultiplier = 0.5;
        ChartState.DataKind = m.kind;
        RedrawChart();
        if (!m.titleTail.empty()) {
            EXPECT_EQ(form->Chart->TitleText(), kHead + m.titleTail);
        }
        EXPECT_EQ(bottom.ValueFormat(), m.bottomFormat);
        EXPECT_EQ(left.ValueFormat(), m.leftFormat);
        EXPECT_DOUBLE_EQ(SeriesNo(m.scaled).XMultiplier(), m.x);
        EXPECT_DOUBLE_EQ(SeriesNo(m.scaled).YMultiplier(), m.y);
        if (m.scaled < 16) {
            EXPECT_EQ(SeriesNo(m.scaled + 1).XMultiplier(), 7);
        }
        EXPECT_DOUBLE_EQ(ChartState.XMultiplier, m.xState);
        EXPECT_EQ(left.Automatic(), m.leftAutomatic);
        EXPECT_EQ(left.Logarithmic(), m.kind == kKindHarmonicsLog);
        EXPECT_EQ(bottom.Logarithmic(), m.bottomLogarithmic);
        if (IsTimeDomainKind(m.kind)) { // drawn by the undo-zoom
            EXPECT_EQ(SeriesNo(1).Count(), 1000);
        }
    }
}

TEST_F(RedrawModes, CoefficientThatIsNoNumberStopsTheRedrawWithAnEmptyChart) {
    machine->memory = 1000;
    SeriesNo(1).AddXY(0, 0);
    form->EditKU->SetText("abc");
    ChartState.DataKind = kKindVoltages;
    EXPECT_THROW(RedrawChart(), platform::InOutError);
    EXPECT_EQ(StatusText(1), "Свободно ОЗУ :  1 000 байт");
    EXPECT_EQ(SeriesNo(1).Count(), 0);
}

} // namespace
