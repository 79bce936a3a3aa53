#pragma once
// Texts of labels, buttons, check boxes and radios that need more width than their widget has.

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

#include <string>
#include <vector>

inline std::vector<std::string> ClippedTexts(QWidget& window) {
  std::vector<std::string> clipped;
  const auto check = [&](QWidget* widget, const QString& text) {
    if (!widget->isVisible() || text.isEmpty()) return;
    if (widget->sizeHint().width() > widget->width())
      clipped.push_back(text.toStdString() + " (" + std::to_string(widget->sizeHint().width()) + " > " +
                        std::to_string(widget->width()) + ")");
  };
  for (QLabel* label : window.findChildren<QLabel*>()) check(label, label->text());
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) check(button, button->text());
  return clipped;
}
