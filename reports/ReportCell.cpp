#include "ReportCell.h"

namespace {

int columnAt(const QString& cell, qsizetype position) {
  // Two characters, digits padded with a blank ("R 5", "R50"); read by hand, as every cell
  // of every line is, with toInt for anything else.
  const QStringView digits = QStringView(cell).mid(position, 2).trimmed();
  int value = 0;
  for (const QChar c : digits) {
    if (c < u'0' || c > u'9') return digits.toInt();
    value = value * 10 + (c.unicode() - u'0');
  }
  return value;
}

ReportCell::Kind alignmentKind(QChar letter) {
  switch (letter.unicode()) {
    case 'C':
      return ReportCell::Kind::Centre;
    case 'R':
      return ReportCell::Kind::Right;
    default:
      return ReportCell::Kind::Left;
  }
}

}  // namespace

ReportCell ReportCell::Parse(const QString& cell) {
  ReportCell parsed;
  if (cell.isEmpty()) return parsed;
  switch (cell.front().unicode()) {
    case 'L':
    case 'R':
    case 'C':
      parsed.kind = alignmentKind(cell.front());
      parsed.column = columnAt(cell, 1);
      parsed.text = cell.mid(3);
      break;
    case 'E':
      parsed.kind = Kind::Eject;
      break;
    case 'V':
      parsed.kind = Kind::VerticalRule;
      parsed.column = columnAt(cell, 1);
      break;
    case 'H':
      parsed.kind = Kind::HorizontalRule;
      parsed.column = columnAt(cell, 1);
      parsed.endColumn = columnAt(cell, 3);
      break;
    case 'I':
      parsed.kind = Kind::Image;
      parsed.align = alignmentKind(cell.size() > 1 ? cell.at(1) : QChar());
      parsed.column = columnAt(cell, 2);
      parsed.text = cell.mid(4, 60).trimmed();
      break;
    default:
      parsed.kind = Kind::Other;
      break;
  }
  return parsed;
}

QString ReportCell::Moved(const QString& cell, int shift) {
  const ReportCell parsed = Parse(cell);
  if (!parsed.IsText()) return cell;
  return cell.front() + QString::number(parsed.column + shift).rightJustified(2, QLatin1Char('0')) +
         parsed.text;
}

int ReportCell::StartX(Kind kind, int column, int width, int charWidth, int leftEdge) {
  const int x = leftEdge + column * charWidth;
  switch (kind) {
    case Kind::Left:
      return x;
    case Kind::Centre:
      return x - width / 2;
    case Kind::Right:
      return x - width;
    default:
      return 0;
  }
}

QSizeF ReportCell::PrintedImageSize(const QString& style) {
  return QSizeF(style.mid(6, 5).trimmed().toDouble(), style.mid(1, 5).trimmed().toDouble());
}
