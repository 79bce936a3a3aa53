#pragma once
// Bring-up and release of the Quev and USB3000 modules. Each bring-up walks its module through
// the vendor library's steps, fills ModuleState, turns the main window's ADC and DAC lamps, logs
// the steps it passed and reports the step that failed. All of it runs on the GUI thread.

void ConnectQuevModule();
void ConnectUsb3000Module();

// Mark the module down (both ready flags), release its interface and forget it; both lamps turn
// red whatever the other module's state, and the acquisition page follows the module that now
// serves it (ModulesUpChanged).
void ReleaseQuevModule();
void ReleaseUsb3000Module();

// The same for a module whose bring-up failed, the page left alone: whoever brings the modules up
// lets it follow once both bring-ups are over, not halfway, with the other module not yet back.
void AbandonQuevBringUp();
void AbandonUsb3000BringUp();

// The same without touching the lamps: the module check brings the modules up again at once
// and lets the bring-ups set the lamps.
void DropQuevInterface();
void DropUsb3000Interface();

// The set of modules up has changed: the acquisition page's rate and range list follow the
// module that now serves the page.
void ModulesUpChanged();

// Program end: releases every interface still held; a module that was up and refuses its
// release is reported, and the shutdown goes on.
void ReleaseModulesAtShutdown();

// True while a worker is alive or asked to run, so that no interface may be released under it.
bool ModulesInUse();
