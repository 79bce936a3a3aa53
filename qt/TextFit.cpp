#include "qt/TextFit.h"

#include <QAbstractButton>
#include <QLabel>

namespace qtfront {
namespace {

// Narrowest stretch used: below it the text stops being easy to read.
constexpr int kNarrowest = 70;
constexpr int kStep = 5;
constexpr qreal kSmallestPoints = 6;

bool HasText(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return !label->text().isEmpty();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return !button->text().isEmpty();
  return false;
}

}  // namespace

void FitTextToWidth(QWidget& widget, const QFont& base) {
  if (widget.font() != base) widget.setFont(base);
  if (!HasText(widget) || widget.width() <= 0) return;
  QFont font = base;
  const auto tooWide = [&] { return widget.sizeHint().width() > widget.width(); };
  for (int stretch = 100 - kStep; stretch >= kNarrowest && tooWide(); stretch -= kStep) {
    font.setStretch(stretch);
    widget.setFont(font);
  }
  // A box or a radio also needs room for its mark: what condensing could not win, a smaller size
  // does.
  for (qreal size = font.pointSizeF() - 0.5; size >= kSmallestPoints && tooWide(); size -= 0.5) {
    font.setPointSizeF(size);
    widget.setFont(font);
  }
}

}  // namespace qtfront
