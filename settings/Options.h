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

    // Start-up: start values, both modules brought up, the run flags idle.
    void FormCreate(ui::Control* Sender);
    // Shutdown (every worker has ended by now): the module interfaces are released.
    void FormDestroy(ui::Control* Sender);
};

extern TOption* Option;
