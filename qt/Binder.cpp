#include "qt/Binder.h"

#include <QEvent>
#include <QStyle>

#include <algorithm>
#include <unordered_map>

#include "qt/Convert.h"
#include "qt/TextFit.h"

namespace qtfront {
namespace {

// Which binder shows which control; the GUI thread alone touches it.
std::unordered_map<const ui::Control*, Binder*>& Registry() {
  static std::unordered_map<const ui::Control*, Binder*> registry;
  return registry;
}

// Aligned children take their strip of the remaining area in this order, as the platform's
// forms do; within one alignment the one nearer the edge goes first.
int AlignOrder(ui::Align align) {
  switch (align) {
    case ui::Align::Top: return 0;
    case ui::Align::Bottom: return 1;
    case ui::Align::Left: return 2;
    case ui::Align::Right: return 3;
    case ui::Align::Client: return 4;
    case ui::Align::None: break;
  }
  return 5;
}

int EdgeDistance(const ui::Control& c) {
  switch (c.Align()) {
    case ui::Align::Top: return c.Top();
    case ui::Align::Bottom: return -(c.Top() + c.Height());
    case ui::Align::Left: return c.Left();
    case ui::Align::Right: return -(c.Left() + c.Width());
    default: return 0;
  }
}

}  // namespace

int Binder::tearingDown_ = 0;

Binder::Binder(ui::Control& control, QWidget* widget)
    : QObject(widget), control_(&control), widget_(widget), font_(widget ? widget->font() : QFont()) {
  Registry()[control_] = this;
  subscription_ =
      control.Subscribe([this](ui::Control&, ui::Property what) { Observe(what); });
  widget->installEventFilter(this);
}

Binder::~Binder() {
  if (control_ != nullptr) {
    control_->Unsubscribe(subscription_);
    Registry().erase(control_);
  }
}

QWidget* Binder::WidgetOf(const ui::Control& control) {
  Binder* binder = Of(control);
  return binder ? binder->Widget() : nullptr;
}

Binder* Binder::Of(const ui::Control& control) {
  const auto it = Registry().find(&control);
  return it == Registry().end() ? nullptr : it->second;
}

Binder* Binder::ParentBinder() const {
  if (control_ == nullptr || control_->Parent() == nullptr) return nullptr;
  return Of(*control_->Parent());
}

void Binder::ApplyAll() {
  using P = ui::Property;
  // Items before the index that selects one of them, the range before the position in it.
  for (P what : {P::Caption, P::Hint, P::Font, P::Color, P::Enabled, P::Text, P::EditMask,
                 P::Lines, P::Items, P::ItemIndex, P::Range, P::Position, P::Group, P::Checked,
                 P::Down, P::Panels, P::ShapeStyle, P::SeriesStyle, P::SeriesData, P::Axis,
                 P::Title, P::Legend})
    Apply(what);
  BindNewChildren();
  LayOutChildren();
  Apply(P::ActivePage);
  Apply(P::Visible);
}

void Binder::Observe(ui::Property what) {
  if (what == ui::Property::Destroyed) {
    // The control is going; its widget goes with it. Nothing of this binder is touched after
    // the widget is deleted, since the binder is deleted with it.
    Registry().erase(control_);
    control_ = nullptr;
    ++tearingDown_;
    delete widget_.data();
    --tearingDown_;
    return;
  }
  if (widget_.isNull()) return;
  Apply(what);
}

void Binder::Apply(ui::Property what) {
  switch (what) {
    case ui::Property::Hint:
      widget_->setToolTip(ToQString(control_->Hint()));
      break;
    case ui::Property::Enabled:
      widget_->setEnabled(control_->Enabled());
      break;
    case ui::Property::Visible:
      if (PlacedByParent()) {
        widget_->setVisible(control_->Visible());
        if (Binder* parent = ParentBinder()) parent->LayOutChildren();
      }
      break;
    case ui::Property::Font: {
      font_ = ToQFont(control_->Font(), widget_->font());
      FitText();
      QPalette palette = widget_->palette();
      const QColor colour = ToQColor(control_->Font().Color);
      palette.setColor(QPalette::WindowText, colour);
      palette.setColor(QPalette::ButtonText, colour);
      palette.setColor(QPalette::Text, colour);
      widget_->setPalette(palette);
      break;
    }
    case ui::Property::Color:
      ApplyBackground();
      break;
    case ui::Property::Bounds:
    case ui::Property::Align:
      if (Binder* parent = ParentBinder()) parent->LayOutChildren();
      break;
    case ui::Property::Children:
      BindNewChildren();
      LayOutChildren();
      break;
    default:
      break;
  }
}

void Binder::ApplyBackground() {
  if (!ColorIsBackground()) return;
  const bool own = control_->Color() != ui::clBtnFace;
  QPalette palette = widget_->palette();
  if (own) {
    palette.setColor(QPalette::Window, ToQColor(control_->Color()));
    palette.setColor(QPalette::Base, ToQColor(control_->Color()));
  } else {
    const QPalette standard = widget_->style()->standardPalette();
    palette.setColor(QPalette::Window, standard.color(QPalette::Window));
    palette.setColor(QPalette::Base, standard.color(QPalette::Base));
  }
  widget_->setPalette(palette);
  widget_->setAutoFillBackground(own);
}

void Binder::BindNewChildren() {
  const auto& children = control_->Children();
  for (; boundChildren_ < children.size(); ++boundChildren_) {
    ui::Control& child = *children[boundChildren_];
    QWidget* widget = Create(child, ChildHost());
    ChildBound(child, widget);
  }
}

void Binder::ChildBound(ui::Control&, QWidget*) {}

void Binder::LayOutChildren() {
  if (control_ == nullptr || widget_.isNull()) return;
  QRect area = ChildHost()->contentsRect();
  std::vector<std::pair<ui::Control*, Binder*>> aligned;
  for (const auto& child : control_->Children()) {
    Binder* binder = Of(*child);
    if (binder == nullptr || !binder->PlacedByParent() || binder->widget_.isNull()) continue;
    if (child->Align() == ui::Align::None) {
      binder->widget_->setGeometry(child->Left(), child->Top(), std::max(0, child->Width()),
                                   std::max(0, child->Height()));
      binder->FitText();
    } else if (child->Visible()) {
      aligned.emplace_back(child.get(), binder);
    }
  }
  std::stable_sort(aligned.begin(), aligned.end(), [](const auto& a, const auto& b) {
    const int orderA = AlignOrder(a.first->Align());
    const int orderB = AlignOrder(b.first->Align());
    if (orderA != orderB) return orderA < orderB;
    return EdgeDistance(*a.first) < EdgeDistance(*b.first);
  });
  for (const auto& [child, binder] : aligned) {
    QRect place = area;
    switch (child->Align()) {
      case ui::Align::Top:
        place.setHeight(std::min(child->Height(), area.height()));
        area.setTop(place.bottom() + 1);
        break;
      case ui::Align::Bottom:
        place.setTop(area.bottom() + 1 - std::min(child->Height(), area.height()));
        area.setBottom(place.top() - 1);
        break;
      case ui::Align::Left:
        place.setWidth(std::min(child->Width(), area.width()));
        area.setLeft(place.right() + 1);
        break;
      case ui::Align::Right:
        place.setLeft(area.right() + 1 - std::min(child->Width(), area.width()));
        area.setRight(place.left() - 1);
        break;
      default:
        break;
    }
    binder->widget_->setGeometry(place);
    binder->FitText();
  }
}

void Binder::FitText() {
  if (!widget_.isNull()) FitTextToWidth(*widget_, font_);
}

bool Binder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == ChildHost()) LayOutChildren();
  return QObject::eventFilter(watched, event);
}

}  // namespace qtfront
