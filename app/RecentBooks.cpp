#include "RecentBooks.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kRecentKey = QStringLiteral("books/recent");

}  // namespace

QString RecentBooks::defaultFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/tallyworth/tallyworth.conf");
}

QStringList RecentBooks::folders() const {
  return QSettings(file_, QSettings::IniFormat).value(kRecentKey).toStringList();
}

QString RecentBooks::last() const {
  const QStringList all = folders();
  return all.isEmpty() ? QString() : all.first();
}

void RecentBooks::remember(const QString& folder) {
  const QString path = QDir::cleanPath(QDir(folder).absolutePath());
  QStringList all = folders();
  all.removeAll(path);
  all.prepend(path);
  QSettings settings(file_, QSettings::IniFormat);
  settings.setValue(kRecentKey, all.mid(0, kKept));
  settings.sync();
}
