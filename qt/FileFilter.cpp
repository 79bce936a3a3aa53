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

// The extensions a filter lists by patterns such as "*.asc": "asc"; patterns without one of
// their own ("*", "*.*") list none.
QStringList ListedExtensions(const QString& filter) {
  const qsizetype open = filter.lastIndexOf('(');
  const qsizetype close = filter.lastIndexOf(')');
  QStringList extensions;
  if (open < 0 || close < open) return extensions;
  for (const QString& pattern : filter.mid(open + 1, close - open - 1).split(' ', Qt::SkipEmptyParts)) {
    if (!pattern.startsWith("*.")) continue;
    const QString extension = pattern.mid(2);
    if (!extension.isEmpty() && !extension.contains('*') && !extension.contains('?'))
      extensions << extension;
  }
  return extensions;
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

QString FilterExtension(const QString& filter) {
  const QStringList extensions = ListedExtensions(filter);
  return extensions.isEmpty() ? QString() : extensions.front();
}

QString WithListedExtension(const QString& path, const QStringList& filters, int chosen) {
  if (chosen < 0 || chosen >= filters.size()) return path;
  const QString extension = FilterExtension(filters[chosen]);
  if (extension.isEmpty()) return path;
  const QString name = path.section('/', -1);
  const qsizetype dot = name.lastIndexOf('.');
  if (dot >= 0) {
    const QString typed = name.mid(dot + 1);
    for (const QString& filter : filters)
      if (ListedExtensions(filter).contains(typed, Qt::CaseInsensitive)) return path;
  }
  return path + '.' + extension;
}

}  // namespace qtfront
