#include "ReportPrinting.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include "Records.h"
#include "ReportDocument.h"
#include "ReportRules.h"

namespace {

// Stretches a line's picture into the size in inches its style cell gives.
void drawPrintedPicture(QPainter& painter, ReportPainter& layout, const QPaintDevice& pages,
                        const ReportCell& cell, const QString& style, int y) {
  const QImage& picture = layout.Picture(cell.text);
  if (picture.isNull()) return;
  const QSizeF inches = ReportCell::PrintedImageSize(style);
  const int width = static_cast<int>(pages.logicalDpiX() * inches.width());
  const int height = static_cast<int>(pages.logicalDpiY() * inches.height());
  painter.drawImage(QRect(layout.PictureX(cell, width), y, width, height), picture);
}

}  // namespace

ReportPainter ReportPrinting::PageLayout(const ReportDocument& document, const QPaintDevice& pages,
                                         const QFont& font) {
  return ReportPainter(document, font, pages, pages.width(), kMinimumPointSize);
}

bool ReportPrinting::Print(const ReportDocument& document, QPagedPaintDevice& pages,
                           const QFont& font) {
  ReportPainter layout = PageLayout(document, pages, font);
  QPainter painter;
  if (!painter.begin(&pages)) return false;
  const int top = TopMargin(layout);
  int y = top;
  for (int line = 0; line <= document.LastLine(); ++line) {
    layout.BeginLine(painter, line);
    const QStringList cells = document.Line(line);
    for (int index = 0; index < document.CellCount() - 1; ++index) {
      const ReportCell cell = ReportCell::Parse(cells[index]);
      if (cell.kind == ReportCell::Kind::Eject) {
        pages.newPage();
        y = top - layout.LineHeight();  // the break takes no room on either page
      } else if (cell.kind == ReportCell::Kind::Image) {
        drawPrintedPicture(painter, layout, pages, cell, document.Style(line), y);
      } else {
        layout.DrawCell(painter, cell, y);
      }
    }
    y += layout.LineHeight();
    layout.DrawUnderline(painter, line, y);
  }
  return painter.end();
}

std::optional<int> ReportPrinting::LinesPerPage(const QPaintDevice& pages, const QFont& font) {
  const int lines = ReportRules::LinesPerPage(pages.height(), QFontMetrics(font, &pages).height());
  if (lines <= 0) return std::nullopt;
  return lines;
}

bool ReportPrinting::PrintPdf(const ReportDocument& document, const QPageLayout& layout,
                              int resolution, const QFont& font, const QString& path,
                              const QString& title) {
  QPdfWriter pdf(path);
  pdf.setResolution(resolution);
  pdf.setPageLayout(layout);
  pdf.setTitle(title);
  return Print(document, pdf, font);
}

QPageLayout ReportPrinting::DefaultPdfLayout() { return QPdfWriter(QString()).pageLayout(); }

std::optional<int> ReportPrinting::PdfLinesPerPage(const QFont& font) {
  QPdfWriter pages{QString()};
  pages.setResolution(kPdfResolution);
  return LinesPerPage(pages, font);
}

QFont ReportPrinting::ReportFont(const QFont& base, const SettingsRecord& settings) {
  QFont font = base;
  if (!settings.FontName.trimmed().isEmpty()) font.setFamily(settings.FontName.trimmed());
  if (settings.FontSize > 0) font.setPointSize(settings.FontSize);
  return font;
}
