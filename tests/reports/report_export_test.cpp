// The fixed-column and tab-delimited export of a report document.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ReportDocument.h"
#include "ReportExport.h"

namespace {

using Layout = ReportExport::Layout;

// A document of width 80 whose one line holds cells (style cell left empty).
ReportDocument lineOf(const QStringList& cells, int cellCount = 7) {
  ReportDocument document;
  document.Reset(80, cellCount);
  const int line = document.AddLine();
  for (int i = 0; i < cells.size(); ++i) document.SetCell(line, i, cells[i]);
  return document;
}

QString fixed(const QStringList& cells) {
  return ReportExport::LineText(lineOf(cells), 0, Layout::FixedColumns);
}

TEST(FixedColumnExport, RightAlignedTextEndsJustBeforeItsColumn) {
  const QString amount = QStringLiteral(" 1,234,567.89");  // 13 characters
  const QString text = fixed({QStringLiteral("R50") + amount});
  EXPECT_EQ(text.indexOf(QLatin1Char('1')), 38);
  EXPECT_EQ(text, QString(37, QLatin1Char(' ')) + amount);
  EXPECT_EQ(text.size(), 50);  // the last character is the 50th of the line
}

TEST(FixedColumnExport, LeftAndCentredTextByTheColumnRule) {
  EXPECT_EQ(fixed({QStringLiteral("L07Stationery")}), QStringLiteral("       Stationery"));
  // Centred: starts at column - trunc(length / 2); "Summary" has 7 characters.
  EXPECT_EQ(fixed({QStringLiteral("C10Summary")}), QStringLiteral("       Summary"));
  // A leading blank stands for a leading zero in the column.
  EXPECT_EQ(fixed({QStringLiteral("L 3x")}), QStringLiteral("   x"));
}

TEST(FixedColumnExport, ALongTextPushesTheNextCellWithoutABlank) {
  const QString name = QStringLiteral("Motor vehicle running costs - fuel and oil");  // to 49
  const QString text =
      fixed({QStringLiteral("R051"), QStringLiteral("L07") + name, QStringLiteral("R50    12.00")});
  EXPECT_EQ(text, QStringLiteral("    1  ") + name + QStringLiteral("    12.00"));
}

TEST(FixedColumnExport, PrefixOnlyCellsPadTheLine) {
  // A totals row: the check-number, account and payee cells hold only their prefixes.
  const QString text =
      fixed({QStringLiteral("L00TOTAL EXPENSES"), QStringLiteral("R19"), QStringLiteral("R24"),
             QStringLiteral("L26"), QStringLiteral("R67       150.00")});
  EXPECT_EQ(text, QStringLiteral("TOTAL EXPENSES") + QString(40, QLatin1Char(' ')) +
                      QStringLiteral("       150.00"));
  EXPECT_EQ(fixed({QStringLiteral("L26")}), QString(26, QLatin1Char(' ')));
}

TEST(FixedColumnExport, OnlyTextCellsAreWritten) {
  EXPECT_EQ(fixed({QStringLiteral("EJECT")}), QString());
  EXPECT_EQ(fixed({QString(), QStringLiteral("V10"), QStringLiteral("H0050"),
                   QStringLiteral("IC40logo.bmp"), QStringLiteral("L02ab")}),
            QStringLiteral("  ab"));
}

TEST(FixedColumnExport, StyleCellIsNoContent) {
  ReportDocument document = lineOf({QStringLiteral("L00a")}, 3);
  document.SetStyle(0, QStringLiteral("L05UB"));  // looks like a cell, but is the style
  EXPECT_EQ(ReportExport::LineText(document, 0, Layout::FixedColumns), QStringLiteral("a"));
}

TEST(TabDelimitedExport, OneFieldPerCellUpToTheLastText) {
  // An empty or non-text cell between texts is an empty field, so the fields line up
  // with the column headings; nothing follows the last text.
  const ReportDocument document =
      lineOf({QStringLiteral("L0001/06/26"), QString(), QStringLiteral("R24 5"),
              QStringLiteral("EJECT"), QStringLiteral("L26Office"), QStringLiteral("R67  9.95")});
  EXPECT_EQ(ReportExport::LineText(document, 0, Layout::TabDelimited),
            QStringLiteral("01/06/26\t\t 5\t\tOffice\t  9.95"));
  const ReportDocument leading = lineOf({QString(), QStringLiteral("R24 5"), QString()});
  EXPECT_EQ(ReportExport::LineText(leading, 0, Layout::TabDelimited), QStringLiteral("\t 5"));
}

TEST(TabDelimitedExport, PrefixOnlyCellsAreEmptyFields) {
  const ReportDocument document =
      lineOf({QStringLiteral("L00Total"), QStringLiteral("R15"), QStringLiteral("L17"),
              QStringLiteral("R61 100.00"), QStringLiteral("R75 9.09")});
  EXPECT_EQ(ReportExport::LineText(document, 0, Layout::TabDelimited),
            QStringLiteral("Total\t\t\t 100.00\t 9.09"));
}

TEST(ExportFile, OneLinePerDocumentLineEndedByCrLf) {
  ReportDocument document;
  document.Reset(40, 3);
  document.SetCell(document.AddLine(), 0, QStringLiteral("L00Caf\u00e9"));
  document.SetCell(document.AddLine(), 0, QStringLiteral("EJECT"));
  document.SetCell(document.AddLine(), 1, QStringLiteral("R05 12"));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("report.txt"));
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(500, 'x'));  // a longer file is replaced, not overwritten in part
  }
  ASSERT_TRUE(ReportExport::Write(document, Layout::FixedColumns, path));
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  // UTF-8, whatever code page the tables hold.
  EXPECT_EQ(written.readAll(), QByteArray("Caf\xc3\xa9\r\n\r\n   12\r\n"));
}

TEST(ExportFile, AFileThatCannotBeCreatedIsReported) {
  ReportDocument document;
  document.Reset(40, 2);
  document.SetCell(document.AddLine(), 0, QStringLiteral("L00x"));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("missing/report.asc"));
  EXPECT_FALSE(ReportExport::Write(document, Layout::TabDelimited, path));
  EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
