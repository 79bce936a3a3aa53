#include "threads/Report.h"

TQReport* QReport = nullptr;

namespace {

constexpr int kPageWidth = 718;
constexpr int kTitleBandHeight = 40;
constexpr int kDetailBandHeight = 1007;
constexpr int kChartHeight = 300;
constexpr double kInitialMaximum = 10000;
constexpr const char* kHertzFormat = "#,##0.### Гц";

struct ChartLayout {
    ui::Panel* TQReport::*holder;
    ui::Chart* TQReport::*chart;
    const char* holderName;
    const char* chartName;
    int top;
    const char* title;
    const char* leftFormat;
    double leftMinimum;
    double leftMaximum;
};

// Axes with ranges set by hand, the frequency axis logarithmic; no legend, a white wall.
ui::Chart* AddChart(ui::Panel& band, const ChartLayout& layout, ui::Panel*& holder) {
    holder = band.Add<ui::Panel>(layout.holderName, 0, layout.top, kPageWidth, kChartHeight);
    ui::Chart* chart = holder->Add<ui::Chart>(layout.chartName, 0, 0, kPageWidth, kChartHeight);
    chart->SetAlign(ui::Align::Client);
    chart->SetColor(ui::clWhite);
    chart->SetTitleText(layout.title);
    chart->SetLegendVisible(false);
    ui::Axis& bottom = chart->BottomAxis();
    bottom.SetAutomatic(false);
    bottom.SetLogarithmic(true);
    bottom.SetMaximum(kInitialMaximum);
    bottom.SetValueFormat(kHertzFormat);
    ui::Axis& left = chart->LeftAxis();
    left.SetAutomatic(false);
    left.SetMinMax(layout.leftMinimum, layout.leftMaximum);
    left.SetValueFormat(layout.leftFormat);
    return chart;
}

ui::Series* AddSeries(ui::Chart& chart, ui::TColor color) {
    ui::Series* series = chart.AddSeries();
    series->SetColor(color);
    return series;
}

} // namespace

TQReport::TQReport() {
    SetCaption("АЧХ");
    SetFont({.Name = "Arial", .Size = 10, .Color = ui::clBlack, .Bold = false});
    SetBounds(0, 0, kPageWidth, kTitleBandHeight + kDetailBandHeight);

    QRBandTitle = Add<ui::Panel>("QRBandTitle", 0, 0, kPageWidth, kTitleBandHeight);
    QRBandTitle->SetColor(ui::clWhite);
    QRLabelTitle = QRBandTitle->Add<ui::Label>("QRLabelTitle", 242, 8, 240, 26);
    QRLabelTitle->SetCaption("Отчёт по АЧХ и ФЧХ.");
    QRLabelTitle->SetFont({.Name = "Arial", .Size = 16, .Color = ui::clBlack, .Bold = true, .Underline = true});

    QRBandDetail = Add<ui::Panel>("QRBandDetail", 0, kTitleBandHeight, kPageWidth, kDetailBandHeight);
    QRBandDetail->SetColor(ui::clWhite);
    const ChartLayout charts[] = {
        {&TQReport::QRChartAmpl, &TQReport::QRDBChartAmpl, "QRChartAmpl", "QRDBChartAmpl", 10,
         "Амплитуды гармоник", "#,##0.### мВ", 0, kInitialMaximum},
        {&TQReport::QRChartAFC, &TQReport::QRDBChartAFC, "QRChartAFC", "QRDBChartAFC", 320,
         "Амплитудо-частотная характеристика", "#,##0.### дБ", -100, 100},
        {&TQReport::QRChartFFC, &TQReport::QRDBChartFFC, "QRChartFFC", "QRDBChartFFC", 630,
         "Фаза-частотная характеристика", "#,##0.###°", -200.1, 200},
    };
    for (const ChartLayout& layout : charts) this->*layout.chart = AddChart(*QRBandDetail, layout, this->*layout.holder);
    SeriesAmpl0 = AddSeries(*QRDBChartAmpl, ui::clGreen);
    SeriesAmpl1 = AddSeries(*QRDBChartAmpl, ui::clBlack);
    SeriesAFC = AddSeries(*QRDBChartAFC, ui::clBlack);
    SeriesFFC = AddSeries(*QRDBChartFFC, ui::clBlack);
}

TQReport::~TQReport() = default;

void TQReport::ClearSeries() {
    for (ui::Series* series : {SeriesAmpl0, SeriesAmpl1, SeriesAFC, SeriesFFC}) series->Clear();
}
