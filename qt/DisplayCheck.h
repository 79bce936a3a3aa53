#pragma once

#include <optional>
#include <string>

namespace qtfront {

// Qt aborts with a stack of platform-plugin messages when it cannot reach a display. The program
// checks first and says it in one line instead. Returns the line to print, or nothing when a
// display (or a display-less platform such as "offscreen") is available.
std::optional<std::string> MissingDisplayMessage();

// Turns any fatal Qt message (a display that cannot be reached, a plugin that failed) into one
// line on standard error and a plain exit, instead of an abort with a core dump. Until
// FinishStartup() the platform plugin's complaints are held back, so that a failed start says
// one line only; once started they are passed on.
void InstallFatalMessageHandler();
void FinishStartup();

}  // namespace qtfront
