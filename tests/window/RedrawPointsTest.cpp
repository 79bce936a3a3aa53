// The points each display mode puts on the chart, and the table rows it must not read past.

#include <cmath>
#include <vector>

#include "tests/window/RedrawTestForm.h"
#include "window/Redraw.h"

namespace {

using redraw_test::Point;

// A table whose entry of row k, column c is 1000 * k + c.
std::vector<double> Table(int rows, int columns) {
    std::vector<double> table;
    for (int k = 0; k < rows; ++k) {
        for (int c = 0; c < columns; ++c) table.push_back(1000.0 * k + c);
    }
    return table;
}

class RedrawPoints : public redraw_test::RedrawForm {
protected:
    void SetUp() override {
        RedrawForm::SetUp();
        LoadRecord(4, 1000, Tagged);
        SampleData.DataRate = 400;
        FrequencyResponse.AfcFreqBegin = 5;
        FrequencyResponse.AfcFreqEnd = 80;
        FrequencyResponse.AfcSteps = 4;
        FrequencyResponse.AfcResultRows = 5;
        FrequencyResponse.AfcResultChannels = 4;
        FrequencyResponse.AfcDbTable = Table(5, 3);
        FrequencyResponse.AfcPhaseTable = Table(2, 3); // the steps reach past the rows it holds
        AnalysisResults.AmpTable = Table(501, 4);
        AnalysisResults.PhaseTable = Table(3, 4);
        AnalysisResults.FourierCount = 50000; // wider than the tables hold
        AnalysisResults.AnalysisInterval = 1;
        AnalysisResults.SpectrumFirst = -2; // from a damaged header
        AnalysisResults.SpectrumLast = 600;
        AnalysisResults.SequenceTable[2][8][0] = 5;
        AnalysisResults.SequenceTable[3][0][kSequenceHarmonics - 1] = std::acos(-1.0);
        PowerAnalysis.PowerWindow = 300;
        PowerAnalysis.PowerSeries.assign(4, std::vector<double>(10, 2.5));
        PowerAnalysis.TorqueSeries = {1}; // shorter than the intervals: only what exists
        MetrologySettings.MetResult = 10;
        SampleData.DataFileName = "result text";
        DacPlayback.DacBuffer = {1, 2, 3, 4, 5, 6};
        DacPlayback.DacBufferLength = 5;
        DacPlayback.DacBufferName = "1-й, 2-й, ";
        form->EditFFT_XB->SetText("200");
        form->EditFFT_XE->SetText("400");
    }
    void Redraw(std::uint8_t kind, bool phases = false, bool harmonicZero = true) {
        form->RadioButtonFurieAmpl->SetChecked(!phases);
        form->RadioButtonFurieFaza->SetChecked(phases);
        form->RadioButton0GarmYes->SetChecked(harmonicZero);
        form->RadioButton0GarmNo->SetChecked(!harmonicZero);
        ChartState.DataKind = kind;
        RedrawChart();
    }
};

TEST_F(RedrawPoints, EachModeDrawsItsRowsOnItsSeriesAndNoRowTheTableLacks) {
    struct Case {
        std::uint8_t kind;
        bool phases, harmonicZero;
        int series, count;
        Point first, last;
        const char* titleEnd = nullptr;
    };
    const Case cases[] = {
        {kKindSweepGain, false, true, 3, 5, {5, 2}, {80, 4002}}, // channel 3 against channel 0
        {kKindSweepPhase, false, true, 1, 2, {5, 0}, {10, 1000}},
        {kKindSweepAmplitudes, false, true, 4, 5, {5, 3}, {80, 4003}},
        {kKindSweepPhases, false, true, 4, 3, {5, 3}, {20, 2003}},
        {kKindHarmonics, false, true, 4, 501, {0, 3}, {500, 500003}},
        {kKindHarmonics, false, false, 1, 500, {1, 1000}, {500, 500000}},
        {kKindHarmonicsLog, true, true, 2, 3, {0, 1}, {2, 2001},
         "     ФАЗЫ :  с 0  в кол-ве 50000 шт.  инт. 1"},
        {kKindSpectrum, false, true, 2, 501, {0, 1}, {500, 500001}},
        {kKindPower, false, true, 4, 3, {0, 2.5}, {2, 2.5}},
        {kKindTorque, false, true, 1, 1, {0, 1}, {0, 1}},
        {kKindSequence, false, true, 9, kSequenceHarmonics, {1, 5}, {kSequenceHarmonics, 0}},
        {kKindSequence, true, true, 1, kSequenceHarmonics, {1, 0}, {kSequenceHarmonics, 180},
         "     ПОСЛЕДОВАТЕЛЬНОСТИ  ФАЗЫ :  с 0  в кол-ве 50000 шт."},
        {kKindMetSignal, false, true, 1, 1000, {0, 0}, {999, 349}}, // one-channel data
        {kKindMetRecording, false, true, 1, 1001, {0, 0}, {1000, 20}, "result text"},
        {kKindDacBuffer, false, true, 1, 2, {0, 1}, {1, 3}, "Буфер ЦАП :  1-й, 2-й, "},
        {kKindDacBuffer, false, true, 2, 2, {0, 2}, {1, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << " on series " << c.series);
        SampleData.DataMvPerCode = 0.5; // the metrology modes draw the data at their own scale
        Redraw(c.kind, c.phases, c.harmonicZero);
        const auto points = Points(c.series);
        ASSERT_EQ(points.size(), static_cast<std::size_t>(c.count));
        EXPECT_EQ(points.front().first, c.first.first);
        EXPECT_DOUBLE_EQ(points.front().second, c.first.second);
        EXPECT_EQ(points.back().first, c.last.first);
        EXPECT_DOUBLE_EQ(points.back().second, c.last.second);
        EXPECT_EQ(SeriesNo(c.kind == kKindSequence ? 10 : 5).Count(), 0);
        if (c.titleEnd) {
            EXPECT_TRUE(form->Chart->TitleText().ends_with(c.titleEnd));
        }
        if (c.phases) {
            EXPECT_EQ(form->Chart->LeftAxis().ValueFormat(), "# ##0.######°");
            EXPECT_EQ(SeriesNo(1).YMultiplier(), 1.0);
        }
    }
    FrequencyResponse.AfcResultChannels = 1; // no channel pair
    Redraw(kKindSweepGain);
    EXPECT_EQ(SeriesNo(1).Count(), 0);
    // Results of another step count than the one in force: none of their rows are shown.
    FrequencyResponse.AfcResultChannels = 4;
    FrequencyResponse.AfcSteps = 6;
    Redraw(kKindSweepAmplitudes);
    EXPECT_EQ(SeriesNo(1).Count(), 0);
    PowerAnalysis.PowerWindow = 0; // no averaging interval
    Redraw(kKindPower);
    EXPECT_EQ(SeriesNo(1).Count(), 0);
    DacPlayback.DacBufferLength = 1000; // longer than the buffer really is
    Redraw(kKindDacBuffer);
    EXPECT_EQ(SeriesNo(1).Count(), 3);
}

TEST_F(RedrawPoints, LiveSpectrumSetsTheAxisLimitsWithoutEverCrossingThem) {
    ui::Axis& bottom = form->Chart->BottomAxis();
    std::vector<Point> limits;
    form->Chart->Subscribe([&](ui::Control&, ui::Property what) {
        if (what == ui::Property::Axis) limits.emplace_back(bottom.Minimum(), bottom.Maximum());
    });
    for (double shownMaximum : {100.0, 1000.0}) {
        SCOPED_TRACE(shownMaximum);
        bottom.SetAutomatic(false);
        bottom.SetMinMax(0, shownMaximum);
        limits.clear();
        Redraw(kKindSpectrum);
        for (const auto& [minimum, maximum] : limits) EXPECT_LE(minimum, maximum);
        EXPECT_EQ(bottom.Minimum(), 200);
        EXPECT_EQ(bottom.Maximum(), 400);
    }
    EXPECT_EQ(AcquisitionSettings.FftXBegin, 200);
    EXPECT_EQ(AcquisitionSettings.FftXEnd, 400);
    EXPECT_EQ(form->Chart->TitleText(), "СПЕКТРОАНАЛИЗ РЕАЛЬНОГО ВРЕМЕНИ");
}

} // namespace

namespace {

TEST_F(RedrawPoints, TableModesDrawSixteenChannelsAtMostEachOnItsOwnSeries) {
    constexpr int kChannels = 20;
    SampleData.DataChannels = kChannels;
    FrequencyResponse.AfcDbTable = Table(5, kChannels - 1);
    FrequencyResponse.AfcPhaseTable = Table(5, kChannels - 1);
    FrequencyResponse.AfcResultChannels = kChannels;
    AnalysisResults.AmpTable = Table(5, kChannels);
    AnalysisResults.PhaseTable = Table(5, kChannels);
    AnalysisResults.FourierCount = 8;
    AnalysisResults.SpectrumFirst = 0;
    AnalysisResults.SpectrumLast = 4;
    for (std::uint8_t kind = kKindSweepGain; kind <= kKindSpectrum; ++kind) {
        SCOPED_TRACE(int(kind));
        Redraw(kind);
        for (int number : {1, 16}) {
            // Every point of a series comes from its own column: 1000 * row + column.
            const auto points = Points(number);
            ASSERT_EQ(points.size(), 5u);
            for (const auto& [x, y] : points) EXPECT_EQ(std::fmod(y, 1000.0), number - 1);
        }
    }
}

}  // namespace
