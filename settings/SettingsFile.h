#pragma once
// config.cfg, the station's only persisted state: the main window's choices, one per line.
//
// The file is code page 1251 with CR LF line ends: the header "Quev Dorvaline, версия 1.02",
// then 27 lines of a 24-character label (22 characters padded with blanks, ": ") directly
// followed by the value: a combo box's item index (-1 without a selection), a track bar's
// position, the active page's index, or an edit's text as it stands (possibly empty).
//
// Reading takes each line's first 23 characters as its label and the first word after them as
// its value, never looking past the line's end; lines may end in CR LF, CR or LF. An empty edit
// reads back as empty; the end of the text (end of file or Ctrl-Z) before a line's value reads
// as 0. A bad value is reported and skipped while the lines after it still apply, and lines
// missing at the end of a cut-short file leave their controls as they are; either way what such
// a control shows is put in force through its handlers, so that the window uses what it shows.
// Edits' numbers read as reals (a decimal comma is taken) and show in general format; a value
// that is not finite is refused, so that whatever the window writes reads back.

#include <string>

inline constexpr const char* kSettingsFileName = "config.cfg";
inline constexpr const char* kSettingsHeader = "Quev Dorvaline, версия 1.02";

// Applies the file at `path` to the main window's controls line by line, each value before the
// next line is read, running the change handlers the choices depend on; afterwards the chosen
// rate, time, channels, mode and range also become those of the data in memory. A missing file
// changes nothing, runs no handler and says nothing. Values that do not convert are skipped; the first one's error
// ("Invalid numeric input") is shown once by the default exception handler after the last line.
// Other read errors are shown the same way and end the reading. GUI thread.
void ReadSettingsFile(const std::string& path);

// Writes the main window's choices to `path`: first into a file beside it, which then replaces
// the old one, so that a failed write leaves the old file whole. Throws the runtime's
// input/output error on failure.
void WriteSettingsFile(const std::string& path);
