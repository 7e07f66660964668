// The export of a report document to text, one text line per document line: fixed
// columns (".txt") laid out by the column rule of ReportCell, or tab-delimited fields
// (".asc"). Only L, C and R cells are written; page breaks come out as empty lines.
// Needs no window, so a report can be exported by any program that built one.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class ReportDocument;

class ReportExport {
 public:
  enum class Layout { FixedColumns, TabDelimited };

  // The text of one document line. A cell holding only its prefix ("R19") still pads
  // (fixed columns) or makes an empty field (tab-delimited). Tab-delimited, every content
  // cell up to the line's last text cell is a field, an empty one included, so the fields
  // of every row line up with the column headings.
  static QString LineText(const ReportDocument& document, int line, Layout layout);
  // Every line's text, line 0 to LastLine().
  static QStringList Lines(const ReportDocument& document, Layout layout);
  // Replaces the file at path with the document's lines, each ended by CR LF, in UTF-8
  // (columns count characters, not bytes). Returns
  // false, with nothing written, when the file cannot be created or written.
  static bool Write(const ReportDocument& document, Layout layout, const QString& path);
  // Replaces the file at path with count lines, line(0) to line(count - 1), each in UTF-8
  // and ended by CR LF, written as they come so no copy of the whole text is held.
  // false, with no file left, when it fails.
  static bool WriteLines(const QString& path, int count, const std::function<QString(int)>& line);
};
