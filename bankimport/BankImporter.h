// The bank statement import: classifies a statement's lines by the rules and recognises
// those imported before (Plan), then writes the lines chosen as expenses and income
// records with the history of what was imported, all or nothing (Import).
#pragma once

#include <QString>

#include "ImportPlan.h"

class Clock;
class Database;
class ProgressSink;

class BankImporter {
 public:
  struct Result {
    bool ok = false;
    QString message;  // why nothing was imported, when not ok
    int expenses = 0;
    int incomes = 0;
    int skipped = 0;  // lines not imported (skipped, ignored, already in the books)
  };

  // db, progress and clock (the date lines are recorded as imported on) must outlive the
  // object.
  BankImporter(Database& db, ProgressSink& progress, const Clock& clock)
      : db_(db), progress_(progress), clock_(clock) {}

  // The plan for statement: each line classified by the first matching rule, else an
  // expense when money goes out and income when it comes in, with no account or folder
  // yet and the amount including tax when the settings' rate is above 0; lines imported
  // before are marked and skipped. REQUIRES: no table open; the settings read.
  ImportPlan Plan(const Statement& statement, const std::vector<BankRule>& rules);
  // Classifies line again by rules (after a rule was made or changed), leaving the lines
  // no rule matches as they are.
  static void Apply(const RuleSet& rules, PlannedLine& line);

  // What stops plan from being imported: a line to import without an account or folder
  // of the books, or with an amount too large for its record. Empty when nothing.
  // REQUIRES: no table open.
  QString Check(const ImportPlan& plan);
  // Check, then appends every line to import to GSTEXP1 (money out positive) or GSTINC1,
  // description in the payee and memo or the income description, tax at the settings'
  // rate when it includes tax, and records it in the history. All or nothing: on any
  // failure the tables are cut back to where they were (InterruptedImport) and the result
  // says so. Shows "Importing Bank Statement" with progress; clears the status at the end.
  // REQUIRES: no table open; leaves every table closed.
  Result Import(const ImportPlan& plan);
  // "Imported 12 expenses and 3 income records; 4 lines not imported."
  static QString CompletionMessage(const Result& result);

 private:
  bool write(const ImportPlan& plan, Result& result);

  Database& db_;
  ProgressSink& progress_;
  const Clock& clock_;
};
