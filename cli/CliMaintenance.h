// The maintenance commands: reindex, pack, backup, restore, import-payments, archive and
// dearchive, each the operation of the window program's maintenance page with the
// choices taken from the command line, and its failure told on the error stream.
#pragma once

#include <ostream>

#include "CliArguments.h"

class BatchPrompts;
class Database;
class ProgressSink;

class CliMaintenance {
 public:
  // Every argument must outlive the object.
  CliMaintenance(Database& db, BatchPrompts& ui, ProgressSink& progress, std::ostream& out)
      : db_(db), ui_(ui), progress_(progress), out_(out) {}

  // Runs options.command. Returns kExitOk or kExitFailed. import-payments throws
  // UsageError, having changed nothing, for an account or folder the books do not hold.
  // REQUIRES: options.command is a maintenance command, its paths checked to exist; no
  // table open.
  int Run(const CliOptions& options);

 private:
  int copyDataFiles(bool backup, const QString& directory);
  int importPayments(const CliOptions& options);
  int archive(const CliOptions& options, bool archive);

  Database& db_;
  BatchPrompts& ui_;
  ProgressSink& progress_;
  std::ostream& out_;
};
