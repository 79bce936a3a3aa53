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

// The state both check boxes and radio buttons keep. Becoming checked runs the click handler
// already, so the operator's click runs nothing more after its state change.
class CheckableControl : public Control {
public:
    bool Checked() const { return checked_; }

protected:
    bool ClickFiresHandler() const override { return false; }
    // True when the state really changed (observers have been told).
    bool StoreChecked(bool checked) { return Assign(checked_, checked, Property::Checked); }

private:
    bool checked_ = false;
};

// Changing Checked, from code or by a click, runs the click handler (only on a real change).
class CheckBox : public CheckableControl {
public:
    ControlKind Kind() const override { return ControlKind::CheckBox; }
    void SetChecked(bool checked);

protected:
    void ClickState() override;
};

// Radio buttons of one parent form a group: checking one unchecks the others. Becoming checked,
// from code or by a click, runs the click handler; clicking a checked button does nothing.
class RadioButton : public CheckableControl {
public:
    ControlKind Kind() const override { return ControlKind::RadioButton; }
    void SetChecked(bool checked);

protected:
    void ClickState() override;
};

} // namespace ui
