// The backup set: one copy of each of the five data tables (ACC, ACCI, FOLDER, GSTEXP1,
// GSTINC1), and of the bank import's tables where the books have them, named by its base
// name and ".bak", in a chosen directory. Index files are not
// copied; the caller rebuilds them after a restore. The settings table is never copied.
//
// A backup writes each copy under a temporary name and renames it into place, so a copy
// that failed never looks whole, and an older backup stays until its successor is
// complete. A restore copies all five backups into temporary files beside the tables
// first and puts them in place only when all five were copied, so a failed restore leaves
// every table as it was.
#pragma once

#include <QDateTime>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "FileCopier.h"
#include "xbase/FileSystem.h"

class Database;
class ProgressSink;
class Prompts;

class BackupSet {
 public:
  enum class Direction { Backup, Restore };

  // Copies that fail for a reason nobody is asked about are tried this often in all.
  static constexpr int kMaxTries = 3;

  // The referenced objects must outlive this one.
  BackupSet(Database& db, Prompts& ui, ProgressSink& progress,
            FileCopier& copier = FileCopier::posix())
      : db_(db), ui_(ui), progress_(progress), copier_(copier) {}

  // Copies the five tables to (backup) or from (restore) directory, showing "Copying Data
  // Files" and progress; the caller clears the status. Returns true when all five were
  // copied. A backup stops at the first table it cannot copy (those before stay copied);
  // a full disk asks for another ("Disk Full. Insert another disk." and the file name)
  // and a read-only one for a writable one ("Disk is Write Protected"), each copying
  // again on OK and giving up on Cancel. A restore whose backup file is missing tells the
  // user, after asking for the disk when directory lies on removable media (under /media
  // or /run/media), and changes nothing. REQUIRES: no table open.
  bool CopyDataFiles(Direction direction, const QString& directory);
  // The tables the last CopyDataFiles backed up or restored.
  int Copied() const { return copied_; }

  // The backup files found in a directory: when the newest was written, and each table's
  // name as the user knows it with the records its copy holds (deleted ones included).
  struct Contents {
    QDateTime written;
    std::vector<std::pair<QString, long>> records;
  };
  // What a restore from directory would put in place; no records when it holds no backup.
  static Contents Describe(const QString& directory);

  // Whether directory lies on removable media, where a missing file may be on another disk.
  static bool IsRemovable(const QString& directory);

 private:
  bool backUp(const QString& directory, const char* baseName);
  // Copies the bank import's tables the books have (TableDefinitions::bank()).
  bool backUpBankTables(const QString& directory);
  // Copies the backup of baseName into tempPath; false when it is missing or will not copy.
  bool fetch(const QString& directory, const char* baseName, const std::string& tempPath);
  // Puts each fetched copy in place of its table; on a failure puts every table back.
  bool swapIn(const std::vector<std::string>& temps, const std::vector<std::string>& tables);
  // Writes the marker of a restore under way (InterruptedWork) to disk.
  static bool writeMarker(xbase::FileSystem& files, const std::string& marker);
  std::string dataPath(const char* baseName);

  Database& db_;
  int copied_ = 0;
  Prompts& ui_;
  ProgressSink& progress_;
  FileCopier& copier_;
};
