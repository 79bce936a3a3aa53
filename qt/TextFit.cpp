#include "qt/TextFit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <optional>

namespace qtfront {
namespace {

// Narrowest stretch used: below it the text stops being easy to read.
constexpr int kNarrowest = 70;
constexpr int kStep = 5;
constexpr qreal kSmallestPoints = 6;

// How much wider than its room a widget's text is: positive when it does not fit, nothing for
// widgets without a text.
using Excess = std::optional<int>;

Excess GroupCaptionExcess(const QGroupBox& box) {
  if (box.title().isEmpty()) return std::nullopt;
  QStyleOptionGroupBox option;
  option.initFrom(&box);
  option.text = box.title();
  option.textAlignment = box.alignment();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  option.lineWidth = 1;
  const QRect caption = box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
  return caption.right() + 1 - box.width();
}

// Every item the operator may choose shows whole beside the arrow.
Excess ComboItemsExcess(const QComboBox& combo) {
  if (combo.count() == 0) return std::nullopt;
  QStyleOptionComboBox option;
  option.initFrom(&combo);
  option.editable = combo.isEditable();
  option.frame = combo.hasFrame();
  constexpr int kLabelMargin = 1;  // the style's, on each side of the shown item
  const int room =
      combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo).width() -
      2 * kLabelMargin;
  int widest = 0;
  for (int i = 0; i < combo.count(); ++i)
    widest = std::max(widest, combo.fontMetrics().horizontalAdvance(combo.itemText(i)));
  return widest - room;
}

Excess EditTextExcess(const QLineEdit& edit) {
  if (edit.text().isEmpty()) return std::nullopt;
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.rect();
  option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
  const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
  constexpr int kSideMargin = 2;  // the edit's own, on each side
  const QMargins margins = edit.textMargins();
  const int room = contents.width() - 2 * kSideMargin - margins.left() - margins.right();
  // The cursor after the last character takes a pixel as well.
  return edit.fontMetrics().horizontalAdvance(edit.text()) + 1 - room;
}

Excess TextExcess(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    if (label->text().isEmpty()) return std::nullopt;
    return widget.sizeHint().width() - widget.width();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
    if (button->text().isEmpty()) return std::nullopt;
    return widget.sizeHint().width() - widget.width();
  }
  if (const auto* box = qobject_cast<const QGroupBox*>(&widget)) return GroupCaptionExcess(*box);
  if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) return ComboItemsExcess(*combo);
  if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) return EditTextExcess(*edit);
  return std::nullopt;
}

}  // namespace

void FitTextToWidth(QWidget& widget, const QFont& base) {
  if (widget.font() != base) widget.setFont(base);
  if (widget.width() <= 0 || !TextExcess(widget)) return;
  QFont font = base;
  const auto tooWide = [&] { return TextExcess(widget).value_or(0) > 0; };
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
