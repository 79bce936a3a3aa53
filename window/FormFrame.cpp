// Handlers of the main window's frame: chart look, series colours and visibility, the redraw
// button, the module check, the chart copy.
#include "platform/Numbers.h"
#include "settings/Options.h"
#include "window/Form.h"
#include "window/Redraw.h"

void TForma::SpeedButtonSostClick(ui::Control*) { RedrawChart(); }

// Also raised by the hidden CheckBoxD3D: the title follows CheckBoxTitle whichever box was clicked.
void TForma::CheckBoxTitleClick(ui::Control*) { Chart->SetTitleVisible(CheckBoxTitle->Checked()); }

void TForma::CheckBoxZnachClick(ui::Control*) { Chart->SetLegendVisible(CheckBoxZnach->Checked()); }

// A text that is not an integer raises the conversion error before anything changes.
void TForma::EditFTExit(ui::Control*) { Chart->SetTitleFontSize(platform::StrToInt(EditFT->Text())); }

void TForma::EditFXExit(ui::Control*) { Chart->BottomAxis().SetLabelFontSize(platform::StrToInt(EditFX->Text())); }

void TForma::EditFYExit(ui::Control*) { Chart->LeftAxis().SetLabelFontSize(platform::StrToInt(EditFY->Text())); }

void TForma::LabelCClick(int n) {
    if (n < 1 || n > kSeriesCount) return;
    if (!ColorDialog->Execute()) return;
    LabelC[n - 1]->SetFontColor(ColorDialog->Color);
    Series[n - 1]->SetColor(ColorDialog->Color);
}

void TForma::ChannelClick(int n) {
    if (n < 1 || n > kSeriesCount) return;
    Series[n - 1]->SetActive(Channel[n - 1]->Checked());
}

// The options form's handler refuses the check while a worker could still use a module.
void TForma::SpeedButtonQuevClick(ui::Control*) {
    if (Option != nullptr && Option->SpeedButtonQuev != nullptr) Option->SpeedButtonQuev->PerformClick();
}

void TForma::SpeedButtonChartToBufferClick(ui::Control*) { Chart->CopyToClipboard(); }

void TForma::SpeedButtonTimingClick(ui::Control*) {}
