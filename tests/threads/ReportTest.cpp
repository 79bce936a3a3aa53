// The sweep report: its charts filled from the results, their axes, and the empty report.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "state/State.h"
#include "threads/Report.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"

namespace {

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Application.SetFrontEnd(&frontEnd);
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
        report = std::make_unique<TQReport>();
        QReport = report.get();
        FrequencyResponse.AfcFreqBegin = 5;
        FrequencyResponse.AfcFreqEnd = 80;
        FrequencyResponse.AfcSteps = 4;
    }
    void TearDown() override {
        QReport = nullptr;
        report.reset();
        Forma = nullptr;
        form.reset();
        ui::Application.SetFrontEnd(nullptr);
        ResetSharedState();
    }

    // Five steps of two channels: amplitudes (channel 0, channel 1) per step, and the gain and
    // phase of channel 1 derived as the computation leaves them.
    void Results(const std::vector<double>& amplitudes, const std::vector<double>& gains,
                 const std::vector<double>& phases) {
        AnalysisResults.AmpTable = amplitudes;
        AnalysisResults.PhaseTable.assign(amplitudes.size(), 0.0);
        FrequencyResponse.AfcDbTable = gains;
        FrequencyResponse.AfcPhaseTable = phases;
        FrequencyResponse.AfcResultRows = 5;
        FrequencyResponse.AfcResultChannels = static_cast<int32_t>(amplitudes.size() / 5);
    }

    static std::vector<double> Xs(const ui::Series& s) { return s.XValues(); }

    ui::ScriptedFrontEnd frontEnd;
    std::unique_ptr<TForma> form;
    std::unique_ptr<TQReport> report;
};

TEST_F(ReportTest, ChartsTakeEveryStepAndScaleTheirAxesWithAMargin) {
    Results({20, 10, 18, 12, 16, 14, 12, 16, 10, 20}, {-6, -3.5, -1.2, 1.2, 6}, {-170, -90, 0, 90, 30});
    FillAFFCReport();
    EXPECT_EQ(frontEnd.PreviewedReports(), std::vector<std::string>{"АЧХ"});
    const std::vector<double> steps{5, 10, 20, 40, 80};
    for (const ui::Series* s : {report->SeriesAmpl0, report->SeriesAmpl1, report->SeriesAFC, report->SeriesFFC}) {
        EXPECT_EQ(Xs(*s), steps);
    }
    EXPECT_EQ(report->SeriesAmpl1->YValues(), (std::vector<double>{10, 12, 14, 16, 20}));
    EXPECT_EQ(report->SeriesFFC->YValues(), (std::vector<double>{-170, -90, 0, 90, 30}));

    // Amplitudes 10 to 20: 9.5 to 20.525; gains -6 to 6: -6.6 to 6.63; phases -170 to 90.
    const ui::Axis& amplitude = report->QRDBChartAmpl->LeftAxis();
    EXPECT_DOUBLE_EQ(amplitude.Minimum(), 9.5);
    EXPECT_DOUBLE_EQ(amplitude.Maximum(), 20.525);
    EXPECT_DOUBLE_EQ(report->QRDBChartAFC->LeftAxis().Minimum(), -6.6);
    EXPECT_DOUBLE_EQ(report->QRDBChartAFC->LeftAxis().Maximum(), 6.63);
    EXPECT_DOUBLE_EQ(report->QRDBChartFFC->LeftAxis().Minimum(), -183);
    EXPECT_DOUBLE_EQ(report->QRDBChartFFC->LeftAxis().Maximum(), 103.65);

    // The frequency axes follow the page's scale bar: linear 3.5 to 81.5, or logarithmic with
    // the same share of the decades.
    for (const ui::Chart* chart : {report->QRDBChartAmpl, report->QRDBChartAFC, report->QRDBChartFFC}) {
        EXPECT_FALSE(chart->BottomAxis().Logarithmic());
        EXPECT_DOUBLE_EQ(chart->BottomAxis().Minimum(), 3.5);
        EXPECT_DOUBLE_EQ(chart->BottomAxis().Maximum(), 81.5);
    }
    FrequencyResponse.AfcSteps = 0;  // the scale bar moves only while results exist
    form->TrackBarAFFCchart->SetPosition(2);
    EXPECT_EQ(form->LabelAFFCchart->Caption(), "ЛИН");
    FrequencyResponse.AfcSteps = 4;
    form->TrackBarAFFCchart->SetPosition(1);
    form->TrackBarAFFCchart->SetPosition(2);
    EXPECT_EQ(form->LabelAFFCchart->Caption(), "ЛОГ");
    EXPECT_TRUE(form->Chart->BottomAxis().Logarithmic());
    FillAFFCReport();
    EXPECT_EQ(report->SeriesAFC->Count(), 5) << "refilled, not added to";
    for (const ui::Chart* chart : {report->QRDBChartAmpl, report->QRDBChartAFC, report->QRDBChartFFC}) {
        EXPECT_TRUE(chart->BottomAxis().Logarithmic());
        EXPECT_NEAR(chart->BottomAxis().Minimum(), 4.8824, 1e-4);
        EXPECT_NEAR(chart->BottomAxis().Maximum(), 81.9266, 1e-4);
    }
}

