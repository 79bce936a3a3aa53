#pragma once
// Controls of the three-phase power page (TabSheetPower). TForma inherits them; TForma::CreatePowerPage in
// window/pages/PowerPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct PowerPage {
};
