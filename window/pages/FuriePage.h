#pragma once
// Controls of the processing page (TabSheetFurie). TForma inherits them; TForma::CreateFuriePage in
// window/pages/FuriePage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct FuriePage {
};
