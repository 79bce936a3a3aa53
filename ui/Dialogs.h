#pragma once
#include <string>
#include <vector>

#include "ui/Color.h"

namespace ui {

// An open or save dialog. Filter is "description|pattern|description|pattern..."; FilterIndex is
// 1-based and remembered between runs. A confirmed choice also makes the chosen file's folder the
// process's current directory, as the platform's dialogs do.
class FileDialog {
public:
    enum class Mode { Open, Save };

    explicit FileDialog(Mode mode) : mode_(mode) {}
    virtual ~FileDialog() = default;

    Mode DialogMode() const { return mode_; }

    std::string Filter;
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string FileName;
    std::string Title;

    // The filter's descriptions, in order.
    std::vector<std::string> FilterNames() const;

    // Shows the dialog through the front end; true when the operator confirmed a file.
    bool Execute();

private:
    Mode mode_;
};

class OpenDialog : public FileDialog {
public:
    OpenDialog() : FileDialog(Mode::Open) {}
};

class SaveDialog : public FileDialog {
public:
    SaveDialog() : FileDialog(Mode::Save) {}
};

class ColorDialog {
public:
    TColor Color = clBlack;

    // Shows the dialog through the front end; true when the operator confirmed a colour.
    bool Execute();
};

} // namespace ui
