#pragma once
// Texts in the widths the windows were laid out for: where this machine's font needs more room
// than a label, button, status panel, group caption, edit or combo box item has, the text is drawn
// condensed until it fits.

#include <QFont>
#include <QWidget>

namespace qtfront {

// Gives `widget` the font `base`, narrowed in steps while the widget's text needs more than its
// width. Widgets without a text of their own keep `base` as it is.
void FitTextToWidth(QWidget& widget, const QFont& base);

}  // namespace qtfront
