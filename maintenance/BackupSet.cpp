#include "BackupSet.h"

#include <QDir>
#include <vector>

#include "Database.h"
#include "ProgressSink.h"
#include "Prompts.h"
#include "TableDefinitions.h"

namespace {

struct Step {
  const char* baseName;
  int percentAfter;
};
constexpr Step kSteps[] = {{tables::kAcc, 30},
                           {tables::kAccI, 40},
                           {tables::kFolder, 50},
                           {tables::kExpenses, 90},
                           {tables::kIncome, 100}};

QString bakName(const char* baseName) { return QString::fromLatin1(baseName) + ".bak"; }

// Temporary names beside the files they become or replace.
constexpr char kPartial[] = ".partial";
constexpr char kAside[] = ".replaced";

}  // namespace

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
  progress_.ShowStatus(QStringLiteral("Copying Data Files"));
  progress_.ShowProgress(10);
  if (direction == Direction::Backup) {
    for (const Step& step : kSteps) {
      if (!backUp(dir, step.baseName)) return false;
      progress_.ShowProgress(step.percentAfter);
    }
    return true;
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
  return swapIn(temps, tables);
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
  for (int tries = 0; tries < kMaxTries; ++tries) {
    if (copier_.copy(source, tempPath) == FileCopier::Failure::None) return true;
  }
  files.remove(tempPath);
  return false;
}

bool BackupSet::swapIn(const std::vector<std::string>& temps,
                       const std::vector<std::string>& tables) {
  xbase::FileSystem& files = db_.code()->fs();
  std::size_t placed = 0;
  bool ok = true;
  for (; placed < tables.size(); ++placed) {
    // The old table is copied aside rather than moved, and the restored one replaces it in
    // one rename: a process dying at any step leaves every table's name on a whole table.
    if (copier_.copy(tables[placed], tables[placed] + kAside) != FileCopier::Failure::None ||
        !files.rename(temps[placed], tables[placed])) {
      ok = false;
      break;
    }
  }
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const std::string aside = tables[i] + kAside;
    if (i < placed && !ok) {
      files.rename(aside, tables[i]);  // the old table back over the restored one
    } else {
      files.remove(aside);
      if (i >= placed) files.remove(temps[i]);
    }
  }
  return ok;
}
