// The redraw of the display modes over frequency.

#include <cmath>
#include <string>
#include <utility>

#include "tests/window/RedrawTestForm.h"
#include "window/Redraw.h"

namespace {

using redraw_test::Point;
using redraw_test::RedrawForm;

class RedrawSpectra : public RedrawForm {
protected:
    void SetUp() override {
        RedrawForm::SetUp();
        SampleData.DataFileName = kNotSavedName;
        SampleData.DataRate = 400;
    }
    // A table of `rows` rows whose entry of row k, column c is 1000 * k + c.
    static std::vector<double> Table(int rows, int columns) {
        std::vector<double> table;
        for (int k = 0; k < rows; ++k) {
            for (int c = 0; c < columns; ++c) table.push_back(1000.0 * k + c);
        }
        return table;
    }
    std::vector<double> Xs(int number) const {
        std::vector<double> xs;
        for (const Point& p : Points(number)) xs.push_back(p.first);
        return xs;
    }
};

TEST_F(RedrawSpectra, SweepGainDrawsEachChannelAgainstTheFirstAtOctaveSpacedFrequencies) {
    FrequencyResponse.AfcFreqBegin = 5;
    FrequencyResponse.AfcFreqEnd = 80;
    FrequencyResponse.AfcSteps = 4;
    FrequencyResponse.AfcDbTable = Table(5, 3);
    SampleData.DataChannels = 4;
    ChartState.DataKind = kKindSweepGain;
    RedrawChart();
    EXPECT_TRUE(form->Chart->TitleText().ends_with("     АЧХ :  с  5 Гц  по  80 Гц ,   4 шт."));
    EXPECT_EQ(Xs(1), (std::vector<double>{5, 10, 20, 40, 80}));
    EXPECT_EQ(Points(3)[2], Point(20, 2002));
    EXPECT_EQ(SeriesNo(4).Count(), 0);
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### дБ");
    EXPECT_EQ(SeriesNo(1).YMultiplier(), 1.0);

    SampleData.DataChannels = 1;
    RedrawChart();
    EXPECT_EQ(SeriesNo(1).Count(), 0);
}

TEST_F(RedrawSpectra, SweepResultsShorterThanTheChannelsSayAreDrawnAsFarAsTheyGo) {
    FrequencyResponse.AfcFreqBegin = 5;
    FrequencyResponse.AfcFreqEnd = 80;
    FrequencyResponse.AfcSteps = 4;
    FrequencyResponse.AfcPhaseTable = Table(5, 3); // a 4-channel sweep ...
    SampleData.DataChannels = 8;                   // ... then an 8-channel record was opened
    ChartState.DataKind = kKindSweepPhase;
    RedrawChart();
    EXPECT_EQ(SeriesNo(1).Count(), 3);
    EXPECT_EQ(SeriesNo(7).Count(), 2);

    AnalysisResults.AmpTable = Table(5, 8);
    ChartState.DataKind = kKindSweepAmplitudes;
    RedrawChart();
    EXPECT_EQ(Points(8).back(), Point(80, 4007));

    FrequencyResponse.AfcSteps = 0; // no sweep: nothing to place on the axis
    RedrawChart();
    EXPECT_EQ(SeriesNo(1).Count(), 0);
}

TEST_F(RedrawSpectra, HarmonicAmplitudesRunFromTheChosenFirstHarmonicToHalfTheWindow) {
    SampleData.DataChannels = 4;
    AnalysisResults.FourierFirst = 0;
    AnalysisResults.FourierCount = 1000;
    AnalysisResults.AnalysisInterval = 1;
    AnalysisResults.AmpTable = Table(501, 4);
    ChartState.DataKind = kKindHarmonics;
    RedrawChart();
    EXPECT_TRUE(
        form->Chart->TitleText().ends_with("     АМПЛИТУДЫ :  с 0  в кол-ве 1000 шт.  инт. 1"));
    EXPECT_EQ(SeriesNo(1).XMultiplier(), 100);
    EXPECT_EQ(SeriesNo(1).YMultiplier(), 1.25);
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### мВ");
    EXPECT_EQ(SeriesNo(4).Count(), 501);
    EXPECT_EQ(Points(4)[0], Point(0, 3));

    form->RadioButton0GarmNo->SetChecked(true);
    form->RadioButton0GarmYes->SetChecked(false);
    AnalysisResults.FourierCount = 1001;
    RedrawChart();
    EXPECT_EQ(Xs(1).front(), 1);
    EXPECT_EQ(Xs(1).back(), 500);
    EXPECT_EQ(SeriesNo(1).Count(), 500);
}

TEST_F(RedrawSpectra, LogarithmicHarmonicsAndPhasesSwitchAxesAndUnits) {
    SampleData.DataChannels = 1;
    AnalysisResults.FourierCount = 10;
    AnalysisResults.AnalysisInterval = 1;
    AnalysisResults.AmpTable = Table(6, 1);
    AnalysisResults.PhaseTable = Table(3, 1); // fewer rows than the window asks for
    ChartState.DataKind = kKindHarmonicsLog;
    RedrawChart();
    EXPECT_TRUE(form->Chart->LeftAxis().Logarithmic());
    EXPECT_TRUE(form->Chart->BottomAxis().Logarithmic());
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.###### g^2/Hz");

    form->RadioButtonFurieFaza->SetChecked(true);
    form->RadioButtonFurieAmpl->SetChecked(false);
    ChartState.DataKind = kKindHarmonics;
    RedrawChart();
    EXPECT_FALSE(form->Chart->LeftAxis().Logarithmic());
    EXPECT_FALSE(form->Chart->BottomAxis().Logarithmic());
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.######°");
    EXPECT_EQ(SeriesNo(1).YMultiplier(), 1.0);
    EXPECT_TRUE(form->Chart->TitleText().find("     ФАЗЫ :  с ") != std::string::npos);
    EXPECT_EQ(SeriesNo(1).Count(), 3);
}

TEST_F(RedrawSpectra, LiveSpectrumSetsTheAxisLimitsWithoutEverCrossingThem) {
    SampleData.DataChannels = 2;
    AnalysisResults.AmpTable = Table(20, 2);
    AnalysisResults.SpectrumFirst = -2; // from a damaged header: rows that do not exist are skipped
    AnalysisResults.SpectrumLast = 30;
    form->EditFFT_XB->SetText("200");
    form->EditFFT_XE->SetText("400");
    ui::Axis& bottom = form->Chart->BottomAxis();
    std::vector<std::pair<double, double>> limits;
    form->Chart->Subscribe([&](ui::Control&, ui::Property what) {
        if (what == ui::Property::Axis) limits.emplace_back(bottom.Minimum(), bottom.Maximum());
    });

    for (double shownMaximum : {100.0, 1000.0}) {
        SCOPED_TRACE(shownMaximum);
        bottom.SetAutomatic(false);
        bottom.SetMinMax(0, shownMaximum);
        limits.clear();
        redraw::RedrawLiveSpectrum();
        for (const auto& [minimum, maximum] : limits) EXPECT_LE(minimum, maximum);
        EXPECT_EQ(bottom.Minimum(), 200);
        EXPECT_EQ(bottom.Maximum(), 400);
    }
    EXPECT_EQ(AcquisitionSettings.FftXBegin, 200);
    EXPECT_EQ(AcquisitionSettings.FftXEnd, 400);
    EXPECT_EQ(form->Chart->TitleText(), "СПЕКТРОАНАЛИЗ РЕАЛЬНОГО ВРЕМЕНИ");
    EXPECT_EQ(Points(2).front(), Point(0, 1));
    EXPECT_EQ(Points(2).back(), Point(19, 19001));
}

TEST_F(RedrawSpectra, SequenceComponentsShowAtMostTheHarmonicsTheTableHolds) {
    SampleData.DataChannels = 3;
    AnalysisResults.FourierFirst = 7;
    AnalysisResults.FourierCount = 50000;
    AnalysisResults.SequenceTable[2][8][0] = 5;
    AnalysisResults.SequenceTable[3][0][1] = std::acos(-1.0);
    ChartState.DataKind = kKindSequence;
    RedrawChart();
    EXPECT_TRUE(form->Chart->TitleText().ends_with(
        "     ПОСЛЕДОВАТЕЛЬНОСТИ  АМПЛИТУДЫ :  с 7  в кол-ве 50000 шт."));
    for (int s = 1; s <= 9; ++s) EXPECT_EQ(SeriesNo(s).Count(), kSequenceHarmonics) << s;
    EXPECT_EQ(SeriesNo(10).Count(), 0);
    EXPECT_EQ(Points(9)[0], Point(1, 5));
    EXPECT_EQ(ChartState.XMultiplier, 400.0 * 1000 / 3 / 50000);

    form->RadioButtonFurieFaza->SetChecked(true);
    form->RadioButtonFurieAmpl->SetChecked(false);
    AnalysisResults.FourierCount = 8;
    RedrawChart();
    EXPECT_EQ(SeriesNo(1).Count(), 4);
    EXPECT_DOUBLE_EQ(Points(1)[1].second, 180);
    EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.######°");
}

} // namespace
