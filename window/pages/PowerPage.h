#pragma once
// Controls of the three-phase power page (TabSheetPower). TForma inherits them; TForma::CreatePowerPage in
// window/pages/PowerPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct PowerPage {
    // Sensor coefficients of the currents and voltages.
    ui::GroupBox* GroupBoxKI = nullptr;
    ui::MaskEdit* EditKI = nullptr;
    ui::GroupBox* GroupBoxKU = nullptr;
    ui::MaskEdit* EditKU = nullptr;
};
