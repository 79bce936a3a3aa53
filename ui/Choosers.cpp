#include "ui/Choosers.h"

#include <algorithm>

#include "ui/Application.h"

namespace ui {

ComboBox::ComboBox() : items_([this] { ItemsChanged(); }) {}

void ComboBox::ItemsChanged() {
    Notify(Property::Items);
    if (itemIndex_ >= items_.Count()) Assign(itemIndex_, -1, Property::ItemIndex);
}

void ComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= items_.Count()) index = -1;
    Assign(itemIndex_, index, Property::ItemIndex);
}

std::string ComboBox::Text() const { return itemIndex_ < 0 ? std::string() : items_[itemIndex_]; }

void ComboBox::Select(int index) {
    if (!Operable() || index < 0 || index >= items_.Count()) return;
    Application.Dispatch([this, index] {
        SetItemIndex(index);
        Fire(OnChange);
    });
}

void TrackBar::SetPosition(int position) {
    position = std::clamp(position, min_, std::max(min_, max_));
    if (Assign(position_, position, Property::Position)) Fire(OnChange);
}

void TrackBar::SetMin(int min) { SetRange(min, max_); }
void TrackBar::SetMax(int max) { SetRange(min_, max); }

void TrackBar::SetRange(int min, int max) {
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = std::max(min, max);
    Notify(Property::Range);
    SetPosition(position_);
}

void TrackBar::MoveTo(int position) {
    if (!Operable()) return;
    Application.Dispatch([this, position] { SetPosition(position); });
}

} // namespace ui
