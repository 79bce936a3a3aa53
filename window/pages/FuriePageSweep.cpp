// The amplitude response of a recorded sweep, behind the processing page's hidden "АЧХ" button:
// one curve per channel of amplitude (ADC codes) against the sweep's frequency.

#include "analysis/SweepResponse.h"
#include "platform/Numbers.h"
#include "threads/WorkerSlot.h"
#include "window/AxisUnits.h"
#include "window/Form.h"
#include "window/pages/FuriePageCommon.h"
#include "window/Redraw.h"
#include "state/State.h"

void TForma::SpeedButtonAFCClick(ui::Control*) {
    // The work arrays and the sample buffer are a worker's own while it lives.
    if (WorkersBusy()) return;
    ChartState.DataKind = kKindSpectrum;
    ChartState.SequenceCurves = false;
    ComboBoxX->Items().Set(1, "Гц");
    ComboBoxX->SetItemIndex(1);

    SizeSweepTransform();
    const AnalysisResultsGroup& r = AnalysisResults;
    furie_page::Log("Power = " + platform::IntToStr(r.FftPower) + "     Num = " + platform::IntToStr(r.FftSize) +
                    "     Interval = " + platform::FloatToStr(r.AnalysisInterval));

    ChartUpdate update(*Chart);
    SetAxisXUnits();
    // The points are frequencies in hertz, whatever time unit the X choice gives the series.
    redraw::SetSeriesX(1);
    Chart->BottomAxis().SetValueFormat(redraw::kFormatHertz);
    Chart->SetTitleText("Амплитудо-частотная характеристика");
    for (ui::Series* series : Series) series->Clear();

    furie_page::ResultsInProgress inProgress;
    const SweepExtent extent = RecordedSweepExtent();
    SizeSweepTables(extent);
    const std::optional<double> start = EstimateSweepStart(extent.seconds);
    // No second showed the sweep where it should be: there is no start to measure from.
    if (!start) return;
    furie_page::Log("Qbeg=" + platform::FloatToStr(*start) + "Гц");
    // Channels past the sixteenth have no series to show them.
    MeasureSweepSteps(*start, extent.lastStep, redraw::AddPoint);
}
