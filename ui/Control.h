#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Color.h"

namespace ui {

class Control;

// What changed on a control; observers redraw only that.
enum class Property : std::uint8_t {
    Caption,
    Text,
    Checked,
    Down,
    Group,       // group index or all-up permission of a speed button
    ItemIndex,
    Items,
    Position,
    Range,       // minimum or maximum of a track bar
    Lines,
    EditMask,
    Color,
    Font,
    Hint,
    Visible,
    Enabled,
    Bounds,
    Align,
    Children,    // a child control was added
    ActivePage,
    Panels,      // status bar panels
    ShapeStyle,  // shape kind or pen width
    SeriesData,  // points of one or more chart series
    SeriesStyle, // colour, active state, title or multipliers of a series
    Axis,        // axis settings or current limits
    Title,       // chart title text, visibility or font
    Legend,
    Destroyed,   // sent from the control's destructor: only the base part is still valid
};

// Which kind a control is, so that a front end can switch on it without casts guessing.
enum class ControlKind : std::uint8_t {
    Form,
    Panel,
    GroupBox,
    Label,
    Edit,
    MaskEdit,
    Memo,
    Button,
    SpeedButton,
    CheckBox,
    RadioButton,
    ComboBox,
    TrackBar,
    Shape,
    StatusBar,
    PageControl,
    TabSheet,
    Chart,
};

enum class Align : std::uint8_t { None, Top, Bottom, Left, Right, Client };

struct Font {
    std::string Name = "MS Sans Serif";
    int Size = 8;
    TColor Color = clBlack;
    bool Bold = false;
    bool Underline = false;

    bool operator==(const Font&) const = default;
};

// Event handlers receive the control that raised the event.
using NotifyEvent = std::function<void(Control* sender)>;
using Observer = std::function<void(Control& sender, Property what)>;
using ObserverId = std::size_t;

// The base of every control: identity, place in the tree, the properties every kind shares, the
// observer list and the click event. Children are owned by their parent; a form owns its whole tree.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    virtual ControlKind Kind() const = 0;

    const std::string& Name() const { return name_; }
    Control* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<Control>>& Children() const { return children_; }

    // Creates a child of kind T owned by this control.
    template <class T>
    T* Add(std::string name) {
        auto child = std::make_unique<T>();
        T* raw = child.get();
        raw->name_ = std::move(name);
        raw->parent_ = this;
        children_.push_back(std::move(child));
        Notify(Property::Children);
        return raw;
    }
    // The same, placed at the given bounds.
    template <class T>
    T* Add(std::string name, int left, int top, int width, int height) {
        T* child = Add<T>(std::move(name));
        child->SetBounds(left, top, width, height);
        return child;
    }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    const ui::Font& Font() const { return font_; }
    void SetFont(const ui::Font& font);
    void SetFontColor(TColor color);
    void SetFontSize(int size);
    void SetFontBold(bool bold);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    ui::Align Align() const { return align_; }
    void SetAlign(ui::Align align);

    // True when an operator could reach the control: it and every parent up to its form are
    // visible and enabled. Operator actions on other controls do nothing.
    bool Operable() const;

    NotifyEvent OnClick;
    // The operator's click: kinds with a state (check box, speed button, ...) change it first.
    // Runs through the application's event dispatch; ignored when the control is not operable.
    void Click();
    // A click performed from code: runs the click handler only, whatever the control's visibility.
    void PerformClick();

    ObserverId Subscribe(Observer observer);
    void Unsubscribe(ObserverId id);

    // Coalesces notifications: between the outermost BeginUpdate and EndUpdate every property that
    // changed is reported once, at EndUpdate.
    void BeginUpdate();
    void EndUpdate();

protected:
    Control() = default;

    void Notify(Property what);
    // Runs an event handler set on this control, if any, with this control as sender.
    void Fire(const NotifyEvent& handler) {
        if (handler) handler(this);
    }
    // The state change an operator's click makes before the click handler runs.
    virtual void ClickState() {}
    // Whether the click handler runs after ClickState (a radio button already checked: no).
    virtual bool ClickFiresHandler() const { return true; }

    template <class V>
    bool Assign(V& member, const V& value, Property what) {
        if (member == value) return false;
        member = value;
        Notify(what);
        return true;
    }

private:
    struct Subscription {
        ObserverId id;
        std::shared_ptr<Observer> observer;
    };

    std::string name_;
    Control* parent_ = nullptr;
    std::vector<std::unique_ptr<Control>> children_;
    std::string caption_;
    std::string hint_;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    ui::Font font_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    ui::Align align_ = ui::Align::None;
    std::vector<Subscription> observers_;
    ObserverId nextObserverId_ = 1;
    int notifying_ = 0;
    int updateDepth_ = 0;
    std::uint64_t pending_ = 0;
};

} // namespace ui
