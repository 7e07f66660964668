#include "DataDirectory.h"

#include <QDir>

#include "Database.h"
#include "IndexRecovery.h"
#include "StartupRecovery.h"

bool DataDirectory::TablesPresent(xbase::FileSystem& fs, const std::string& directory) {
  for (const char* name : kTableFiles) {
    if (!fs.exists(fs.resolve(directory + "/" + name))) return false;
  }
  return true;
}

QString DataDirectory::MissingTablesMessage() {
  return QStringLiteral(
      "Database files not found in startup directory\r\n"
      "Program must be started from the directory containing the data files.");
}

QString DataDirectory::LockedMessage() {
  return QStringLiteral(
      "Tallyworth is already running on the data files in this directory.\r\n"
      "Only one copy of the program may use them at a time.");
}

std::unique_ptr<QLockFile> DataDirectory::Lock(const std::string& directory, bool* heldByAnother) {
  const QString path =
      QDir(QString::fromStdString(directory)).filePath(QLatin1String(kLockFileName));
  auto lock = std::make_unique<QLockFile>(path);
  lock->setStaleLockTime(0);  // a lock is stale only when its program is gone
  if (lock->tryLock(0)) {
    *heldByAnother = false;
    return lock;
  }
  *heldByAnother = lock->error() == QLockFile::LockFailedError;
  return nullptr;
}

void DataDirectory::OpenBooks(Database& db, xbase::FileSystem& fs, const std::string& directory) {
  StartupRecovery::BeginSession(fs, directory);
  IndexRecovery::RemoveUnreadableIndexes(db.code());
  db.RebuildIndexes(RebuildMode::MissingOnly);
  db.OpenSettings();
  db.ReadSettings();
  code4close(db.code());
}
