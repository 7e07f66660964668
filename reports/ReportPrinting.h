// The one print routine of reports, used for printing, the print preview and the PDF
// export alike, and the measure of how many lines a page of the printer holds.
//
// Pages break only where the document has page-break cells (ReportBuilder places them
// so a page never holds more than LinesPerPage lines); a page-break line takes no room.
#pragma once

#include <QFont>
#include <optional>

#include "ReportPainter.h"

class QPrinter;
class ReportDocument;
struct SettingsRecord;

class ReportPrinting {
 public:
  // The smallest size the print font is lowered to while the report is wider than the page.
  static constexpr int kMinimumPointSize = 4;

  // The report font of the settings: base with the stored font name and size where they
  // are set (blank name, size 0: base's own).
  static QFont ReportFont(const QFont& base, const SettingsRecord& settings);
  // document laid out on printer's printable page in font, lowered to fit the page width.
  static ReportPainter PageLayout(const ReportDocument& document, QPrinter& printer,
                                  const QFont& font);
  // The top margin of every page: three line heights of layout.
  static int TopMargin(const ReportPainter& layout) { return 3 * layout.LineHeight(); }
  // Prints every line of document on printer in font, starting a new page at each
  // page-break cell. Returns false when the print job could not be started (nothing
  // printed).
  static bool Print(const ReportDocument& document, QPrinter& printer, const QFont& font);
  // Prints document in font to a PDF file at path, on the pages of pages (its page layout
  // and resolution), so the page breaks placed for that printer still fit; title names
  // the PDF document. Returns false when the file could not be written.
  static bool PrintPdf(const ReportDocument& document, const QPrinter& pages, const QFont& font,
                       const QString& path, const QString& title);
  // Lines a page of printer holds in font (its page layout and resolution as they are
  // now); nothing when the printer gives no usable page or text height.
  static std::optional<int> LinesPerPage(QPrinter& printer, const QFont& font);
};
