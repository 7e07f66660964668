// import-bank: the bank statement import of the window program's preview with its
// choices taken from the command line: the rules classify the lines, lines no rule matches
// go where --unmatched-account and --unmatched-folder say or are listed and left out.
#pragma once

#include <ostream>

#include "CliArguments.h"

class BatchPrompts;
class Clock;
class Database;
class ProgressSink;

class CliBankImport {
 public:
  // Every argument must outlive the object.
  CliBankImport(Database& db, BatchPrompts& ui, ProgressSink& progress, std::ostream& out,
                const Clock& clock)
      : db_(db), ui_(ui), progress_(progress), out_(out), clock_(clock) {}

  // Returns kExitOk when lines were imported (or would be, with --dry-run), kExitFailed
  // when nothing could be. Throws UsageError for a profile the books do not hold.
  // REQUIRES: options.command is import-bank, its file checked to exist; no table open.
  int Run(const CliOptions& options);

 private:
  Database& db_;
  BatchPrompts& ui_;
  ProgressSink& progress_;
  std::ostream& out_;
  const Clock& clock_;
};
