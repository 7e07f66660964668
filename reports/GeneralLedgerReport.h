// The general ledger: every income and expense record of the selected folders in the
// report period as one journal in date order, income credited before the expenses of the
// same day, with a running balance. Two opening rows carry the balance of the years
// before the fiscal year and of the fiscal year up to the period; a closing row gives the
// totals of everything up to the end, so its credit less its debit is its balance.
//
// Built without a window: the caller chooses the folders (builder.ChooseFolders), runs
// Build, shows the document and ends the report. The document always has rows.
#pragma once

#include <QString>

#include "ReportValue.h"

class Database;
class ReportBuilder;

class GeneralLedgerReport {
 public:
  // db and builder must outlive the report. REQUIRES while building: FOLDER, GSTEXP1 and
  // GSTINC1 open.
  GeneralLedgerReport(Database& db, ReportBuilder& builder) : db_(db), builder_(builder) {}

  // Writes the opening rows, the journal and the closing row into a new report, then the
  // included folders when more than one folder is selected.
  // REQUIRES: builder.SelectedFolders not empty.
  void Build();

 private:
  // A journal row: the running balance always, credit and debit only when not zero.
  // A row without a date is a balance or total row.
  void writeRow(const ReportValue& date, const QString& description, double credit, double debit);

  Database& db_;
  ReportBuilder& builder_;
  double balance_ = 0;
};
