// The tax return worksheet: the figures a periodic tax return asks for, from the
// tax-inclusive amounts of the selected folders' records dated in the report period:
// total sales including tax (every income account, the non-taxable part shown below it),
// tax on sales, purchases including tax of the deductible expense accounts, tax on those
// purchases, and the net tax payable or refundable (tax on sales less tax on purchases).
// The tax of non-deductible expenses is shown as not claimed. Each figure is given to the
// cent and in whole dollars with the cents dropped, as tax forms ask. When the tax is
// called "GST" each line carries its Australian BAS label (G1, 1A, G11, 1B).
//
// Sums are those of the GST summary: per account of the charts, so a record whose account
// is in neither chart counts nowhere.
//
// Built without a window: the caller chooses the folders (builder.ChooseFolders), runs
// Build, shows the document and ends the report. The document always has rows.
#pragma once

#include <QString>

#include "ChartTables.h"

class Database;
class ReportBuilder;

class TaxReturnReport {
 public:
  using Totals = ChartTables::Totals;

  // The period's sums the worksheet is made of.
  struct Figures {
    Totals taxableSales;
    Totals otherSales;
    Totals deductiblePurchases;
    Totals otherPurchases;
    double salesIncludingTax() const { return taxableSales.amount + otherSales.amount; }
    double taxOnSales() const { return taxableSales.tax + otherSales.tax; }
    // Above zero: payable; below zero: refundable.
    double netTax() const { return taxOnSales() - deductiblePurchases.tax; }
  };

  // db and builder must outlive the report. REQUIRES while building: FOLDER, GSTEXP1,
  // ACC, GSTINC1 and ACCI open.
  TaxReturnReport(Database& db, ReportBuilder& builder) : db_(db), builder_(builder) {}

  // Adds up the period and writes the worksheet into a new report, then the included
  // folders when more than one folder is selected. REQUIRES: builder.SelectedFolders not
  // empty.
  void Build();
  // The sums of the last Build.
  const Figures& Sums() const { return figures_; }

  // value rounded to the cent, with the cents dropped (towards zero): what a whole-dollar
  // box of a tax form takes.
  static long long WholeDollars(double value);

 private:
  // The flagged (taxable, deductible) and other accounts' totals of one chart.
  void addUp(ChartTables::Side side, Totals& flagged, Totals& other);
  // A figure's row: its BAS label (only for GST), what it is, the amount and whole dollars.
  void figureRow(const char* label, const QString& text, double value, bool total = false);

  Database& db_;
  ReportBuilder& builder_;
  Figures figures_;
  bool gst_ = false;
};
