#pragma once
#include <string>

namespace ui {

class Chart;
class ColorDialog;
class FileDialog;
class Form;

// What the station needs from whatever shows it: modal dialogs, message boxes, the clipboard and a
// way to wake the GUI loop. The Qt front end implements it with real windows; ScriptedFrontEnd
// answers from a script for tests and headless runs. All calls come on the GUI thread except
// WakeGui.
class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Shows a modal box; returns the button pressed (IDOK, IDYES, ...).
    virtual int MessageBox(const std::string& text, const std::string& caption, int flags) = 0;
    // On confirmation fills the dialog's FileName and FilterIndex and returns true.
    virtual bool ExecuteFileDialog(FileDialog& dialog) = 0;
    // On confirmation fills the dialog's Color and returns true.
    virtual bool ExecuteColorDialog(ColorDialog& dialog) = 0;
    // Puts an image of the chart (its size, white background) on the clipboard.
    virtual void CopyChartToClipboard(const Chart& chart) = 0;
    // Shows the print preview of a report form's charts, modal. Without a display there is
    // nothing to show.
    virtual void PreviewReport(const Form& /*report*/) {}

    // Called from a worker thread when a synchronous call is queued: the GUI loop should call
    // Application.ServePendingCalls() soon. Must not block.
    virtual void WakeGui() {}
    // Lets the toolkit handle its pending events (part of Application.ProcessMessages()).
    virtual void ProcessEvents() {}
};

} // namespace ui
