#pragma once
// The program's entry: creates the three forms, runs the message loop, shuts down.
#include <functional>

namespace ui {
class FrontEnd;
}

// Where the application's help file is looked for.
inline constexpr const char* kHelpFilePath = "/usr/share/quev/Help/HELP.HLP";

// Start-up: help file, then the main window, the report form and the options form, in that order
// (the options form's creation runs the acquisition side's start-up).
void CreateForms();

// Shutdown: every worker still alive is asked to stop (its running flag cleared) and awaited while
// its synchronous calls are served, knowing the program ends (a sweep stops without its report);
// then the forms are destroyed, the last created first, and the
// shared state is freed.
void DestroyForms();

// The whole program on the given front end. runMessageLoop returns when the main window has been
// closed (a headless run passes one that returns at once). Returns the exit code.
int ProgramMain(ui::FrontEnd& frontEnd, const std::function<void()>& runMessageLoop);
