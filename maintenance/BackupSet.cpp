#include "BackupSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "BooksCheck.h"
#include "Database.h"
#include "InterruptedWork.h"
#include "ProgressSink.h"
#include "Prompts.h"
#include "TableDefinitions.h"

namespace {

struct Step {
  const char* baseName;
  int percentAfter;
  const char* contents;  // what the table holds, in the user's words
};
constexpr Step kSteps[] = {{tables::kAcc, 30, "Expense accounts"},
                           {tables::kAccI, 40, "Income accounts"},
                           {tables::kFolder, 50, "Folders"},
                           {tables::kExpenses, 90, "Expenses"},
                           {tables::kIncome, 100, "Income records"}};

// The record count of a dBASE table's header (bytes 4 to 7, least significant first); -1
// when the file cannot be read.
long RecordCountOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray header = file.read(8);
  if (header.size() < 8) return -1;
  long count = 0;
  for (int i = 7; i >= 4; --i) count = count * 256 + static_cast<unsigned char>(header[i]);
  return count;
}

QString bakName(const char* baseName) { return QString::fromLatin1(baseName) + ".bak"; }

const TableDefinition& definitionOf(const char* baseName) {
  if (const TableDefinition* table = TableDefinitions::named(baseName)) return *table;
  throw std::invalid_argument(baseName);
}

// Temporary names beside the files they become or replace (see InterruptedWork).
constexpr const char* kPartial = InterruptedWork::kIncoming;
constexpr const char* kAside = InterruptedWork::kAside;
constexpr const char* kAsideInProgress = InterruptedWork::kAsideInProgress;

}  // namespace

BackupSet::Contents BackupSet::Describe(const QString& directory) {
  Contents contents;
  for (const Step& step : kSteps) {
    const QFileInfo file(QDir(directory.trimmed()).filePath(bakName(step.baseName)));
    if (!file.exists()) continue;
    contents.written = std::max(contents.written, file.lastModified());
    contents.records.emplace_back(QString::fromLatin1(step.contents),
                                  RecordCountOf(file.filePath()));
  }
  return contents;
}

bool BackupSet::IsRemovable(const QString& directory) {
  // A volume's mount point lies below these directories, never at them.
  const QString path = QDir::cleanPath(QDir(directory).absolutePath());
  return path.startsWith(QStringLiteral("/media/")) ||
         path.startsWith(QStringLiteral("/run/media/"));
}

std::string BackupSet::dataPath(const char* baseName) {
  return db_.code()->pathOf(std::string(baseName) + ".dbf");
}

bool BackupSet::CopyDataFiles(Direction direction, const QString& directory) {
  const QString dir = directory.trimmed();
  copied_ = 0;
  progress_.ShowStatus(QStringLiteral("Copying Data Files"));
  progress_.ShowProgress(10);
  if (direction == Direction::Backup) {
    for (const Step& step : kSteps) {
      if (!backUp(dir, step.baseName)) return false;
      ++copied_;
      progress_.ShowProgress(step.percentAfter);
    }
    return backUpBankTables(dir);
  }

  std::vector<std::string> temps;
  std::vector<std::string> tables;
  xbase::FileSystem& files = db_.code()->fs();
  for (const Step& step : kSteps) {
    tables.push_back(dataPath(step.baseName));
    temps.push_back(tables.back() + kPartial);
    if (!fetch(dir, step.baseName, temps.back())) {
      for (const std::string& temp : temps) files.remove(temp);
      return false;
    }
    progress_.ShowProgress(step.percentAfter);
  }
  // The bank import's tables come back as the backup holds them; books backed up before
  // they had them lose them (an empty temp), so no history outlives its records.
  for (const TableDefinition* table : TableDefinitions::bank()) {
    const char* name = table->baseName.c_str();
    const bool inBackup =
        files.exists(files.resolve(QDir(dir).filePath(bakName(name)).toStdString()));
    if (!inBackup && !files.exists(dataPath(name))) continue;
    tables.push_back(dataPath(name));
    temps.push_back(inBackup ? tables.back() + kPartial : std::string());
    if (inBackup && !fetch(dir, name, temps.back())) {
      for (const std::string& temp : temps) files.remove(temp);
      return false;
    }
  }
  if (!swapIn(temps, tables)) return false;
  copied_ = static_cast<int>(
      std::count_if(temps.begin(), temps.end(), [](const std::string& t) { return !t.empty(); }));
  // Their indexes are built anew when next opened (BankTables).
  for (const TableDefinition* table : TableDefinitions::bank()) {
    for (const std::string& file : table->indexFiles) files.remove(db_.code()->pathOf(file));
  }
  return true;
}

bool BackupSet::backUpBankTables(const QString& directory) {
  xbase::FileSystem& files = db_.code()->fs();
  for (const TableDefinition* table : TableDefinitions::bank()) {
    const char* name = table->baseName.c_str();
    if (files.exists(dataPath(name))) {
      if (!backUp(directory, name)) return false;
      ++copied_;
    } else {
      // An older backup's copy would come back with books that have none.
      files.remove(files.resolve(QDir(directory).filePath(bakName(name)).toStdString()));
    }
  }
  return true;
}

