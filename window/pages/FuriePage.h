#pragma once
// Controls of the processing page (TabSheetFurie). TForma inherits them; TForma::CreateFuriePage in
// window/pages/FuriePage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct FuriePage {
    // The analysis window: first frame and number of frames.
    ui::MaskEdit* EditBeg = nullptr;
    ui::MaskEdit* EditKol = nullptr;

    // Analyses and views.
    ui::SpeedButton* SpeedButtonFurie = nullptr;    // Fourier series
    ui::SpeedButton* SpeedButtonFFT = nullptr;      // transform of the resampled window
    ui::SpeedButton* SpeedButtonFurieSP = nullptr;  // Fourier series on logarithmic axes
    ui::SpeedButton* SpeedButtonPosl = nullptr;     // sequence components; never shown
    ui::SpeedButton* SpeedButtonAFC = nullptr;      // response of a recorded sweep; never shown
    ui::SpeedButton* SpeedButtonOption = nullptr;
    ui::SpeedButton* SpeedButtonDan = nullptr;

    // Display of the harmonic views: amplitudes or phases, harmonic 0 shown or left out.
    ui::GroupBox* GroupBoxFurie = nullptr;
    ui::RadioButton* RadioButtonFurieAmpl = nullptr;
    ui::RadioButton* RadioButtonFurieFaza = nullptr;
    ui::GroupBox* GroupBox0Garm = nullptr;
    ui::RadioButton* RadioButton0GarmYes = nullptr;
    ui::RadioButton* RadioButton0GarmNo = nullptr;

    // Units of the chart's axes.
    ui::GroupBox* GroupBoxFurieX = nullptr;
    ui::ComboBox* ComboBoxFurieX = nullptr;
    ui::GroupBox* GroupBoxFurieY = nullptr;
    ui::ComboBox* ComboBoxFurieY = nullptr;
};
