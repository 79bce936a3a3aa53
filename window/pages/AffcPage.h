#pragma once
// Controls of the frequency-response page (TabSheetAFFC). TForma inherits them; TForma::CreateAffcPage in
// window/pages/AffcPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct AffcPage {
};
