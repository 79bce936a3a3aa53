#include "settings/Options.h"

#include "settings/BringUp.h"
#include "settings/BringUpSteps.h"
#include "state/State.h"

TOption* Option = nullptr;

TOption::TOption() {
    CreateDialogControls();
    SpeedButtonQuev = Add<ui::SpeedButton>("SpeedButtonQuev", 4, 4, 25, 25);
    SpeedButtonQuev->SetHint("Подключить модуль Quev с интегрированным ЦАПом");
    SpeedButtonQuev->SetVisible(false);
    SpeedButtonQuev->OnClick = [this](ui::Control* sender) { SpeedButtonQuevClick(sender); };
    FormCreate(this);
}

TOption::~TOption() { FormDestroy(this); }

void TOption::FormCreate(ui::Control*) {
    SetStartupValues();
    ConnectQuevModule();
    ConnectUsb3000Module();
    if (ModuleState.QuevPresent != 1 && ModuleState.Usb3000Present != 1) {
        bringup::AppendLog("Модуль АЦП не обнаружен ...");
    }
    SetStartupRunFlags();
}

void TOption::FormDestroy(ui::Control*) { ReleaseModulesAtShutdown(); }
