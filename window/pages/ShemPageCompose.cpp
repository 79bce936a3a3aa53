// Composing the DAC buffer on the playback page, and the page's two switches.
//
// While any worker is alive the buffer and the sample data are its own (the playback reads
// both): the composing buttons then do nothing. An addition the data cannot serve (a kadr past
// the frames in memory, data of fewer than two channels) is refused the same way, leaving the
// buffer, its description and the chart as they were.

#include "analysis/DacBuffer.h"
#include "state/State.h"
#include "threads/WorkerSlot.h"
#include "window/Form.h"
#include "window/Redraw.h"

namespace {

void ShowComposedBuffer(TForma& form) {
    ChartState.DataKind = kKindDacBuffer;
    form.SpeedButtonDelete->SetEnabled(true);
    RedrawChart();
}

void ShowSwitch(ui::CheckBox& box) {
    box.SetCaption(box.Checked() ? "Вкл" : "Выкл");
    box.SetFontColor(box.Checked() ? ui::clGreen : ui::clRed);
}

} // namespace

void TForma::SpeedButtonEnterClick(ui::Control*) {
    if (WorkersBusy()) return;
    if (AppendKadrs(ComboBoxKadrs->ItemIndex()) != ComposeStatus::Done) return;
    ShowComposedBuffer(*this);
}

void TForma::SpeedButtonSpaceClick(ui::Control*) {
    if (WorkersBusy()) return;
    if (AppendPause() != ComposeStatus::Done) return;
    ShowComposedBuffer(*this);
}

// The display mode stays: the chart shows the emptied buffer only when it showed the buffer.
void TForma::SpeedButtonDeleteClick(ui::Control*) {
    if (WorkersBusy()) return;
    ClearDacBuffer();
    SpeedButtonDelete->SetEnabled(false);
    RedrawChart();
}

void TForma::CheckBoxSFilterClick(ui::Control*) { ShowSwitch(*CheckBoxSFilter); }

void TForma::CheckBoxSControlClick(ui::Control*) { ShowSwitch(*CheckBoxSControl); }
