#include "settings/Options.h"

#include "window/State.h"

TOption* Option = nullptr;

TOption::TOption() {
    SetCaption("Опции");
    SetBounds(0, 0, 400, 300);
    SpeedButtonQuev = Add<ui::SpeedButton>("SpeedButtonQuev", 4, 4, 25, 25);
    SpeedButtonQuev->SetVisible(false);
    SpeedButtonQuev->OnClick = [this](ui::Control* sender) { SpeedButtonQuevClick(sender); };

    SetStartupValues();
    SetStartupRunFlags();
}

TOption::~TOption() = default;

void TOption::SpeedButtonQuevClick(ui::Control*) {}
