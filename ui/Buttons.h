#pragma once
#include "ui/Control.h"

namespace ui {

class Button : public Control {
public:
    ControlKind Kind() const override { return ControlKind::Button; }
};

// A flat button that may stay down. Buttons of one parent with the same non-zero group index are
// exclusive: putting one down pops the others up. A button of group 0 is never down, and a down
// button whose group does not allow all up never comes up (neither by code nor by a click). The
// operator's click changes the down state before the click handler runs.
class SpeedButton : public Control {
public:
    ControlKind Kind() const override { return ControlKind::SpeedButton; }

    bool Down() const { return down_; }
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allowAllUp);

protected:
    void ClickState() override;

private:
    void PopUpGroupMates();

    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
};

// Changing Checked, from code or by a click, runs the click handler (only on a real change).
class CheckBox : public Control {
public:
    ControlKind Kind() const override { return ControlKind::CheckBox; }

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

protected:
    void ClickState() override;
    bool ClickFiresHandler() const override { return false; }

private:
    bool checked_ = false;
};

// Radio buttons of one parent form a group: checking one unchecks the others. Becoming checked,
// from code or by a click, runs the click handler; clicking a checked button does nothing.
class RadioButton : public Control {
public:
    ControlKind Kind() const override { return ControlKind::RadioButton; }

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

protected:
    void ClickState() override;
    bool ClickFiresHandler() const override { return false; }

private:
    bool checked_ = false;
};

} // namespace ui
