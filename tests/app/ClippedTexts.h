#pragma once
// What an operator would see cut or covered in a window: texts of labels, buttons, check boxes,
// radios, group captions, edits and combo boxes (every item) that need more width than their
// widget has, and controls that overlap a sibling or stick out of their parent.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QWidget>

#include <string>
#include <vector>

#include "qt/Binder.h"

namespace clipped_texts {

inline std::string Describe(const QString& text, int needed, int has) {
  return "\"" + text.toStdString() + "\" (" + std::to_string(needed) + " > " + std::to_string(has) + ")";
}

// The width an edit has for its text: inside the frame, less the margins the edit keeps.
inline int EditTextRoom(const QLineEdit& edit) {
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.rect();
  option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
  const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
  constexpr int kEditSideMargin = 2;  // QLineEdit's own, on each side
  const QMargins margins = edit.textMargins();
  return contents.width() - 2 * kEditSideMargin - margins.left() - margins.right();
}

// Labels of one text laid over each other draw one mark (a shadow under its colour).
inline bool AreLayers(const QWidget& a, const QWidget& b) {
  const auto* first = qobject_cast<const QLabel*>(&a);
  const auto* second = qobject_cast<const QLabel*>(&b);
  return first != nullptr && second != nullptr && first->text() == second->text();
}

// Where a group box's caption ends.
inline int GroupCaptionRight(const QGroupBox& box) {
  QStyleOptionGroupBox option;
  option.initFrom(&box);
  option.text = box.title();
  option.textAlignment = box.alignment();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  option.lineWidth = 1;
  return box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box).right() + 1;
}

// The width a combo box has for the text of its item, beside its arrow.
inline int ComboTextRoom(const QComboBox& combo) {
  QStyleOptionComboBox option;
  option.initFrom(&combo);
  option.editable = combo.isEditable();
  option.frame = combo.hasFrame();
  constexpr int kLabelMargin = 1;  // the style's, on each side of the shown item
  return combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo).width() -
         2 * kLabelMargin;
}

// A widget the station's controls are shown by (not one of Qt's inner parts).
inline qtfront::Binder* BinderOf(const QWidget& widget) {
  return widget.findChild<qtfront::Binder*>(QString(), Qt::FindDirectChildrenOnly);
}
inline bool IsBound(const QWidget& widget) { return BinderOf(widget) != nullptr; }
inline std::string NameOf(const QWidget& widget) {
  const qtfront::Binder* binder = BinderOf(widget);
  return binder != nullptr && binder->Model() != nullptr ? binder->Model()->Name() : "?";
}

}  // namespace clipped_texts

inline std::vector<std::string> ClippedTexts(QWidget& window) {
  using namespace clipped_texts;
  std::vector<std::string> clipped;
  const auto check = [&](QWidget* widget, const QString& text, int needed, int has) {
    if (!widget->isVisible() || text.trimmed().isEmpty()) return;
    if (needed > has) clipped.push_back(Describe(text, needed, has));
  };
  for (QLabel* label : window.findChildren<QLabel*>())
    check(label, label->text(), label->sizeHint().width(), label->width());
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
    check(button, button->text(), button->sizeHint().width(), button->width());
  for (QGroupBox* box : window.findChildren<QGroupBox*>())
    check(box, box->title(), GroupCaptionRight(*box), box->width());
  for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
    if (!IsBound(*edit)) continue;  // a combo box's own edit
    // The cursor after the last character takes a pixel as well.
    check(edit, edit->text(), edit->fontMetrics().horizontalAdvance(edit->text()) + 1, EditTextRoom(*edit));
  }
  for (QComboBox* combo : window.findChildren<QComboBox*>()) {
    // The chosen item and any other the operator may choose show whole.
    const int room = ComboTextRoom(*combo);
    for (int i = 0; i < combo->count(); ++i) {
      const QString item = combo->itemText(i);
      check(combo, item, combo->fontMetrics().horizontalAdvance(item), room);
    }
  }
  // Every control lies inside its parent's area and on no sibling.
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisible() || !IsBound(*widget) || widget->isWindow()) continue;
    QWidget* parent = widget->parentWidget();
    const std::string name = NameOf(*widget);
    if (!parent->rect().contains(widget->geometry()))
      clipped.push_back(name + " sticks out of " + NameOf(*parent));
    for (QWidget* sibling : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (sibling <= widget || !sibling->isVisible() || !IsBound(*sibling) || AreLayers(*widget, *sibling))
        continue;
      if (widget->geometry().intersects(sibling->geometry()))
        clipped.push_back(name + " overlaps " + NameOf(*sibling));
    }
  }
  return clipped;
}
