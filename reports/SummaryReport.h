// The expense and income summaries: per account of the chart, the records of the selected
// folders totalled for the report period, for the part of the fiscal year before it
// (prior) and for both (year to date), in two sections by the account's flag (deductible
// or taxable first), each closed by a total row, and a grand total. An account whose
// totals both show as 0.00 gets no row.
//
// Built without a window: the caller chooses the folders (builder.ChooseFolders), runs
// Build, then shows the document or tells the user it holds no data, and ends the report.
#pragma once

#include <QString>

#include "ChartTables.h"

class Database;
class ReportBuilder;
class ReportProgress;

class SummaryReport {
 public:
  // db and builder must outlive the report. REQUIRES while building: FOLDER, the side's
  // transaction table and its account table open (GSTEXP1 with ACC, GSTINC1 with ACCI).
  SummaryReport(Database& db, ReportBuilder& builder, ChartTables::Side side);

  // Begins the report and writes the account rows and section totals; when any line was
  // written, the grand total and the included folders. The document is left with the
  // builder (LastLine() < 0: no data). REQUIRES: builder.SelectedFolders not empty.
  void Build();

 private:
  struct Totals {
    double period = 0;
    double prior = 0;
  };

  void begin();
  // The rows of the accounts whose flag is deductible, and the section's total row when
  // the document holds any line. Returns the section's totals.
  Totals section(bool deductible, ReportProgress& progress);
  // One account's period and prior, from the fiscal-year start fyStart on.
  Totals accountTotals(int account);
  // A row with an empty account number: name, period, prior and their sum.
  void totalRow(const QString& name, const Totals& totals);

  Database& db_;
  ReportBuilder& builder_;
  ChartTables chart_;
  const ChartTables::Side side_;
  QDate fyStart_;
};
