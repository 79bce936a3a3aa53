#pragma once
// Controls of the frequency-response page (TabSheetAFFC). TForma inherits them; TForma::CreateAffcPage in
// window/pages/AffcPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct AffcPage {
    // Starts and stops the sweep; previews the report of the last response.
    ui::SpeedButton* SpeedButtonAFFC = nullptr;
    ui::SpeedButton* SpeedButtonAFFCshow = nullptr;

    // What the chart shows of a sweep: raw data, gain, phase difference, amplitudes, phases.
    ui::TrackBar* TrackBarAFFCshow = nullptr;
    ui::Label* LabelAFFCshow = nullptr;
    // Linear or logarithmic frequency axis of the chart and the report.
    ui::TrackBar* TrackBarAFFCchart = nullptr;
    ui::Label* LabelAFFCchart = nullptr;

    // ADC range of the sweep, channels measured against channel 0, screen range (settings only).
    ui::GroupBox* GroupBoxAFFC_K = nullptr;
    ui::ComboBox* ComboBoxAFFC_K = nullptr;
    ui::GroupBox* GroupBoxAFFC_N = nullptr;
    ui::ComboBox* ComboBoxAFFC_N = nullptr;
    ui::GroupBox* GroupBoxAFFC_C = nullptr;
    ui::ComboBox* ComboBoxAFFC_C = nullptr;

    // ADC and DAC rates of the sweep.
    ui::GroupBox* GroupBoxAFFC_Qadc = nullptr;
    ui::TrackBar* TrackBarAFFC_Qadc = nullptr;
    ui::GroupBox* GroupBoxAFFC_Qdac = nullptr;
    ui::TrackBar* TrackBarAFFC_Qdac = nullptr;

    // The sweep: amplitude, start and end frequency, speed, measuring steps, rise and fall times;
    // each edit in its group with its unit label.
    ui::GroupBox* GroupBoxAFFCamp = nullptr;
    ui::Edit* EditAFFCamp = nullptr;
    ui::GroupBox* GroupBoxAFFCbeg = nullptr;
    ui::Edit* EditAFFCbeg = nullptr;
    ui::GroupBox* GroupBoxAFFCend = nullptr;
    ui::Edit* EditAFFCend = nullptr;
    ui::GroupBox* GroupBoxAFFCoct = nullptr;
    ui::Edit* EditAFFCoct = nullptr;
    ui::GroupBox* GroupBoxAFFCkol = nullptr;
    ui::Edit* EditAFFCkol = nullptr;
    ui::GroupBox* GroupBoxAFFC_TU = nullptr;
    ui::Edit* EditAFFC_TU = nullptr;
    ui::GroupBox* GroupBoxAFFC_TD = nullptr;
    ui::Edit* EditAFFC_TD = nullptr;
};
