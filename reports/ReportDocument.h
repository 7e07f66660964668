// The report document: a grid of short text cells, built completely before it is shown,
// printed or exported. Each line has CellCount cells; the last one is the line's style
// cell ("B" bold, "U" rule under the line), the others are content cells in the form
// ReportCell reads. Only one report exists at a time.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class ReportDocument {
 public:
  // Starts an empty document of reportWidth character columns (below 100) and cellCount
  // cells per line, style cell included. REQUIRES: cellCount >= 2.
  void Reset(int reportWidth, int cellCount);
  // Frees every line; LastLine() becomes -1.
  void Clear() { ReportLines.clear(); }

  int ReportWidth() const { return reportWidth_; }
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

 private:
  int reportWidth_ = 0;
  int cellCount_ = 0;
  QList<QStringList> ReportLines;
};
