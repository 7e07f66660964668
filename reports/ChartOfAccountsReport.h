// The chart of accounts: the accounts of the expense or the income chart in two sections
// by the account's flag (deductible or taxable first), number and name; no dates, no
// folders, no totals.
//
// Built without a window: the caller runs Build, then shows the document or tells the
// user it holds no data, and ends the report.
#pragma once

#include "ChartTables.h"

class Database;
class ReportBuilder;

class ChartOfAccountsReport {
 public:
  // db and builder must outlive the report. REQUIRES while building: the side's account
  // table open (ACC or ACCI).
  ChartOfAccountsReport(Database& db, ReportBuilder& builder, ChartTables::Side side)
      : builder_(builder), chart_(db, side), side_(side) {}

  // Begins the report and writes both sections; the document is left with the builder
  // (LastLine() < 0: an empty chart).
  void Build();

 private:
  ReportBuilder& builder_;
  ChartTables chart_;
  const ChartTables::Side side_;
};
