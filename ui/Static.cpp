#include "ui/Static.h"

#include <stdexcept>

namespace ui {

void Shape::SetType(ShapeType type) { Assign(type_, type, Property::ShapeStyle); }
void Shape::SetPenWidth(int width) { Assign(penWidth_, width, Property::ShapeStyle); }

const StatusPanel& StatusBar::Panel(int index) const {
    if (index < 0 || index >= PanelCount()) {
        throw std::out_of_range("Status bar panel index out of bounds (" + std::to_string(index) + ")");
    }
    return panels_[static_cast<std::size_t>(index)];
}

void StatusBar::AddPanel(const StatusPanel& panel) {
    panels_.push_back(panel);
    Notify(Property::Panels);
}

void StatusBar::SetPanelText(int index, const std::string& text) {
    Panel(index);
    auto& slot = panels_[static_cast<std::size_t>(index)].Text;
    if (slot == text) return;
    slot = text;
    Notify(Property::Panels);
}

} // namespace ui
