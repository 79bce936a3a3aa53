// Filling the sweep report from the results and previewing it.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "analysis/SweepGainPhase.h"
#include "state/State.h"
#include "threads/Report.h"
#include "ui/Application.h"
#include "window/Form.h"

namespace {

constexpr double kValueMargin = 0.05;
constexpr double kFrequencyMargin = 0.02;

// Lowest and highest of the first `count` entries of a table (no more than it holds).
struct Extent {
    double lo = 0;
    double hi = 0;
    bool any = false;
};

Extent ExtentOf(const std::vector<double>& table, std::size_t count) {
    Extent e;
    for (std::size_t k = 0; k < std::min(count, table.size()); ++k) {
        const double v = table[k];
        if (!std::isfinite(v)) continue;
        e.lo = e.any ? std::min(e.lo, v) : v;
        e.hi = e.any ? std::max(e.hi, v) : v;
        e.any = true;
    }
    return e;
}

// The values' range with 5 % to spare each way; amplitudes never below 0.
void SetValueAxis(ui::Chart& chart, const Extent& e, bool notBelowZero) {
    if (!e.any) return;
    double lo = e.lo - (e.hi - e.lo) * kValueMargin;
    if (notBelowZero && lo < 0) lo = 0;
    const double hi = e.hi + (e.hi - lo) * kValueMargin;
    chart.LeftAxis().SetMinMax(lo, hi);
}

// The sweep's frequency range with 2 % to spare each way, linear or (in the same proportion of
// decades) logarithmic, as the page's scale bar stands.
void SetFrequencyAxis(ui::Chart& chart, double begin, double end, bool logarithmic) {
    ui::Axis& axis = chart.BottomAxis();
    axis.SetLogarithmic(logarithmic);
    if (logarithmic) {
        const double spare = (std::log10(end) - std::log10(begin)) * kFrequencyMargin + 1;
        axis.SetMinMax(begin / spare, spare * end);
    } else {
        const double lo = std::max(0.0, begin - (end - begin) * kFrequencyMargin);
        axis.SetMinMax(lo, end + (end - begin) * kFrequencyMargin);
    }
}

void AddPoint(ui::Series& series, const std::vector<double>& table, std::size_t at, double f) {
    if (at < table.size() && std::isfinite(table[at]) && std::isfinite(f)) series.AddXY(f, table[at]);
}

void Fill(TQReport& report, std::size_t rows) {
    const FrequencyResponseGroup& r = FrequencyResponse;
    const auto& amplitudes = AnalysisResults.AmpTable;
    const std::size_t channels = static_cast<std::size_t>(r.AfcResultChannels);
    const std::size_t pairs = channels - 1;

    SetValueAxis(*report.QRDBChartAmpl, ExtentOf(amplitudes, rows * channels), true);
    // One channel has nothing to hold against channel 0: no gain and no phase to scale.
    if (pairs > 0) {
        SetValueAxis(*report.QRDBChartAFC, ExtentOf(r.AfcDbTable, rows * pairs), false);
        SetValueAxis(*report.QRDBChartFFC, ExtentOf(r.AfcPhaseTable, rows * pairs), false);
    }
    const bool logarithmic = Forma != nullptr && Forma->TrackBarAFFCchart->Position() >= 2;
    for (ui::Chart* chart : {report.QRDBChartAmpl, report.QRDBChartAFC, report.QRDBChartFFC}) {
        SetFrequencyAxis(*chart, r.AfcFreqBegin, r.AfcFreqEnd, logarithmic);
    }

    // The report has room for channels 0 and 1 and for channel 1 against channel 0.
    ui::Series* amplitudeSeries[] = {report.SeriesAmpl0, report.SeriesAmpl1};
    for (std::size_t i = 0; i < rows; ++i) {
        const double f = sweep::SweepStepFrequency(r.AfcFreqBegin, r.AfcFreqEnd, static_cast<int32_t>(i), r.AfcSteps);
        for (std::size_t c = 0; c < std::min<std::size_t>(channels, 2); ++c) {
            AddPoint(*amplitudeSeries[c], amplitudes, i * channels + c, f);
        }
        if (pairs > 0) {
            AddPoint(*report.SeriesAFC, r.AfcDbTable, i * pairs, f);
            AddPoint(*report.SeriesFFC, r.AfcPhaseTable, i * pairs, f);
        }
    }
}

} // namespace

void FillAFFCReport() {
    if (QReport == nullptr) return;
    QReport->ClearSeries();
    const std::size_t rows = SweepResultRows();
    if (rows > 0) Fill(*QReport, rows);
    ui::Application.FrontEnd().PreviewReport(*QReport);
}

void PreviewAFFCReport() {
    if (QReport == nullptr) return;
    ui::Application.FrontEnd().PreviewReport(*QReport);
}