TEST_F(ReportTest, AmplitudeAxisStopsAtZeroAndOneChannelFillsOnlyItsAmplitudes) {
    Results({0, 20, 5, 10, 5, 10, 5, 10, 5, 10}, {-100, 6, 6, 6, 6}, {0, 0, 0, 0, 0});
    FillAFFCReport();
    EXPECT_DOUBLE_EQ(report->QRDBChartAmpl->LeftAxis().Minimum(), 0);
    EXPECT_DOUBLE_EQ(report->QRDBChartAmpl->LeftAxis().Maximum(), 21);

    Results({1, 2, 3, 4, 5}, {}, {});
    const ui::Axis& gain = report->QRDBChartAFC->LeftAxis();
    const double gainLo = gain.Minimum();
    FillAFFCReport();
    EXPECT_EQ(report->SeriesAmpl0->Count(), 5);
    EXPECT_EQ(report->SeriesAmpl1->Count(), 0);
    EXPECT_EQ(report->SeriesAFC->Count(), 0);
    EXPECT_EQ(report->SeriesFFC->Count(), 0);
    EXPECT_EQ(gain.Minimum(), gainLo) << "nothing to scale";
}

TEST_F(ReportTest, ResultsOfAnotherStepCountOrNoneGiveTheEmptyReport) {
    Results({20, 10, 18, 12, 16, 14, 12, 16, 10, 20}, {-6, -3.5, -1.2, 1.2, 6}, {-170, -90, 0, 90, 30});
    FillAFFCReport();
    ASSERT_EQ(report->SeriesAmpl0->Count(), 5);
    // A sweep whose set-up failed after reading a new step count: the tables are older.
    FrequencyResponse.AfcSteps = 9;
    FillAFFCReport();
    for (const ui::Series* s : {report->SeriesAmpl0, report->SeriesAmpl1, report->SeriesAFC, report->SeriesFFC}) {
        EXPECT_EQ(s->Count(), 0);
    }
    EXPECT_EQ(frontEnd.PreviewedReports().size(), 2u);

    // The page's report button without results previews the report without filling it: what
    // it held stays, and no worker starts.
    FrequencyResponse.AfcSteps = 4;
    FillAFFCReport();
    FrequencyResponse.AfcSteps = 0;
    form->SpeedButtonAFFCshow->Click();
    EXPECT_EQ(ThreadControl.DacWorker, nullptr);
    EXPECT_EQ(report->SeriesAmpl0->Count(), 5);
    EXPECT_EQ(report->SeriesFFC->Count(), 5);
    EXPECT_EQ(frontEnd.PreviewedReports().size(), 4u);
}

TEST_F(ReportTest, TitleIsArialSixteenPointBoldUnderlined) {
    EXPECT_EQ(report->QRLabelTitle->Caption(), "Отчёт по АЧХ и ФЧХ.");
    const ui::Font& font = report->QRLabelTitle->Font();
    EXPECT_EQ(font.Name, "Arial");
    EXPECT_EQ(font.Size, 16);
    EXPECT_TRUE(font.Bold);
    EXPECT_TRUE(font.Underline);
}

} // namespace
