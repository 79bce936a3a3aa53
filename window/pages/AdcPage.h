#pragma once
// Controls of the acquisition page (TabSheetADC). TForma inherits them; TForma::CreateAdcPage in
// window/pages/AdcPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct AdcPage {
};
