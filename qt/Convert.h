#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <string>

#include "ui/Color.h"
#include "ui/Control.h"

namespace qtfront {

// Colours are kept as 0x00BBGGRR.
inline QColor ToQColor(ui::TColor color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

inline ui::TColor ToTColor(const QColor& color) {
  return static_cast<ui::TColor>(color.red()) | (static_cast<ui::TColor>(color.green()) << 8) |
         (static_cast<ui::TColor>(color.blue()) << 16);
}

inline QString ToQString(const std::string& text) { return QString::fromStdString(text); }
inline std::string ToStdString(const QString& text) { return text.toStdString(); }

// The control's font on top of a widget's current font: family (with a sans-serif fallback,
// since the instrument's fonts are not on every machine), point size and weight.
QFont ToQFont(const ui::Font& font, const QFont& base);

// Runs an operator action on the model from a Qt event. The model's own dispatch shows
// exceptions, but inside a synchronous call (a modal box opened by a worker's call, say) a
// handler's exception would travel on into Qt's event loop, which cannot carry it.
template <class Action>
void Operate(Action&& action);

}  // namespace qtfront

#include "ui/Application.h"

template <class Action>
void qtfront::Operate(Action&& action) {
  try {
    action();
  } catch (const std::exception& error) {
    ui::Application.HandleException(error.what());
  } catch (...) {
    ui::Application.HandleException("Unknown exception");
  }
}
