// The export of a report for spreadsheets: comma-separated values as RFC 4180 has them
// (fields quoted where they hold a comma, a quote or a line break; CR LF line ends),
// UTF-8. A header row names the columns; then one row per report row, with no titles,
// page headers or page breaks. The first column says "total" for a row that totals others
// and "item" for any other; a "Section" column follows when the report has sections;
// then the report's columns, dates as yyyy-mm-dd and amounts as plain numbers.
#pragma once

#include <QString>
#include <QStringList>

class ReportDocument;

class ReportCsv {
 public:
  // Replaces the file at path with the header row and document's rows; false, nothing
  // written, when it fails.
  static bool Write(const ReportDocument& document, const QString& path);
  // field as a CSV field: quoted, inner quotes doubled, when it must be.
  static QString Field(const QString& field);
};
