#pragma once
// Controls of the DAC playback buffer page (TabSheetShem). TForma inherits them; TForma::CreateShemPage in
// window/pages/ShemPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct ShemPage {
};
