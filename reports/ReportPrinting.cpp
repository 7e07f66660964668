#include "ReportPrinting.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "Records.h"
#include "ReportDocument.h"
#include "ReportRules.h"

namespace {

// Stretches a line's picture into the size in inches its style cell gives.
void drawPrintedPicture(QPainter& painter, ReportPainter& layout, const QPrinter& printer,
                        const ReportCell& cell, const QString& style, int y) {
  const QImage& picture = layout.Picture(cell.text);
  if (picture.isNull()) return;
  const QSizeF inches = ReportCell::PrintedImageSize(style);
  const int width = static_cast<int>(printer.logicalDpiX() * inches.width());
  const int height = static_cast<int>(printer.logicalDpiY() * inches.height());
  painter.drawImage(QRect(layout.PictureX(cell, width), y, width, height), picture);
}

}  // namespace

ReportPainter ReportPrinting::PageLayout(const ReportDocument& document, QPrinter& printer,
                                         const QFont& font) {
  return ReportPainter(document, font, printer, printer.width(), kMinimumPointSize);
}

bool ReportPrinting::Print(const ReportDocument& document, QPrinter& printer, const QFont& font) {
  ReportPainter layout = PageLayout(document, printer, font);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const int top = TopMargin(layout);
  int y = top;
  for (int line = 0; line <= document.LastLine(); ++line) {
    layout.BeginLine(painter, line);
    for (int index = 0; index < document.CellCount() - 1; ++index) {
      const ReportCell cell = ReportCell::Parse(document.Cell(line, index));
      if (cell.kind == ReportCell::Kind::Eject) {
        printer.newPage();
        y = top - layout.LineHeight();  // the break takes no room on either page
      } else if (cell.kind == ReportCell::Kind::Image) {
        drawPrintedPicture(painter, layout, printer, cell, document.Style(line), y);
      } else {
        layout.DrawCell(painter, cell, y);
      }
    }
    y += layout.LineHeight();
    layout.DrawUnderline(painter, line, y);
  }
  return painter.end();
}

std::optional<int> ReportPrinting::LinesPerPage(QPrinter& printer, const QFont& font) {
  const int lines =
      ReportRules::LinesPerPage(printer.height(), QFontMetrics(font, &printer).height());
  if (lines <= 0) return std::nullopt;
  return lines;
}

bool ReportPrinting::PrintPdf(const ReportDocument& document, const QPrinter& pages,
                              const QFont& font, const QString& path, const QString& title) {
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(path);
  pdf.setResolution(pages.resolution());
  pdf.setPageLayout(pages.pageLayout());
  pdf.setDocName(title);
  return Print(document, pdf, font);
}

QFont ReportPrinting::ReportFont(const QFont& base, const SettingsRecord& settings) {
  QFont font = base;
  if (!settings.FontName.trimmed().isEmpty()) font.setFamily(settings.FontName.trimmed());
  if (settings.FontSize > 0) font.setPointSize(settings.FontSize);
  return font;
}
