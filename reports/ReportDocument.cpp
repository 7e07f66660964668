#include "ReportDocument.h"

void ReportDocument::Reset(int reportWidth, int cellCount) {
  reportWidth_ = reportWidth;
  cellCount_ = cellCount;
  Clear();
}

void ReportDocument::Clear() {
  lines_.Clear();
  open_.clear();
  styles_ = {};
  dataColumns_.clear();
  dataRows_.Clear();
  profitPeriods_ = false;
}

void ReportDocument::packOpenLine() {
  // Empty cells at the end cost nothing: Line() fills them in again.
  while (!open_.isEmpty() && open_.back().isEmpty()) open_.removeLast();
  lines_.Append(open_);
}

int ReportDocument::AddLine() {
  if (!styles_.empty()) packOpenLine();
  open_ = QStringList(cellCount_ - 1);
  styles_.push_back(0);
  return LastLine();
}

QStringList ReportDocument::Line(int line) const {
  QStringList cells = line == LastLine() ? open_ : lines_.At(static_cast<std::size_t>(line));
  cells.resize(cellCount_ - 1);
  cells.append(Style(line));
  return cells;
}

QString ReportDocument::Cell(int line, int cell) const {
  if (cell == cellCount_ - 1) return Style(line);
  if (line == LastLine()) return open_[cell];
  return lines_.At(static_cast<std::size_t>(line)).value(cell);
}

void ReportDocument::SetLine(int line, const QStringList& cells) {
  open_ = cells.first(cellCount_ - 1);
  SetStyle(line, cells.back());
}

QString ReportDocument::Style(int line) const {
  const std::uint8_t flags = styles_[static_cast<std::size_t>(line)];
  QString style;
  if (flags & kBold) style += QLatin1Char('B');
  if (flags & kUnderlined) style += QLatin1Char('U');
  return style;
}

void ReportDocument::SetStyle(int line, const QString& style) {
  styles_[static_cast<std::size_t>(line)] = static_cast<std::uint8_t>(
      (IsBold(style) ? kBold : 0) | (IsUnderlined(style) ? kUnderlined : 0));
}

ReportDataRow ReportDocument::DataRow(int row) const {
  QStringList packed = dataRows_.At(static_cast<std::size_t>(row));
  ReportDataRow data;
  data.total = !packed.takeFirst().isEmpty();
  data.section = packed.takeFirst();
  data.values = packed;
  return data;
}

void ReportDocument::AddDataRow(const ReportDataRow& row) {
  QStringList packed{row.total ? QStringLiteral("T") : QString(), row.section};
  packed += row.values;
  dataRows_.Append(packed);
}
