// The chart view of a sweep chosen with TrackBarAFFCshow.

#include <array>
#include <cstdint>

#include "threads/WorkerSlot.h"
#include "window/Form.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace {

struct SweepView {
    uint8_t kind;
    const char* caption;
    const char* hint;
};

// Track bar positions 1 to 5.
constexpr std::array<SweepView, 5> kSweepViews{{
    {kKindSweepData, "ДАН", "СОБРАННЫЕ ДАННЫЕ"},
    {kKindSweepGain, "АЧХ", "АМПЛИТУДО-ЧАСТОТНУЮ ХАРАКТЕРИСТИКУ"},
    {kKindSweepPhase, "ФЧХ", "ФАЗО-ЧАСТОТНУЮ ХАРАКТЕРИСТИКУ"},
    {kKindSweepAmplitudes, "АМП", "АМПЛИТУДЫ"},
    {kKindSweepPhases, "ФАЗ", "ФАЗЫ"},
}};

// The position of the view the label names, the one the chart was last given.
int ShownViewPosition(const ui::Label& label) {
    for (size_t i = 0; i < kSweepViews.size(); ++i) {
        if (label.Caption() == kSweepViews[i].caption) return static_cast<int>(i) + 1;
    }
    return 1;
}

} // namespace

void TForma::TrackBarAFFCshowChange(ui::Control*) {
    // While a worker streams into the record, only the worker itself (its results shown when it
    // ends) may redraw from it; the bar goes back to the view still shown.
    if (RecordInWorkersHands()) {
        TrackBarAFFCshow->SetPosition(ShownViewPosition(*LabelAFFCshow));
        return;
    }
    // Without results there is nothing but the raw view to show.
    if (FrequencyResponse.AfcSteps <= 0) {
        TrackBarAFFCshow->SetPosition(1);
        return;
    }
    const int position = TrackBarAFFCshow->Position();
    // Results read from a file come without their raw data: the gain is the first view they have.
    if (SampleData.FrameCount == 0 && position <= 1) {
        TrackBarAFFCshow->SetPosition(2);
        return;
    }
    if (position < 1 || position > static_cast<int>(kSweepViews.size())) return;
    const SweepView& view = kSweepViews[static_cast<size_t>(position - 1)];
    ChartState.DataKind = view.kind;
    LabelAFFCshow->SetCaption(view.caption);
    LabelAFFCshow->SetHint(view.hint);
    RedrawChart();
}

void TForma::TrackBarAFFCchartChange(ui::Control*) {
    if (FrequencyResponse.AfcSteps <= 0) return;
    const bool logarithmic = TrackBarAFFCchart->Position() >= 2;
    LabelAFFCchart->SetCaption(logarithmic ? "ЛОГ" : "ЛИН");
    Chart->BottomAxis().SetLogarithmic(logarithmic);
}
