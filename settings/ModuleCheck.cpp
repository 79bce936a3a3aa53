#include "settings/BringUp.h"
#include "settings/Options.h"
#include "state/State.h"

// The operator's new look for modules: whatever is up is let go and both kinds are brought up
// again. The lamps are left to the bring-ups; the acquisition page's rate and ranges follow
// whatever came up. Releasing an interface a worker still streams through would pull it from
// under the worker, so the check waits for a quiet station.
void TOption::SpeedButtonQuevClick(ui::Control*) {
    if (ModulesInUse()) return;
    if (ModuleState.QuevPresent == 1) DropQuevInterface();
    if (ModuleState.Usb3000Present == 1) DropUsb3000Interface();
    ConnectQuevModule();
    ConnectUsb3000Module();
    ModulesUpChanged();
}
