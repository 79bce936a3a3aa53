#pragma once

#include <QString>
#include <QStringList>

#include <string>

namespace qtfront {

// The platform's filter "description|pattern|description|pattern" as Qt name filters, one per
// entry, in order, each "description (patterns)" so that Qt filters by the pattern while the
// dialog shows the description alone. Patterns separated by ";" become blank-separated.
QStringList ToQtNameFilters(const std::string& filter);

// Which of the dialog's filters is the selected one. A dialog that hides the pattern part reports
// the selection without it, blanks simplified. -1 when none matches.
int NameFilterIndex(const QStringList& filters, const QString& selected);

// The extension a file of this filter's type gets: the first one its patterns list ("dat" for
// "Бинарный формат (*.dat)"), empty when no pattern has one of its own ("*", "*.*").
QString FilterExtension(const QString& filter);

// The path a save dialog's file is written to: kept when its name ends in an extension one of the
// dialog's filters lists, else with the chosen filter's extension appended, so that an open dialog
// with the same filters lists every file saved ("met1.v2" saved as binary becomes "met1.v2.dat").
QString WithListedExtension(const QString& path, const QStringList& filters, int chosen);

// The default extension without "*." or ".": "*.asc" gives "asc".
QString ToDefaultSuffix(const std::string& defaultExt);

}  // namespace qtfront
