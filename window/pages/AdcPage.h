#pragma once
// Controls of the acquisition page (TabSheetADC). TForma inherits them; TForma::CreateAdcPage in
// window/pages/AdcPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct AdcPage {
    // Input range of the next acquisition; bare data opened from files take it as theirs too.
    ui::GroupBox* GroupBoxK = nullptr;
    ui::ComboBox* ComboBoxK = nullptr;
    // Chart units and screen range.
    ui::GroupBox* GroupBoxC = nullptr;
    ui::ComboBox* ComboBoxC = nullptr;
    ui::GroupBox* GroupBoxX = nullptr;
    ui::ComboBox* ComboBoxX = nullptr;
    ui::GroupBox* GroupBoxY = nullptr;
    ui::ComboBox* ComboBoxY = nullptr;
    // Frequency range of the live spectrum's bottom axis.
    ui::GroupBox* GroupBoxFFT_X = nullptr;
    ui::Label* LabelFFT_XB = nullptr;
    ui::Edit* EditFFT_XB = nullptr;
    ui::Label* LabelFFT_XE = nullptr;
    ui::Edit* EditFFT_XE = nullptr;
};
