#pragma once
#include <string>

#include "ui/Control.h"
#include "ui/StringList.h"

namespace ui {

// A one-line edit. Changing the text, from code or by typing, runs OnChange (only on a real
// change); the exit event runs whenever focus leaves, changed or not.
class Edit : public Control {
public:
    ControlKind Kind() const override { return ControlKind::Edit; }

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);

    NotifyEvent OnChange;
    NotifyEvent OnExit;

    // The operator replaces the text (one change event).
    void Type(const std::string& text);
    // The operator moves focus away.
    void Leave();

private:
    std::string text_;
};

// An edit with an input mask. The mask is kept for the front end, which restricts the keys the
// operator may type; texts set from code are taken as they are.
class MaskEdit : public Edit {
public:
    ControlKind Kind() const override { return ControlKind::MaskEdit; }

    const std::string& EditMask() const { return editMask_; }
    void SetEditMask(const std::string& mask);

private:
    std::string editMask_;
};

// A multi-line edit whose text is a list of lines. Any change of the lines runs OnChange.
class Memo : public Control {
public:
    Memo();
    ControlKind Kind() const override { return ControlKind::Memo; }

    StringList& Lines() { return lines_; }
    const StringList& Lines() const { return lines_; }
    std::string Text() const { return lines_.Text(); }
    void SetText(const std::string& text) { lines_.SetText(text); }

    NotifyEvent OnChange;
    NotifyEvent OnExit;

    void Type(const std::string& text);
    void Leave();

private:
    StringList lines_;
};

} // namespace ui
