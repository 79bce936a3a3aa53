#include "ui/Control.h"

#include <algorithm>

#include "ui/Application.h"

namespace ui {

Control::~Control() {
    // Children go first so that observers hear of them while their parent still stands.
    children_.clear();
    Notify(Property::Destroyed);
}

void Control::SetCaption(const std::string& caption) { Assign(caption_, caption, Property::Caption); }
void Control::SetHint(const std::string& hint) { Assign(hint_, hint, Property::Hint); }
void Control::SetVisible(bool visible) { Assign(visible_, visible, Property::Visible); }
void Control::SetEnabled(bool enabled) { Assign(enabled_, enabled, Property::Enabled); }
void Control::SetColor(TColor color) { Assign(color_, color, Property::Color); }
void Control::SetFont(const ui::Font& font) { Assign(font_, font, Property::Font); }
void Control::SetAlign(ui::Align align) { Assign(align_, align, Property::Align); }

void Control::SetFontColor(TColor color) {
    ui::Font font = font_;
    font.Color = color;
    SetFont(font);
}

void Control::SetFontSize(int size) {
    ui::Font font = font_;
    font.Size = size;
    SetFont(font);
}

void Control::SetFontBold(bool bold) {
    ui::Font font = font_;
    font.Bold = bold;
    SetFont(font);
}

void Control::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Notify(Property::Bounds);
}

bool Control::Operable() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (!c->enabled_) return false;
        // A form's own visibility does not count: its controls are driven while it is hidden too.
        if (c->Kind() != ControlKind::Form && !c->visible_) return false;
    }
    return true;
}

void Control::Click() {
    if (!Operable()) return;
    Application.Dispatch([this] {
        ClickState();
        if (ClickFiresHandler()) Fire(OnClick);
    });
}

void Control::PerformClick() {
    Application.Dispatch([this] { Fire(OnClick); });
}

ObserverId Control::Subscribe(Observer observer) {
    const ObserverId id = nextObserverId_++;
    observers_.push_back({id, std::make_shared<Observer>(std::move(observer))});
    return id;
}

void Control::Unsubscribe(ObserverId id) {
    for (auto& s : observers_) {
        if (s.id == id) s.observer = nullptr;
    }
    if (notifying_ == 0) std::erase_if(observers_, [](const Subscription& s) { return !s.observer; });
}

void Control::BeginUpdate() { ++updateDepth_; }

void Control::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ > 0) return;
    const std::uint64_t pending = pending_;
    pending_ = 0;
    for (unsigned bit = 0; bit < 64; ++bit) {
        if (pending & (std::uint64_t{1} << bit)) Notify(static_cast<Property>(bit));
    }
}

void Control::Notify(Property what) {
    if (updateDepth_ > 0 && what != Property::Destroyed) {
        pending_ |= std::uint64_t{1} << static_cast<unsigned>(what);
        return;
    }
    if (observers_.empty()) return;
    // By index, holding each observer alive while it runs, and no copy of the list: chart points
    // are reported one by one. An observer may subscribe (told too) or unsubscribe (skipped,
    // removed afterwards) while being told.
    ++notifying_;
    for (std::size_t i = 0; i < observers_.size(); ++i) {
        if (auto observer = observers_[i].observer) (*observer)(*this, what);
    }
    if (--notifying_ == 0) std::erase_if(observers_, [](const Subscription& s) { return !s.observer; });
}

} // namespace ui
