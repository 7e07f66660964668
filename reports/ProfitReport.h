// The profit report: the report period cut into weeks or calendar months, one row per
// period (also when it holds nothing) with the income and expenses of the selected
// folders split by the tax class of each record's account (taxable income, deductible
// expenses, their profit, non-taxable income, non-deductible expenses, net profit), and
// a "Totals" row. An account that is not (or no longer) in its chart counts as
// non-taxable or non-deductible; the account's current flag decides for all its records.
//
// The monthly report begins on the first day of the start date's month, and that moved
// date becomes the shared report start (StartDate).
//
// Built without a window: the caller chooses the folders (builder.ChooseFolders), runs
// Build, then shows the document or tells the user it holds no data (a start after the
// end), and ends the report.
#pragma once

#include <QDate>

#include "ReportValue.h"

class Database;
class ReportBuilder;

class ProfitReport {
 public:
  enum class Period { Weekly, Monthly };
  // The content columns of a row.
  enum Column {
    kPeriodColumn,
    kTaxableIncomeColumn,
    kDeductibleColumn,
    kTaxableProfitColumn,
    kOtherIncomeColumn,
    kOtherExpensesColumn,
    kNetProfitColumn
  };

  // db and builder must outlive the report. REQUIRES while building: FOLDER, GSTEXP1,
  // GSTINC1, ACC and ACCI open.
  ProfitReport(Database& db, ReportBuilder& builder, Period period);

  // Writes the period rows from StartDate() to the request's end date and, when there are
  // any, the totals row and the included folders. REQUIRES: builder.SelectedFolders not
  // empty.
  void Build();

  // Where the report begins: the request's start date; for the monthly report the first
  // day of its month.
  QDate StartDate() const;

 private:
  // The period's last day: a week after first, or the end of first's month; not after
  // the report's end.
  QDate periodEnd(const QDate& first) const;
  // The sums of one period and of the whole report.
  struct Sums {
    double taxableIncome = 0, otherIncome = 0, deductible = 0, otherExpenses = 0;
    Sums& operator+=(const Sums& other);
  };
  // The records of the selected folders dated from first to last.
  Sums periodSums(const QDate& first, const QDate& last);
  // A period's row (name its last day) or the totals row.
  void writeRow(const ReportValue& name, const Sums& sums);

  Database& db_;
  ReportBuilder& builder_;
  const Period period_;
};
