#include "qt/FileFilter.h"

#include "qt/Convert.h"

namespace qtfront {

QStringList ToQtNameFilters(const std::string& filter) {
  const QStringList parts = ToQString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(';', ' ');
    filters << parts[i] + " (" + patterns + ")";
  }
  return filters;
}

namespace {

// "description (patterns)" without its pattern part.
QString WithoutPatterns(const QString& filter) {
  const qsizetype open = filter.lastIndexOf('(');
  if (open <= 0 || !filter.trimmed().endsWith(')')) return filter.simplified();
  return filter.left(open).simplified();
}

}  // namespace

int NameFilterIndex(const QStringList& filters, const QString& selected) {
  if (const qsizetype exact = filters.indexOf(selected); exact >= 0) return static_cast<int>(exact);
  const QString wanted = selected.simplified();
  for (qsizetype i = 0; i < filters.size(); ++i) {
    if (WithoutPatterns(filters[i]) == wanted || filters[i].simplified() == wanted)
      return static_cast<int>(i);
  }
  return -1;
}

QString ToDefaultSuffix(const std::string& defaultExt) {
  QString suffix = ToQString(defaultExt).trimmed();
  if (suffix.startsWith('*')) suffix.remove(0, 1);
  if (suffix.startsWith('.')) suffix.remove(0, 1);
  return suffix;
}

}  // namespace qtfront
