#pragma once
// Controls of the balancing page (TabSheetBalance). TForma inherits them; TForma::CreateBalancePage in
// window/pages/BalancePage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct BalancePage {
    // Recording of the mark and the two planes, with the vibration of five revolutions.
    ui::SpeedButton* SpeedButtonBRun = nullptr;
    // Gain of the two plane channels (range code 0 to 3).
    ui::GroupBox* GroupBoxBKoef = nullptr;
    ui::ComboBox* ComboBoxBKoef = nullptr;
    // Correction masses and angles from one revolution of the data in memory.
    ui::SpeedButton* SpeedButtonBalance = nullptr;
    // Where the mark search starts and how many frames a revolution is expected to take.
    ui::GroupBox* GroupBoxBBegin = nullptr;
    ui::Edit* EditBBegin = nullptr;
    ui::GroupBox* GroupBoxBKol = nullptr;
    ui::Edit* EditBKol = nullptr;
    // The reference vibration the correction is computed against.
    ui::GroupBox* GroupBoxBAmpl = nullptr;
    ui::Edit* EditBAmpl = nullptr;
    ui::GroupBox* GroupBoxBFaza = nullptr;
    ui::Edit* EditBFaza = nullptr;
    // The page's result lines.
    ui::Memo* MemoB = nullptr;
};
