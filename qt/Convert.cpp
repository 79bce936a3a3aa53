#include "qt/Convert.h"

namespace qtfront {

QFont ToQFont(const ui::Font& font, const QFont& base) {
  QFont result = base;
  if (!font.Name.empty()) result.setFamily(ToQString(font.Name));
  result.setStyleHint(QFont::SansSerif);
  if (font.Size > 0) result.setPointSize(font.Size);
  result.setBold(font.Bold);
  result.setUnderline(font.Underline);
  // Set outright, so that a widget never inherits the narrowing its parent's caption needed.
  result.setStretch(QFont::Unstretched);
  return result;
}

}  // namespace qtfront
