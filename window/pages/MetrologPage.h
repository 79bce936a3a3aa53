#pragma once
// Controls of the metrology page (TabSheetMetrolog). TForma inherits them; TForma::CreateMetrologPage in
// window/pages/MetrologPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct MetrologPage {
};
