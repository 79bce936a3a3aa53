#pragma once
// The printable report of the frequency-response sweep: a title band and a detail band holding
// three charts against frequency (amplitudes of the channels, gain of channel 1 against channel
// 0, phase of channel 1 against channel 0), A4 portrait with 10 mm margins.
#include "ui/Controls.h"

class TQReport : public ui::Form {
public:
    TQReport();
    ~TQReport() override;

    ui::Panel* QRBandTitle = nullptr;
    ui::Label* QRLabelTitle = nullptr;
    ui::Panel* QRBandDetail = nullptr;
    // The chart holders and their charts.
    ui::Panel* QRChartAmpl = nullptr;
    ui::Panel* QRChartAFC = nullptr;
    ui::Panel* QRChartFFC = nullptr;
    ui::Chart* QRDBChartAmpl = nullptr;
    ui::Chart* QRDBChartAFC = nullptr;
    ui::Chart* QRDBChartFFC = nullptr;
    ui::Series* SeriesAmpl0 = nullptr;  // channel 0
    ui::Series* SeriesAmpl1 = nullptr;  // channel 1
    ui::Series* SeriesAFC = nullptr;    // gain of channel 1 against channel 0
    ui::Series* SeriesFFC = nullptr;    // phase of channel 1 against channel 0

    // Empties the four series.
    void ClearSeries();
};

extern TQReport* QReport;

// Fills the report from the sweep results and the sweep settings and shows its print preview
// (GUI thread). Results that no longer belong to the settings in force, or none at all, give
// the empty report.
void FillAFFCReport();

// Shows the print preview of the report as it stands, unfilled (GUI thread).
void PreviewAFFCReport();
