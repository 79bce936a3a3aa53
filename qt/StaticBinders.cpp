#include "qt/StaticBinders.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt/Convert.h"
#include "qt/TextFit.h"

namespace qtfront {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit Clicked();
  QLabel::mouseReleaseEvent(event);
}

LabelBinder::LabelBinder(ui::Label& label, ClickableLabel* widget)
    : Binder(label, widget), label_(widget) {
  connect(label_, &ClickableLabel::Clicked, this, [this] {
    if (CanOperate()) Operate([&] { Model()->Click(); });
  });
}

void LabelBinder::Apply(ui::Property what) {
  if (what == ui::Property::Caption) {
    label_->setText(ToQString(Model()->Caption()));
    FitText();
    return;
  }
  Binder::Apply(what);
}

void ShapeWidget::SetLook(ui::ShapeType type, QColor brush, int penWidth) {
  type_ = type;
  brush_ = brush;
  penWidth_ = penWidth;
  update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(penWidth_ > 0 ? QPen(Qt::black, penWidth_) : QPen(Qt::NoPen));
  painter.setBrush(brush_);
  // The pen is centred on the outline: keep all of it inside the widget.
  const qreal inset = penWidth_ / 2.0;
  const QRectF area = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
  if (type_ == ui::ShapeType::Circle) {
    const qreal side = std::min(area.width(), area.height());
    painter.drawEllipse(QRectF(area.center().x() - side / 2, area.center().y() - side / 2, side, side));
  } else {
    painter.drawRect(area);
  }
}

ShapeBinder::ShapeBinder(ui::Shape& shape, ShapeWidget* widget)
    : Binder(shape, widget), shape_(shape), widget_(widget) {}

void ShapeBinder::Apply(ui::Property what) {
  if (what == ui::Property::Color || what == ui::Property::ShapeStyle) {
    widget_->SetLook(shape_.Type(), ToQColor(shape_.Color()), shape_.PenWidth());
    return;
  }
  Binder::Apply(what);
}

StatusBarBinder::StatusBarBinder(ui::StatusBar& bar, QWidget* widget)
    : Binder(bar, widget), bar_(bar), layout_(new QHBoxLayout(widget)) {
  layout_->setContentsMargins(0, 2, 0, 0);
  layout_->setSpacing(2);
  layout_->addStretch(1);
}

QLabel* StatusBarBinder::PanelLabel(int index) const {
  return index >= 0 && index < static_cast<int>(panels_.size()) ? panels_[static_cast<size_t>(index)]
                                                                 : nullptr;
}

void StatusBarBinder::ShowPanels() {
  while (static_cast<int>(panels_.size()) < bar_.PanelCount()) {
    auto* label = new QLabel(Widget());
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    layout_->insertWidget(static_cast<int>(panels_.size()), label);
    panels_.push_back(label);
  }
  for (int i = 0; i < bar_.PanelCount(); ++i) {
    const ui::StatusPanel& panel = bar_.Panel(i);
    QLabel* label = panels_[static_cast<size_t>(i)];
    label->setText(ToQString(panel.Text));
    label->setFixedWidth(std::max(0, panel.Width));
    FitTextToWidth(*label, Widget()->font());
    switch (panel.Alignment) {
      case ui::Alignment::Left: label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter); break;
      case ui::Alignment::Center: label->setAlignment(Qt::AlignCenter); break;
      case ui::Alignment::Right: label->setAlignment(Qt::AlignRight | Qt::AlignVCenter); break;
    }
  }
}

void StatusBarBinder::Apply(ui::Property what) {
  if (what == ui::Property::Panels) {
    ShowPanels();
    return;
  }
  Binder::Apply(what);
}

}  // namespace qtfront
