#include "settings/Options.h"

#include <exception>
#include <string>
#include <vector>

#include "settings/BringUp.h"
#include "settings/BringUpSteps.h"
#include "settings/SettingsFile.h"
#include "settings/SystemStatus.h"
#include "state/State.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "window/Form.h"

TOption* Option = nullptr;

namespace {

std::string SettingsPath() {
    const std::string& directory = FilesAndDirectories.StartDirectory;
    return directory.empty() ? kSettingsFileName : directory + "/" + kSettingsFileName;
}

template <class T>
void Free(std::vector<T>& array) {
    std::vector<T>().swap(array);
}

}  // namespace

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
    if (Forma == nullptr) return;
    ShowSystemInfo();
    Forma->ComboBoxMetKoef->SetItemIndex(0);
    // The current directory is still the start directory here.
    ReadSettingsFile(SettingsPath());
}

void TOption::FormDestroy(ui::Control*) {
    // No interface may go while a worker still uses it; the workers' synchronous calls are
    // served meanwhile.
    StopAndReapAllWorkers();
    for (auto& phase : PowerAnalysis.PowerSeries) Free(phase);
    Free(PowerAnalysis.PowerSeries);
    Free(PowerAnalysis.TorqueSeries);
    Free(PowerAnalysis.SpeedSeries);
    Free(BlockRing.BlockTimes);
    ReleaseModulesAtShutdown();
    if (Forma == nullptr) return;
    try {
        WriteSettingsFile(SettingsPath());
    } catch (const std::exception& e) {
        ui::Application.HandleException(e.what());
    }
}