bool BackupSet::backUp(const QString& directory, const char* baseName) {
  xbase::FileSystem& files = db_.code()->fs();
  const std::string source = dataPath(baseName);
  if (!files.exists(source)) return false;
  const std::string target =
      files.resolve(QDir(directory).filePath(bakName(baseName)).toStdString());
  const std::string partial = target + kPartial;
  for (int failures = 0;;) {
    FileCopier::Failure failure = copier_.copy(source, partial);
    if (failure == FileCopier::Failure::None) {
      if (files.rename(partial, target)) return true;
      failure = FileCopier::Failure::Other;
    }
    files.remove(partial);
    switch (failure) {
      case FileCopier::Failure::DiskFull:
        if (ui_.message(Prompts::Type::Information, Prompts::Buttons::OkCancel,
                        QStringLiteral("Disk Full. Insert another disk.") + bakName(baseName)) !=
            Prompts::Answer::Ok) {
          return false;
        }
        break;
      case FileCopier::Failure::ReadOnly:
        if (ui_.message(Prompts::Type::Information, Prompts::Buttons::OkCancel,
                        QStringLiteral("Disk is Write Protected")) != Prompts::Answer::Ok) {
          return false;
        }
        break;
      default:
        if (++failures >= kMaxTries) return false;
        break;
    }
  }
}

bool BackupSet::fetch(const QString& directory, const char* baseName, const std::string& tempPath) {
  xbase::FileSystem& files = db_.code()->fs();
  const std::string source =
      files.resolve(QDir(directory).filePath(bakName(baseName)).toStdString());
  if (!files.exists(source)) {
    // On removable media the file may be on another disk of the set; it cannot be read
    // from one now, but the user learns which disk is wanted.
    if (IsRemovable(directory)) {
      if (ui_.message(Prompts::Type::Information, Prompts::Buttons::OkCancel,
                      QStringLiteral("Insert disk containing ") + bakName(baseName)) !=
          Prompts::Answer::Ok) {
        return false;
      }
    }
    ui_.message(Prompts::Type::Information, Prompts::Buttons::Ok,
                QStringLiteral("Unable to find ") +
                    QDir::toNativeSeparators(QString::fromStdString(source)) +
                    QStringLiteral("\r\nFunction Aborted"));
    return false;
  }
  bool copied = false;
  for (int tries = 0; tries < kMaxTries && !copied; ++tries) {
    copied = copier_.copy(source, tempPath) == FileCopier::Failure::None;
  }
  // The copy is checked, not the backup: it is what would replace the table.
  const std::string problem =
      copied ? BooksCheck::TableFileProblem(files, tempPath, definitionOf(baseName)) : "";
  if (copied && problem.empty()) return true;
  files.remove(tempPath);
  if (!problem.empty()) {
    ui_.message(Prompts::Type::Information, Prompts::Buttons::Ok,
                QStringLiteral("The backup file %1 cannot be restored: %2.\r\n"
                               "Nothing was restored.")
                    .arg(QDir::toNativeSeparators(QString::fromStdString(source)),
                         QString::fromStdString(problem)));
  }
  return false;
}

bool BackupSet::swapIn(const std::vector<std::string>& temps,
                       const std::vector<std::string>& tables) {
  xbase::FileSystem& files = db_.code()->fs();
  const std::string marker = db_.code()->pathOf(InterruptedWork::kRestoreMarker);
  auto removeAll = [&](const std::vector<std::string>& paths, const char* suffix) {
    for (const std::string& path : paths) files.remove(path + suffix);
  };
  // Every table is set aside whole first: a copy finished under another name, then renamed,
  // so that a table set aside is never a part copy.
  bool ok = true;
  for (const std::string& table : tables) {
    if (!files.exists(table)) {
      // A bank table the books do not have yet: a rollback removes what the restore brings.
      ok = ok && writeMarker(files, table + InterruptedWork::kAbsent);
      continue;
    }
    ok = ok && copier_.copy(table, table + kAsideInProgress) == FileCopier::Failure::None &&
         files.rename(table + kAsideInProgress, table + kAside);
  }
  // From the marker on, a process dying leaves a mix the next start rolls back.
  ok = ok && writeMarker(files, marker);
  std::size_t placed = 0;
  for (; ok && placed < tables.size(); ++placed) {
    ok = temps[placed].empty() ? files.remove(tables[placed])
                               : files.rename(temps[placed], tables[placed]);
  }
  if (!ok) {
    for (std::size_t i = 0; i < placed; ++i) {
      if (files.exists(tables[i] + kAside)) {
        files.rename(tables[i] + kAside, tables[i]);
      } else {
        files.remove(tables[i]);  // a bank table the books did not have
      }
    }
  }
  // Once the marker is gone the restore stands (or was rolled back) as a whole.
  if (files.exists(marker) && !files.remove(marker)) return false;
  removeAll(tables, kAside);
  removeAll(tables, InterruptedWork::kAbsent);
  removeAll(tables, kAsideInProgress);
  for (const std::string& temp : temps)
    if (!temp.empty()) files.remove(temp);
  return ok;
}

bool BackupSet::writeMarker(xbase::FileSystem& files, const std::string& marker) {
  int error = 0;
  auto file = files.open(marker, xbase::OpenMode::Create, xbase::LockMode::None, &error);
  return file && file->sync();
}
