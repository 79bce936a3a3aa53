#include "window/Form.h"

void TForma::CreatePowerPage() {
    // Sensor coefficients: amperes and volts per volt at the module's input.
    GroupBoxKI = TabSheetPower->Add<ui::GroupBox>("GroupBoxKI", 150, 0, 50, 40);
    GroupBoxKI->SetCaption("  Ток  ");
    EditKI = GroupBoxKI->Add<ui::MaskEdit>("EditKI", 4, 15, 42, 21);
    EditKI->SetText("10");
    GroupBoxKU = TabSheetPower->Add<ui::GroupBox>("GroupBoxKU", 204, 0, 50, 40);
    GroupBoxKU->SetCaption(" Напр.");
    EditKU = GroupBoxKU->Add<ui::MaskEdit>("EditKU", 4, 15, 42, 21);
    EditKU->SetText("100");
}
