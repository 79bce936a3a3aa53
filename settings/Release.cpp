#include "settings/BringUp.h"
#include "settings/BringUpSteps.h"
#include "ui/Application.h"
#include "ui/MessageFlags.h"
#include "state/State.h"
#include "window/Form.h"

namespace {

// The ready flags fall before the interface goes, so that nothing takes the module for up while
// it is being released. True when the module accepted its release (or there was none to do).
template <class Module>
bool Drop(Module*& module, ByteFlag& adcReady, ByteFlag& dacReady) {
    adcReady = 0;
    dacReady = 0;
    Module* released = module;
    module = nullptr;
    return released == nullptr || bringup::Succeeded(released->ReleaseDevice());
}

// At the end of the program the refusal of a module that was up is worth telling the operator;
// an interface that never reached its module goes quietly.
void ReleaseAtShutdown(bool wasUp, bool accepted) {
    if (wasUp && !accepted) {
        bringup::ShowError("Не могу освободить интерфейс модуля!", ui::MB_ICONINFORMATION);
    }
}

}  // namespace

void DropQuevInterface() { Drop(ModuleState.QuevModule, ModuleState.QuevPresent, ModuleState.QuevDacPresent); }

void DropUsb3000Interface() {
    Drop(ModuleState.Usb3000Module, ModuleState.Usb3000Present, ModuleState.Usb3000DacPresent);
}

void AbandonQuevBringUp() {
    DropQuevInterface();
    bringup::ShowModulesDown();
}

void AbandonUsb3000BringUp() {
    DropUsb3000Interface();
    bringup::ShowModulesDown();
}

void ReleaseQuevModule() {
    AbandonQuevBringUp();
    ModulesUpChanged();
}

void ReleaseUsb3000Module() {
    AbandonUsb3000BringUp();
    ModulesUpChanged();
}

void ModulesUpChanged() {
    if (Forma == nullptr) return;
    Forma->RangesFollowServingModule();
    Forma->RateFollowsServingModule();
}

void ReleaseModulesAtShutdown() {
    const bool quevUp = ModuleState.QuevPresent == 1;
    ReleaseAtShutdown(quevUp, Drop(ModuleState.QuevModule, ModuleState.QuevPresent, ModuleState.QuevDacPresent));
    const bool usb3000Up = ModuleState.Usb3000Present == 1;
    ReleaseAtShutdown(usb3000Up, Drop(ModuleState.Usb3000Module, ModuleState.Usb3000Present,
                                      ModuleState.Usb3000DacPresent));
}

bool ModulesInUse() {
    return ui::Application.AnyWorkerAlive() || ThreadControl.AcqRunning || ThreadControl.AfcRunning ||
           ThreadControl.PlayRunning;
}
