// The tax summary: per account, the amounts and tax amounts of the selected folders'
// records dated in the report period; first the income accounts (taxable, then
// non-taxable), then the expense accounts (deductible, then non-deductible), each section
// closed by a total row and each part by "TOTAL INCOME" or "TOTAL EXPENSES". The tax's
// name (the settings' GSTString) is in the title and a column heading. An account gets a
// row when its amount or its tax shows other than 0.00.
//
// Built without a window: the caller chooses the folders (builder.ChooseFolders), runs
// Build, then shows the document or tells the user it holds no data, and ends the report.
#pragma once

#include <QString>

#include "ChartTables.h"

class Database;
class ReportBuilder;

class GstSummaryReport {
 public:
  // db and builder must outlive the report. REQUIRES while building: FOLDER, GSTEXP1,
  // ACC, GSTINC1 and ACCI open.
  GstSummaryReport(Database& db, ReportBuilder& builder) : db_(db), builder_(builder) {}

  // Begins the report and writes both parts; when any line was written, the included
  // folders. The document is left with the builder (LastLine() < 0: no data).
  // REQUIRES: builder.SelectedFolders not empty.
  void Build();

 private:
  using Totals = ChartTables::Totals;

  void begin();
  // One part (income or expense): its two sections, each with its rows and, when the
  // document holds any line, its total row. Returns the part's totals.
  Totals part(ChartTables::Side side);
  // A row with an empty account number: name, amount and tax.
  void totalRow(const QString& name, const Totals& totals);

  Database& db_;
  ReportBuilder& builder_;
  QDate fyStart_;
};
