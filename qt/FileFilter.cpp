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

QString ToDefaultSuffix(const std::string& defaultExt) {
  QString suffix = ToQString(defaultExt).trimmed();
  if (suffix.startsWith('*')) suffix.remove(0, 1);
  if (suffix.startsWith('.')) suffix.remove(0, 1);
  return suffix;
}

}  // namespace qtfront
