// The redraw of the display modes over time, and what every redraw does first.

#include <string>

#include "platform/InOutError.h"
#include "tests/window/RedrawTestForm.h"
#include "window/Redraw.h"

namespace {

using redraw_test::Point;
using redraw_test::RedrawForm;

class RedrawTime : public RedrawForm {
protected:
    void SetUp() override {
        RedrawForm::SetUp();
        SampleData.DataFileName = kNotSavedName;
        SampleData.DataTime = 0;
        SampleData.DataRate = 400;
    }
    std::string StatusText(int panel) const { return form->StatusBar->Panel(panel).Text; }
};

TEST(GroupedDigits, BlankFollowsEveryThirdDigitFromTheEnd) {
    EXPECT_EQ(redraw::GroupedDigits(1234567), "1 234 567 ");
    EXPECT_EQ(redraw::GroupedDigits(12), "12 ");
    EXPECT_EQ(redraw::GroupedDigits(1000), "1 000 ");
    EXPECT_EQ(redraw::GroupedDigits(123), "123 ");
    EXPECT_EQ(redraw::GroupedDigits(4294967296), "4 294 967 296 ");
    EXPECT_EQ(redraw::GroupedDigits(-1), "-1 ");
}

TEST_F(RedrawTime, ModesWithoutDrawingRefreshTheStatusBarAndEmptyTheChartOnly) {
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

TEST_F(RedrawTime, AcquisitionTitlesTheRecordAndDrawsItInTheChosenUnits) {
    LoadRecord(4, 100000, Tagged);
    ChartState.DataKind = kKindTimeData;
    form->ComboBoxX->SetItemIndex(2);
    form->ComboBoxY->SetItemIndex(1);
    form->Chart->LeftAxis().SetLogarithmic(true);
    RedrawChart();
    EXPECT_EQ(form->Chart->TitleText(),
              "Файл :  НЕ СОХРАНЁН !!!     30.12.1899     Сбор данных :  400 кГц   4 кан. по "
              "100000   усиление 0");
    EXPECT_FALSE(form->Chart->LeftAxis().Logarithmic());
    EXPECT_EQ(ChartState.XMultiplier, 1e-5);
    EXPECT_EQ(SeriesNo(4).XMultiplier(), 1e-5);
    EXPECT_EQ(SeriesNo(4).YMultiplier(), 1.25);
    EXPECT_EQ(SeriesNo(4).Count(), 2402);
    EXPECT_EQ(SeriesNo(5).Count(), 0);
}

TEST_F(RedrawTime, SweepRecordingIsInSecondsAndMillivoltsOfItsRange) {
    LoadRecord(4, 10, Tagged);
    SampleData.DataGain = 3;
    ChartState.DataKind = kKindSweepData;
    RedrawChart();
    EXPECT_EQ(ChartState.XMultiplier, 1e-5);
    EXPECT_EQ(ChartState.YMultiplier, 0.01953125);
    EXPECT_EQ(SeriesNo(16).YMultiplier(), 0.01953125);
    EXPECT_EQ(form->Chart->BottomAxis().ValueFormat(), "# ##0.######с");
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### мВ");
    EXPECT_EQ(Points(2)[3], Point(3, 103));
}

TEST_F(RedrawTime, CurrentsAndVoltagesAreScaledByTheirSensorCoefficients) {
    LoadRecord(8, 10, Tagged);
    SampleData.DataGain = 1;
    ChartState.DataKind = kKindCurrents;
    RedrawChart();
    EXPECT_EQ(ChartState.YMultiplier, 0.003125);
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### A");
    EXPECT_TRUE(form->Chart->TitleText().ends_with("30.12.1899     ТОКИ"));

    SampleData.DataGain = 0;
    ChartState.DataKind = kKindVoltages;
    RedrawChart();
    EXPECT_EQ(ChartState.YMultiplier, 0.125);
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### В");
    EXPECT_EQ(Points(1)[0], Point(0, 300));
}

TEST_F(RedrawTime, CoefficientThatIsNoNumberStopsTheRedrawWithAnEmptyChart) {
    LoadRecord(8, 10, Tagged);
    machine->memory = 1000;
    SeriesNo(1).AddXY(0, 0);
    form->EditKI->SetText("abc");
    ChartState.DataKind = kKindCurrents;
    EXPECT_THROW(RedrawChart(), platform::InOutError);
    EXPECT_EQ(StatusText(1), "Свободно ОЗУ :  1 000 байт");
    EXPECT_EQ(SeriesNo(1).Count(), 0);
}

TEST_F(RedrawTime, MetrologyRecordingAddsItsMeanAsOneMorePoint) {
    LoadRecord(1, 5, Tagged);
    SampleData.DataFileName = "result text";
    ChartState.YMultiplier = 0.5;
    MetrologySettings.MetResult = 10;
    ChartState.DataKind = kKindMetRecording;
    RedrawChart();
    EXPECT_EQ(form->Chart->TitleText(), "result text");
    EXPECT_EQ(ChartState.XMultiplier, 0.001 / 400);
    const auto points = Points(1);
    ASSERT_EQ(points.size(), 6u);
    EXPECT_EQ(points[4], Point(4, 4));
    EXPECT_EQ(points[5], Point(5, 20));
}

TEST_F(RedrawTime, DacBufferDrawsWholePairsOnTwoSeries) {
    DacPlayback.DacBuffer = {1, 2, 3, 4, 5};
    DacPlayback.DacBufferLength = 5;
    DacPlayback.DacBufferName = "1-й, 2-й, ";
    SeriesNo(3).SetXMultiplier(7);
    ChartState.DataKind = kKindDacBuffer;
    RedrawChart();
    EXPECT_EQ(form->Chart->TitleText(), "Буфер ЦАП :  1-й, 2-й, ");
    EXPECT_EQ(Points(1), (std::vector<Point>{{0, 1}, {1, 3}}));
    EXPECT_EQ(Points(2), (std::vector<Point>{{0, 2}, {1, 4}}));
    EXPECT_EQ(SeriesNo(2).XMultiplier(), 1.0 / 15000);
    EXPECT_EQ(SeriesNo(2).YMultiplier(), 1.25);
    EXPECT_EQ(SeriesNo(3).XMultiplier(), 7);

    DacPlayback.DacBufferLength = 1000; // longer than the buffer really is
    RedrawChart();
    EXPECT_EQ(SeriesNo(1).Count(), 2);
}

TEST_F(RedrawTime, PlaybackDataKeepTheLeftAxisAndScaleOnlyTheirSeries) {
    LoadRecord(8, 100, Tagged);
    ui::Axis& left = form->Chart->LeftAxis();
    left.SetAutomatic(false);
    left.SetMinMax(-5, 5);
    ChartState.DataKind = kKindDshkData;
    RedrawChart();
    EXPECT_TRUE(form->Chart->TitleText().find(
                    "     Данные для ДШК ШЭМ :  400 кГц   8 кан. по 100") != std::string::npos);
    EXPECT_FALSE(left.Automatic());
    EXPECT_EQ(left.Maximum(), 5);
    EXPECT_EQ(ChartState.XMultiplier, 1.0 / 15000);
    EXPECT_EQ(SeriesNo(8).YMultiplier(), 1.25);
    EXPECT_EQ(SeriesNo(9).YMultiplier(), 1.0);
    EXPECT_EQ(SeriesNo(8).Count(), 100);

    ChartState.DataKind = kKindPlaybackData;
    SeriesNo(5).SetYMultiplier(1);
    RedrawChart();
    EXPECT_TRUE(form->Chart->TitleText().find("     ДШК ШЭМ. Сбор данных :  ") !=
                std::string::npos);
    EXPECT_EQ(SeriesNo(4).YMultiplier(), 1.25);
    EXPECT_EQ(SeriesNo(5).YMultiplier(), 1.0);
}

TEST_F(RedrawTime, PowerResultsShowOnePointPerWholeAveragingInterval) {
    SampleData.DataChannels = 4;
    SampleData.FrameCount = 1000;
    PowerAnalysis.PowerWindow = 300;
    PowerAnalysis.PowerSeries.assign(4, std::vector<double>(10, 2.5));
    PowerAnalysis.TorqueSeries = {1}; // shorter than the intervals: only what exists
    ChartState.DataKind = kKindPower;
    RedrawChart();
    for (int s = 1; s <= 4; ++s) EXPECT_EQ(SeriesNo(s).Count(), 3) << s;
    EXPECT_EQ(ChartState.XMultiplier, 0.003);
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### Вт");

    ChartState.DataKind = kKindTorque;
    RedrawChart();
    EXPECT_EQ(SeriesNo(1).Count(), 1);
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### Н*м");

    PowerAnalysis.PowerWindow = 0;
    ChartState.DataKind = kKindPower;
    RedrawChart();
    EXPECT_EQ(SeriesNo(1).Count(), 0);
}

} // namespace
