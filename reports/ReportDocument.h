// The report document: a grid of short text cells, built completely before it is shown,
// printed or exported. Each line has CellCount cells; the last one is the line's style
// cell ("B" bold, "U" rule under the line), the others are content cells in the form
// ReportCell reads. Lines are written one after the other and kept packed, so a report
// of millions of lines stays small in memory. Beside the lines it keeps the report's rows as data
// (plain values per content column), for the spreadsheet export. Only one report exists at a time.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "PackedTexts.h"

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
  int LastLine() const { return static_cast<int>(styles_.size()) - 1; }

  // Appends a line whose cells are all empty; returns its index. The line before it is
  // final from then on: its content cells are packed away.
  int AddLine();

  // Cells of line (0 to LastLine()), style cell last. Content cells are 0 to
  // CellCount() - 2.
  QStringList Line(int line) const;
  QString Cell(int line, int cell) const;
  // Sets content cells of the last line. REQUIRES: line == LastLine().
  void SetCell([[maybe_unused]] int line, int cell, const QString& text) { open_[cell] = text; }
  // Replaces every cell of the last line, style included. REQUIRES: line == LastLine(),
  // cells holds CellCount() cells.
  void SetLine(int line, const QStringList& cells);
  QString Style(int line) const;
  // Any line's style may change (a rule under a line written earlier).
  void SetStyle(int line, const QString& style);

  // Whether a style cell asks for bold text, or for a rule under the line.
  static bool IsBold(const QString& style) { return style.contains(QLatin1Char('B')); }
  static bool IsUnderlined(const QString& style) { return style.contains(QLatin1Char('U')); }

  // The names of the content columns (their headings) and the rows written under them.
  const QStringList& DataColumns() const { return dataColumns_; }
  void SetDataColumns(const QStringList& names) { dataColumns_ = names; }
  int DataRowCount() const { return static_cast<int>(dataRows_.Size()); }
  ReportDataRow DataRow(int row) const;
  void AddDataRow(const ReportDataRow& row);
  // Whether the rows are the periods of a profit report, which has a chart.
  bool ProfitPeriods() const { return profitPeriods_; }
  void SetProfitPeriods(bool periods) { profitPeriods_ = periods; }

 private:
  enum StyleFlag : std::uint8_t { kBold = 1, kUnderlined = 2 };
  void packOpenLine();

  int reportWidth_ = 0;
  int cellCount_ = 0;
  PackedTexts lines_;  // content cells of every line but the last
  QStringList open_;   // content cells of the last line, still being written
  std::vector<std::uint8_t> styles_;
  QStringList dataColumns_;
  PackedTexts dataRows_;  // per row: "T" or "" for total, the section, the values
  bool profitPeriods_ = false;
};
