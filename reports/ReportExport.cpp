#include "ReportExport.h"

#include <QFile>

#include "ReportCell.h"
#include "ReportDocument.h"
#include "VectorState.h"

QString ReportExport::LineText(const ReportDocument& document, int line, Layout layout) {
  const int contentCells = document.CellCount() - 1;
  const QStringList cells = document.Line(line);
  if (layout == Layout::TabDelimited) {
    QStringList fields;
    for (int index = 0; index < contentCells; ++index) {
      const ReportCell cell = ReportCell::Parse(cells[index]);
      if (cell.IsText()) {
        fields.resize(index);  // the empty cells before it are empty fields
        fields.append(cell.text);
      }
    }
    return fields.join(QLatin1Char('\t'));
  }
  QString text;
  for (int index = 0; index < contentCells; ++index) {
    const ReportCell cell = ReportCell::Parse(cells[index]);
    if (!cell.IsText()) continue;
    const int position =
        ReportCell::StartX(cell.kind, cell.column, static_cast<int>(cell.text.size()), 1, 0);
    // A text running past the next cell's position pushes that cell along.
    if (text.size() < position) text.resize(position, QLatin1Char(' '));
    text += cell.text;
  }
  return text;
}

QStringList ReportExport::Lines(const ReportDocument& document, Layout layout) {
  QStringList lines;
  for (int line = 0; line <= document.LastLine(); ++line) {
    lines.append(LineText(document, line, layout));
  }
  return lines;
}

bool ReportExport::Write(const ReportDocument& document, Layout layout, const QString& path) {
  return WriteLines(path, document.LastLine() + 1,
                    [&](int line) { return LineText(document, line, layout); });
}

bool ReportExport::WriteLines(const QString& path, int count,
                              const std::function<QString(int)>& line) {
  if (QFile::exists(path)) QFile::remove(path);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  bool written = true;
  ClearVectorUpperHalves();
  // Lines are gathered into blocks of about a megabyte, each written at once.
  constexpr qsizetype kBlock = 1 << 20;
  QByteArray block;
  block.reserve(kBlock + 4096);
  const auto writeBlock = [&] {
    written = written && file.write(block) == block.size();
    block.clear();
  };
  for (int index = 0; index < count && written; ++index) {
    block += line(index).toUtf8();
    block += "\r\n";
    if (block.size() >= kBlock) writeBlock();
  }
  writeBlock();
  if (!written || !file.flush()) {
    file.close();
    file.remove();
    return false;
  }
  return true;
}
