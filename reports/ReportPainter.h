// A report document laid out on one paint device, the viewer's window or a printer's
// page: the character grid (width of "B", height of "A", the report centred on the usable
// width) and the drawing of a line's text cells, rules and underline by the column rule
// of ReportCell. The screen and the printer differ only in what they do with page breaks
// and pictures, which their own loops handle.
#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPen>

#include "ReportCell.h"

class QPainter;
class QPaintDevice;
class ReportDocument;

class ReportPainter {
 public:
  // Lays document out on device within usableWidth device pixels in font, lowered one
  // point at a time while the report is wider than that and the size is above
  // minimumPointSize (at that size a wider report is cut at both sides).
  // document must outlive the painter.
  ReportPainter(const ReportDocument& document, const QFont& font, const QPaintDevice& device,
                int usableWidth, int minimumPointSize);

  const QFont& Font() const { return font_; }
  int CharWidth() const { return charWidth_; }
  int LineHeight() const { return lineHeight_; }
  int LeftEdge() const { return leftEdge_; }
  int RightEdge() const { return rightEdge_; }

  // x where something width pixels wide starts, aligned by kind on column.
  int ColumnX(ReportCell::Kind kind, int column, int width) const {
    return ReportCell::StartX(kind, column, width, charWidth_, leftEdge_);
  }
  // Gives painter the line's font, bold when its style cell asks.
  void BeginLine(QPainter& painter, int line) const;
  // Draws a text, vertical-rule or horizontal-rule cell of a line whose top is at y;
  // other kinds draw nothing.
  void DrawCell(QPainter& painter, const ReportCell& cell, int y) const;
  // Draws the rule across the report under a line whose style cell asks for one; y is
  // the bottom of the line.
  void DrawUnderline(QPainter& painter, int line, int y) const;
  // A line's picture, loaded on first use; a null image when the file cannot be read.
  const QImage& Picture(const QString& fileName);
  // Where a picture width pixels wide aligned as cell asks starts.
  int PictureX(const ReportCell& cell, int width) const {
    return ColumnX(ReportCell::Kind::Left, cell.column, 0) -
           (cell.align == ReportCell::Kind::Centre  ? width / 2
            : cell.align == ReportCell::Kind::Right ? width
                                                    : 0);
  }
  // A pen of style about one screen pixel wide on this device.
  QPen Pen(Qt::PenStyle style) const;

 private:
  const ReportDocument& document_;
  QFont font_;
  int charWidth_ = 1;
  int lineHeight_ = 1;
  int leftEdge_ = 0;
  int rightEdge_ = 0;
  int penWidth_ = 1;
  QHash<QString, QImage> pictures_;
};
