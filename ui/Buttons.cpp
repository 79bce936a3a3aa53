#include "ui/Buttons.h"

namespace ui {

namespace {

// Runs fn on every sibling of `self` (same parent) of type T.
template <class T, class Fn>
void ForEachSibling(Control& self, Fn fn) {
    if (self.Parent() == nullptr) return;
    for (const auto& child : self.Parent()->Children()) {
        if (child.get() == &self) continue;
        if (auto* sibling = dynamic_cast<T*>(child.get())) fn(*sibling);
    }
}

} // namespace

void SpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = down;
    Notify(Property::Down);
    if (down_) PopUpGroupMates();
}

void SpeedButton::PopUpGroupMates() {
    ForEachSibling<SpeedButton>(*this, [this](SpeedButton& mate) {
        if (mate.groupIndex_ == groupIndex_ && mate.down_) {
            mate.down_ = false;
            mate.Notify(Property::Down);
        }
    });
}

void SpeedButton::SetGroupIndex(int groupIndex) {
    if (!Assign(groupIndex_, groupIndex, Property::Group)) return;
    if (groupIndex_ == 0 && down_) {
        down_ = false;
        Notify(Property::Down);
    } else if (down_) {
        PopUpGroupMates();
    }
}

void SpeedButton::SetAllowAllUp(bool allowAllUp) { Assign(allowAllUp_, allowAllUp, Property::Group); }

void SpeedButton::ClickState() {
    if (groupIndex_ != 0) SetDown(!down_);
}

void CheckBox::SetChecked(bool checked) {
    if (StoreChecked(checked)) Fire(OnClick);
}

void CheckBox::ClickState() { SetChecked(!Checked()); }

void RadioButton::SetChecked(bool checked) {
    if (!StoreChecked(checked) || !checked) return;
    ForEachSibling<RadioButton>(*this, [](RadioButton& other) { other.StoreChecked(false); });
    Fire(OnClick);
}

void RadioButton::ClickState() { SetChecked(true); }

} // namespace ui
