#pragma once
// Controls of the metrology page (TabSheetMetrolog). TForma inherits them; TForma::CreateMetrologPage in
// window/pages/MetrologPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct MetrologPage {
    // Range of the codes: the four ADC ranges and the DAC's ±5 V.
    ui::GroupBox* GroupBoxMetKoef = nullptr;
    ui::ComboBox* ComboBoxMetKoef = nullptr;
    // Constant level (mV) and duration (s) of a synthesised signal.
    ui::GroupBox* GroupBoxMetConst = nullptr;
    ui::Edit* EditMetConst = nullptr;
    ui::GroupBox* GroupBoxMetTime = nullptr;
    ui::Edit* EditMetTime = nullptr;
    // One harmonic per line: frequency (Hz), amplitude (mV), phase (degrees).
    ui::Memo* MemoMetGarm = nullptr;
    // ADC rate of a synthesised signal and the DAC rate.
    ui::GroupBox* GroupBoxMetQadc = nullptr;
    ui::TrackBar* TrackBarMetQadc = nullptr;
    ui::GroupBox* GroupBoxMetQdac = nullptr;
    ui::TrackBar* TrackBarMetQdac = nullptr;
    // The four signals, the one-second recording with its mean, and a button without an action.
    ui::SpeedButton* SpeedButtonMetConst = nullptr;
    ui::SpeedButton* SpeedButtonMetSin = nullptr;
    ui::SpeedButton* SpeedButtonMetSquare = nullptr;
    ui::SpeedButton* SpeedButtonMetPila = nullptr;
    ui::SpeedButton* SpeedButtonMetRecord = nullptr;
    ui::SpeedButton* SpeedButtonMetPlay = nullptr;
};
