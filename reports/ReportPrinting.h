// The one print routine of reports, used for printing, the print preview and the PDF
// export alike, and the measure of how many lines a page of the printer holds.
//
// Pages break only where the document has page-break cells (ReportBuilder places them
// so a page never holds more than LinesPerPage lines); a page-break line takes no room.
#pragma once

#include <QFont>
#include <optional>

#include "ReportPainter.h"

class QPageLayout;
class QPaintDevice;
class QPagedPaintDevice;
class ReportDocument;
struct SettingsRecord;

class ReportPrinting {
 public:
  // The smallest size the print font is lowered to while the report is wider than the page.
  static constexpr int kMinimumPointSize = 4;

  // The report font of the settings: base with the stored font name and size where they
  // are set (blank name, size 0: base's own).
  static QFont ReportFont(const QFont& base, const SettingsRecord& settings);
  // The resolution of PDF pages no printer chose: that of a high-resolution printer.
  static constexpr int kPdfResolution = 1200;

  // document laid out on the printable page of pages in font, lowered to fit the page width.
  static ReportPainter PageLayout(const ReportDocument& document, const QPaintDevice& pages,
                                  const QFont& font);
  // The top margin of every page: three line heights of layout.
  static int TopMargin(const ReportPainter& layout) { return 3 * layout.LineHeight(); }
  // Prints every line of document on pages (a printer or a PDF file) in font, starting a
  // new page at each page-break cell. Returns false when the print job could not be
  // started (nothing printed).
  static bool Print(const ReportDocument& document, QPagedPaintDevice& pages, const QFont& font);
  // Prints document in font to a PDF file at path, on pages of layout at resolution (a
  // printer's, so the page breaks placed for it still fit); title names the PDF document.
  // Returns false when the file could not be written.
  static bool PrintPdf(const ReportDocument& document, const QPageLayout& layout, int resolution,
                       const QFont& font, const QString& path, const QString& title);
  // The page of a PDF file when no printer chose one: the PDF writer's default page.
  static QPageLayout DefaultPdfLayout();
  // Lines a page of pages holds in font (its page layout and resolution as they are now);
  // nothing when the device gives no usable page or text height.
  static std::optional<int> LinesPerPage(const QPaintDevice& pages, const QFont& font);
  // LinesPerPage of the default PDF page at kPdfResolution.
  static std::optional<int> PdfLinesPerPage(const QFont& font);
};
