// Views of the power page, the voltage wiring and the averaging interval. None of them
// recomputes: new choices take effect at the next computation.

#include "threads/WorkerSlot.h"
#include "window/Form.h"
#include "window/pages/RadioPair.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace {

// The chart shows `kind`; while a worker is alive the buffers the views read are its own.
void ShowView(uint8_t kind) {
    if (WorkersBusy()) return;
    ChartState.DataKind = kind;
    RedrawChart();
}

}  // namespace

void TForma::SpeedButtonVisDanClick(ui::Control*) { ShowView(kKindTimeData); }
void TForma::SpeedButtonVisIClick(ui::Control*) { ShowView(kKindCurrents); }
void TForma::SpeedButtonVisUClick(ui::Control*) { ShowView(kKindVoltages); }
void TForma::SpeedButtonVisPactClick(ui::Control*) { ShowView(kKindPower); }
void TForma::SpeedButtonVisMomentClick(ui::Control*) { ShowView(kKindTorque); }
void TForma::SpeedButtonVisSpeedClick(ui::Control*) { ShowView(kKindSpeed); }
void TForma::SpeedButtonVisPoslClick(ui::Control*) { ShowView(kKindSequence); }
void TForma::SpeedButtonVisUfazClick(ui::Control*) { ShowView(kKindPhaseVoltages); }

void TForma::RadioButtonUlinClick(ui::Control*) { ChooseInPair(RadioButtonUlin, RadioButtonUfaz); }
void TForma::RadioButtonUfazClick(ui::Control*) { ChooseInPair(RadioButtonUfaz, RadioButtonUlin); }

void TForma::TrackBarRoundChange(ui::Control*) {
    const int position = TrackBarRound->Position();
    if (position < 1 || position > static_cast<int>(kAveragingIntervals.size())) return;
    LabelRound->SetCaption(kAveragingIntervals[static_cast<size_t>(position - 1)].caption);
}
