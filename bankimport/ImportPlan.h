// What each statement line will become, as the preview shows it and the user changes it
// before anything is written.
#pragma once

#include <vector>

#include "BankRule.h"
#include "Statement.h"

struct PlannedLine {
  enum class Status { New, InBooks, Ignored };

  StatementLine line;
  EntryKind kind = EntryKind::Expense;
  int account = 0;  // 0: none chosen yet
  int folder = 0;
  bool includesTax = false;
  bool inBooks = false;  // imported before (ImportHistory)
  bool skip = false;     // not to be imported; lines already in the books start skipped
  int rule = -1;         // the rule that classified the line, -1 for none

  // New when it is to be imported (also a line of the books imported again on purpose);
  // otherwise already in the books, or ignored.
  Status status() const;
  bool toImport() const { return !skip && kind != EntryKind::Ignore; }
};

struct ImportPlan {
  QString account;  // the statement's account, under which its lines are remembered
  std::vector<PlannedLine> lines;
};

// The words the preview and the command line use for a kind and a status.
QString KindText(EntryKind kind);
QString StatusText(PlannedLine::Status status);
