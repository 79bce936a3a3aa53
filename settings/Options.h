#pragma once
// The options form: created hidden at start-up, its creation runs the acquisition side's start-up;
// its destruction the acquisition side's shutdown.
#include "ui/Controls.h"

class TOption : public ui::Form {
public:
    TOption();
    ~TOption() override;

    // The module check, clicked by the main window's SpeedButtonQuev.
    ui::SpeedButton* SpeedButtonQuev = nullptr;

    void SpeedButtonQuevClick(ui::Control* Sender);
};

extern TOption* Option;
