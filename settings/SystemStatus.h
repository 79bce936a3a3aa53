#pragma once
// The main window's status bar: the operating system, free memory and free disk space.

// Keeps the current directory as the start directory (config.cfg is written there at the end)
// and fills the three panels.
void ShowSystemInfo();
// Refills the memory and disk panels.
void ShowFreeMemory();
