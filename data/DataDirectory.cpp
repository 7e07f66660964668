#include "DataDirectory.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include "BooksCheck.h"
#include "Database.h"
#include "IndexRecovery.h"
#include "ProgramHost.h"
#include "StartupRecovery.h"
#include "xbase/Status.h"

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

std::unique_ptr<BooksLock> DataDirectory::Lock(const std::string& directory, bool* heldByAnother) {
  const QString path =
      QDir(QString::fromStdString(directory)).filePath(QLatin1String(kLockFileName));
  return BooksLock::Take(QFile::encodeName(path).toStdString(), heldByAnother);
}

QString DataDirectory::ReadOnlyMessage(const std::string& directory) {
  return QStringLiteral(
             "The data directory %1 is read-only.\r\n"
             "Tallyworth needs to write to it.")
      .arg(QString::fromStdString(directory));
}

namespace {

QString describe(const RepairedTable& table) {
  QStringList steps;
  for (const std::string& step : table.done) steps << QString::fromStdString(step);
  const QString name = QString::fromStdString(table.baseName);
  if (table.result >= 0) {
    return QStringLiteral("%1 was repaired: %2.").arg(name, steps.join(QStringLiteral("; ")));
  }
  QString text = QStringLiteral("%1 could not be repaired (%2)")
                     .arg(name, QString::fromLatin1(xbase::statusText(table.result)));
  if (!steps.isEmpty()) text += QStringLiteral(" after it ") + steps.join(QStringLiteral("; "));
  for (const xbase::TableFinding& finding : table.findings) {
    text += QStringLiteral("\r\n  %1: %2")
                .arg(QString::fromStdString(finding.file), QString::fromStdString(finding.problem));
  }
  return text;
}

}  // namespace

QStringList DataDirectory::OpenBooks(Database& db, xbase::FileSystem& fs,
                                     const std::string& directory, Session session) {
  bool marked = false;
  std::vector<std::string> finished;
  const bool reading = session == Session::Reading;
  const auto repaired = StartupRecovery::BeginSession(fs, directory, &marked, &finished, !reading);
  // A session that only reads leaves nothing for a crash to mend, and forces nothing to
  // disk: it is marked only when its start must build indexes anew, and with its indexes
  // sound it has none to look for.
  const bool indexesSound = reading && IndexRecovery::IndexesSound(db.code());
  if (reading) marked = indexesSound || StartupRecovery::MarkSession(fs, directory);
  if (!marked) db.host().fatal(ReadOnlyMessage(directory));
  QStringList told;
  for (const std::string& line : finished) told << QString::fromStdString(line);
  for (const RepairedTable& table : repaired) told << describe(table);
  if (!indexesSound) {
    for (const std::string& table : IndexRecovery::RemoveUnreadableIndexes(db.code())) {
      told << QStringLiteral("The indexes of %1 could not be read; they were built anew.")
                  .arg(QString::fromStdString(table));
    }
    db.RebuildIndexes(RebuildMode::MissingOnly);
  }
  db.OpenSettings();
  const bool hasRecord = d4recCountDo(db.settings().data) > 0;
  db.ReadSettings();
  code4close(db.code());
  const std::string problem =
      hasRecord ? BooksCheck::SettingsProblem(db.settingsRecord()) : "it holds no settings record";
  if (!problem.empty()) {
    db.host().fatal(QStringLiteral("The settings table TALY1.dbf cannot be used: %1.\r\n"
                                   "\"tallyworth-cli check --repair\" writes default settings.")
                        .arg(QString::fromStdString(problem)));
  }
  return told;
}
