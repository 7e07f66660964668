#include "ReportPainter.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ReportDocument.h"

ReportPainter::ReportPainter(const ReportDocument& document, const QFont& font,
                             const QPaintDevice& device, int usableWidth, int minimumPointSize)
    : document_(document), font_(font) {
  // QFontMetrics wants a non-const device only for its resolution.
  QPaintDevice* measured = const_cast<QPaintDevice*>(&device);
  const int reportWidth = document.ReportWidth();
  charWidth_ = QFontMetrics(font_, measured).horizontalAdvance(QLatin1Char('B'));
  while (usableWidth < reportWidth * charWidth_ && font_.pointSizeF() > minimumPointSize) {
    font_.setPointSizeF(std::max<qreal>(font_.pointSizeF() - 1, minimumPointSize));
    charWidth_ = QFontMetrics(font_, measured).horizontalAdvance(QLatin1Char('B'));
  }
  charWidth_ = std::max(charWidth_, 1);
  lineHeight_ = std::max(QFontMetrics(font_, measured).height(), 1);
  leftEdge_ = static_cast<int>(std::trunc(usableWidth / 2.0 - reportWidth * charWidth_ / 2.0));
  rightEdge_ = reportWidth * charWidth_ + leftEdge_;
  penWidth_ = std::max(1, static_cast<int>(std::lround(device.logicalDpiY() / 96.0)));
}

void ReportPainter::BeginLine(QPainter& painter, int line) const {
  QFont lineFont = font_;
  lineFont.setBold(ReportDocument::IsBold(document_.Style(line)));
  painter.setFont(lineFont);
}

void ReportPainter::DrawCell(QPainter& painter, const ReportCell& cell, int y) const {
  if (cell.IsText()) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = ColumnX(cell.kind, cell.column, metrics.horizontalAdvance(cell.text));
    painter.setPen(Pen(Qt::SolidLine));
    painter.drawText(x, y + metrics.ascent(), cell.text);
  } else if (cell.kind == ReportCell::Kind::VerticalRule) {
    const int x = ColumnX(ReportCell::Kind::Left, cell.column, 0);
    painter.setPen(Pen(Qt::SolidLine));
    painter.drawLine(x, y, x, y + lineHeight_);
  } else if (cell.kind == ReportCell::Kind::HorizontalRule) {
    painter.setPen(Pen(Qt::SolidLine));
    painter.drawLine(ColumnX(ReportCell::Kind::Left, cell.column, 0), y,
                     ColumnX(ReportCell::Kind::Left, cell.endColumn, 0), y);
  }
}

void ReportPainter::DrawUnderline(QPainter& painter, int line, int y) const {
  if (!ReportDocument::IsUnderlined(document_.Style(line))) return;
  painter.setPen(Pen(Qt::SolidLine));
  painter.drawLine(leftEdge_, y, rightEdge_, y);
}

const QImage& ReportPainter::Picture(const QString& fileName) {
  auto found = pictures_.find(fileName);
  if (found == pictures_.end()) found = pictures_.insert(fileName, QImage(fileName));
  return *found;
}

QPen ReportPainter::Pen(Qt::PenStyle style) const {
  QPen pen(Qt::black);
  pen.setWidth(penWidth_);
  pen.setStyle(style);
  return pen;
}
