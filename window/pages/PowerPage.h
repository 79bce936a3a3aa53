#pragma once
// Controls of the three-phase power page (TabSheetPower). TForma inherits them; TForma::CreatePowerPage in
// window/pages/PowerPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include <array>

#include "ui/Controls.h"

struct PowerPage {
    // Computes power, speed, torque and the voltages' sequence components.
    ui::SpeedButton* SpeedButtonPower = nullptr;

    // How the voltages were recorded: line or phase voltages.
    ui::GroupBox* GroupBoxUtype = nullptr;
    ui::RadioButton* RadioButtonUlin = nullptr;
    ui::RadioButton* RadioButtonUfaz = nullptr;

    // Sensor coefficients (amperes, volts and N·m per volt), the PWM and the mains frequencies.
    ui::GroupBox* GroupBoxKI = nullptr;
    ui::MaskEdit* EditKI = nullptr;
    ui::GroupBox* GroupBoxKU = nullptr;
    ui::MaskEdit* EditKU = nullptr;
    ui::GroupBox* GroupBoxKM = nullptr;
    ui::MaskEdit* EditKM = nullptr;
    ui::GroupBox* GroupBoxKH = nullptr;
    ui::MaskEdit* EditKH = nullptr;
    ui::GroupBox* GroupBoxHz = nullptr;
    ui::MaskEdit* EditHz = nullptr;

    // The averaging interval.
    ui::TrackBar* TrackBarRound = nullptr;
    ui::Label* LabelRound = nullptr;

    // What the chart shows; pressing one releases the others.
    ui::SpeedButton* SpeedButtonVisDan = nullptr;
    ui::SpeedButton* SpeedButtonVisI = nullptr;
    ui::SpeedButton* SpeedButtonVisU = nullptr;
    ui::SpeedButton* SpeedButtonVisPact = nullptr;
    ui::SpeedButton* SpeedButtonVisMoment = nullptr;
    ui::SpeedButton* SpeedButtonVisSpeed = nullptr;
    ui::SpeedButton* SpeedButtonVisPosl = nullptr;
    ui::SpeedButton* SpeedButtonVisUfaz = nullptr;
};

// One averaging interval of TrackBarRound's positions 1 to 8.
struct AveragingInterval {
    double milliseconds;
    const char* caption;
};
inline constexpr std::array<AveragingInterval, 8> kAveragingIntervals = {{
    {2.5, " 6 ШИМ "},
    {5, "12 ШИМ "},
    {10, "24 ШИМ "},
    {20, " 1/50 c"},
    {40, " 1/25 c"},
    {100, " 1/10 c"},
    {200, "  1/5 c"},
    {1000, "    1 c"},
}};
