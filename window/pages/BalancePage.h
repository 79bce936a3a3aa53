#pragma once
// Controls of the balancing page (TabSheetBalance). TForma inherits them; TForma::CreateBalancePage in
// window/pages/BalancePage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct BalancePage {
};
