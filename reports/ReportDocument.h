// The report document: a grid of short text cells, built completely before it is shown,
// printed or exported. Each line has CellCount cells; the last one is the line's style
// cell ("B" bold, "U" rule under the line), the others are content cells in the form
// ReportCell reads. Beside the lines it keeps the report's rows as data (plain values per
// content column), for the spreadsheet export. Only one report exists at a time.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A row of the report as a spreadsheet takes it: the subheading it was written under,
// whether it totals other rows, and one plain value per content column.
struct ReportDataRow {
  QString section;
  bool total = false;
  QStringList values;
};

class ReportDocument {
 public:
  // Starts an empty document of reportWidth character columns (below 100) and cellCount
  // cells per line, style cell included. REQUIRES: cellCount >= 2.
  void Reset(int reportWidth, int cellCount);
  // Frees every line and data row; LastLine() becomes -1.
  void Clear();

  int ReportWidth() const { return reportWidth_; }
  // Widens the report by columns character columns. REQUIRES: no line yet.
  void Widen(int columns) { reportWidth_ += columns; }
  int CellCount() const { return cellCount_; }
  // Index of the last line; -1 while the document is empty.
  int LastLine() const { return static_cast<int>(ReportLines.size()) - 1; }

  // Appends a line whose cells are all empty; returns its index.
  int AddLine();

  // Cells of line (0 to LastLine()). Content cells are 0 to CellCount() - 2.
  const QStringList& Line(int line) const { return ReportLines[line]; }
  const QString& Cell(int line, int cell) const { return ReportLines[line][cell]; }
  void SetCell(int line, int cell, const QString& text) { ReportLines[line][cell] = text; }
  // Replaces every cell of line. REQUIRES: cells holds CellCount() cells.
  void SetLine(int line, const QStringList& cells) { ReportLines[line] = cells; }
  const QString& Style(int line) const { return ReportLines[line].back(); }
  void SetStyle(int line, const QString& style) { ReportLines[line].back() = style; }

  // Whether a style cell asks for bold text, or for a rule under the line.
  static bool IsBold(const QString& style) { return style.contains(QLatin1Char('B')); }
  static bool IsUnderlined(const QString& style) { return style.contains(QLatin1Char('U')); }

  // The names of the content columns (their headings) and the rows written under them.
  const QStringList& DataColumns() const { return dataColumns_; }
  void SetDataColumns(const QStringList& names) { dataColumns_ = names; }
  const QList<ReportDataRow>& DataRows() const { return dataRows_; }
  void AddDataRow(const ReportDataRow& row) { dataRows_.append(row); }
  // Whether the rows are the periods of a profit report, which has a chart.
  bool ProfitPeriods() const { return profitPeriods_; }
  void SetProfitPeriods(bool periods) { profitPeriods_ = periods; }

 private:
  int reportWidth_ = 0;
  int cellCount_ = 0;
  QList<QStringList> ReportLines;
  QStringList dataColumns_;
  QList<ReportDataRow> dataRows_;
  bool profitPeriods_ = false;
};
