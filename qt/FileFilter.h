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

// The default extension without "*." or ".": "*.asc" gives "asc".
QString ToDefaultSuffix(const std::string& defaultExt);

}  // namespace qtfront
