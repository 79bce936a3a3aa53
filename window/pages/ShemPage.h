#pragma once
// Controls of the DAC playback buffer page (TabSheetShem). TForma inherits them; TForma::CreateShemPage in
// window/pages/ShemPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct ShemPage {
    // Composing the DAC buffer out of ДШК ШЭМ data: the kadr list and the buttons that append a
    // kadr or a pause; opening such data fills the list and enables them.
    ui::GroupBox* GroupBoxBufDAC = nullptr;
    ui::ComboBox* ComboBoxKadrs = nullptr;
    ui::SpeedButton* SpeedButtonEnter = nullptr;
    ui::SpeedButton* SpeedButtonSpace = nullptr;
};
