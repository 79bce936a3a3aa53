#pragma once
// Controls of the DAC playback buffer page (TabSheetShem). TForma inherits them; TForma::CreateShemPage in
// window/pages/ShemPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct ShemPage {
    // The bench-simulation buttons; only the play button acts: it starts and stops the playback.
    ui::SpeedButton* SpeedButtonSRecord = nullptr;
    ui::SpeedButton* SpeedButtonSPlay = nullptr;
    ui::SpeedButton* SpeedButtonSShow = nullptr;
    ui::SpeedButton* SpeedButtonSPause = nullptr;

    // The software filter switch, and the hardware-filter check the playback reads: checked
    // records 2 channels at 30 kHz, unchecked 4 channels at 60 kHz.
    ui::GroupBox* GroupBoxSFilter = nullptr;
    ui::CheckBox* CheckBoxSFilter = nullptr;
    ui::GroupBox* GroupBoxSControl = nullptr;
    ui::CheckBox* CheckBoxSControl = nullptr;

    // Composing the DAC buffer out of ДШК ШЭМ data: the kadr list and the buttons that append a
    // kadr or a pause, and the one that empties the buffer; opening such data fills the list and
    // enables the first three.
    ui::GroupBox* GroupBoxBufDAC = nullptr;
    ui::ComboBox* ComboBoxKadrs = nullptr;
    ui::SpeedButton* SpeedButtonEnter = nullptr;
    ui::SpeedButton* SpeedButtonSpace = nullptr;
    ui::SpeedButton* SpeedButtonDelete = nullptr;

    // The signals of the drive under test; each raises Channel1Click.
    ui::CheckBox* CheckBoxUtm = nullptr;
    ui::CheckBox* CheckBoxUzm = nullptr;
    ui::CheckBox* CheckBoxUfm = nullptr;
    ui::CheckBox* CheckBoxItmm = nullptr;
    ui::CheckBox* CheckBoxIzm = nullptr;
    ui::CheckBox* CheckBoxIfm = nullptr;
};
