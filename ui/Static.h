#pragma once
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

class Label : public Control {
public:
    ControlKind Kind() const override { return ControlKind::Label; }
};

enum class ShapeType : std::uint8_t { Rectangle, Circle };

// A drawn figure; Color() is its brush colour.
class Shape : public Control {
public:
    ControlKind Kind() const override { return ControlKind::Shape; }

    ShapeType Type() const { return type_; }
    void SetType(ShapeType type);
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width);

private:
    ShapeType type_ = ShapeType::Rectangle;
    int penWidth_ = 1;
};

enum class Alignment : std::uint8_t { Left, Center, Right };

struct StatusPanel {
    std::string Text;
    int Width = 50;
    ui::Alignment Alignment = ui::Alignment::Left;

    bool operator==(const StatusPanel&) const = default;
};

class StatusBar : public Control {
public:
    ControlKind Kind() const override { return ControlKind::StatusBar; }

    int PanelCount() const { return static_cast<int>(panels_.size()); }
    // Index errors raise std::out_of_range.
    const StatusPanel& Panel(int index) const;
    void AddPanel(const StatusPanel& panel);
    void SetPanelText(int index, const std::string& text);

private:
    std::vector<StatusPanel> panels_;
};

} // namespace ui
