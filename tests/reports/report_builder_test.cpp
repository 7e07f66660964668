// The page logic of report building: page headers, page breaks and section changes.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "ReportTestSupport.h"

namespace {

// A line's non-empty content cells, and its style cell last.
QStringList cellsOf(const ReportDocument& document, int line) {
  QStringList cells;
  for (int i = 0; i < document.CellCount() - 1; ++i) {
    if (!document.Cell(line, i).isEmpty()) cells.append(document.Cell(line, i));
  }
  cells.append(document.Style(line));
  return cells;
}

// Line counts of the document's pages, split at the page-break lines (which belong to
// no page).
QList<int> pageSizes(const ReportDocument& document) {
  QList<int> sizes{0};
  for (int line = 0; line <= document.LastLine(); ++line) {
    if (document.Cell(line, 0) == QStringLiteral("EJECT")) {
      sizes.append(0);
    } else {
      ++sizes.back();
    }
  }
  return sizes;
}

class Building : public testing::Test, public BuilderFixture {
 protected:
  // The expense summary's layout: width 76, two titles, two heading lines.
  void beginSummary() {
    builder.BeginReport(76, 6);
    builder.SelectedFolders = {1, 2};
    builder.SetStandardTitles(QStringLiteral("Expense Summary Report"));
    builder.ReportSubheading = QStringLiteral("Deductible Expenses");
    builder.CellPrefixes = {QStringLiteral("R05"), QStringLiteral("L07"), QStringLiteral("R50"),
                            QStringLiteral("R63"), QStringLiteral("R76")};
    builder.ColumnHeadings = {
        {QString(), QString(), QStringLiteral("R50Period"), QStringLiteral("R63Prior"),
         QStringLiteral("R76Year"), QString()},
        {QStringLiteral("R05Acnt."), QStringLiteral("L07Account Name"), QStringLiteral("R50Totals"),
         QStringLiteral("R63Totals"), QStringLiteral("R76To Date"), QStringLiteral("U")}};
  }
  // A report of one heading line ("U"), two titles.
  void beginDetail() {
    builder.BeginReport(75, 6);
    builder.ReportTitles = {QStringLiteral("Income Detail Report"), QStringLiteral("for June")};
    builder.CellPrefixes = {QStringLiteral("L00"), QStringLiteral("R15"), QStringLiteral("L17"),
                            QStringLiteral("R61"), QStringLiteral("R75")};
    builder.ColumnHeadings = {{QStringLiteral("L00Date"), QStringLiteral("R15Account"),
                               QStringLiteral("L17Description"), QStringLiteral("R61Amount"),
                               QStringLiteral("R75GST"), QStringLiteral("U")}};
  }
  const ReportDocument& document() { return builder.Document(); }
};

TEST_F(Building, FirstPageHeaderOfTheExpenseSummary) {
  beginSummary();
  builder.AddRow({QStringLiteral("1"), QStringLiteral("Advertising"), builder.Money(100)});
  ASSERT_EQ(document().LastLine(), 9);
  const QStringList expected[] = {
      {QStringLiteral("L00Page 1"), QStringLiteral("R7615/6/26"), QString()},
      {QString()},
      {QStringLiteral("C38Expense Summary Report"), QStringLiteral("B")},
      {QStringLiteral("C38for 1/6/26 through 30/6/26"), QStringLiteral("B")},
      {QString()},
      {QStringLiteral("L00Deductible Expenses"), QStringLiteral("B")},
      {QString()},
      {QStringLiteral("R50Period"), QStringLiteral("R63Prior"), QStringLiteral("R76Year"),
       QString()},
      {QStringLiteral("R05Acnt."), QStringLiteral("L07Account Name"), QStringLiteral("R50Totals"),
       QStringLiteral("R63Totals"), QStringLiteral("R76To Date"), QStringLiteral("U")},
      {QStringLiteral("R051"), QStringLiteral("L07Advertising"), QStringLiteral("R50       100.00"),
       QString()}};
  for (int line = 0; line < 10; ++line) {
    EXPECT_EQ(cellsOf(document(), line), expected[line]) << "line " << line + 1;
  }
  EXPECT_EQ(builder.PageNumber, 1);
  EXPECT_EQ(builder.PageLines, 10);  // nine header lines and the row
}

TEST_F(Building, FiftyFourLinesHoldEightHeaderLinesAndFortySixRows) {
  beginDetail();
  for (int row = 1; row <= 46; ++row) builder.AddRow({QStringLiteral("row %1").arg(row)});
  EXPECT_EQ(builder.PageNumber, 1);
  EXPECT_EQ(document().LastLine(), 53);
  EXPECT_EQ(document().Cell(8, 0), QStringLiteral("L00row 1"));  // after 8 header lines
  EXPECT_EQ(document().Style(53), QString());

  builder.AddRow({QStringLiteral("row 47")});
  EXPECT_EQ(builder.PageNumber, 2);
  EXPECT_EQ(document().Style(53), QStringLiteral("U"));  // the 46th row is underlined
  EXPECT_EQ(cellsOf(document(), 54), (QStringList{QStringLiteral("EJECT"), QString()}));
  EXPECT_EQ(document().Cell(55, 0), QStringLiteral("L00Page 2"));
  EXPECT_EQ(document().Cell(55, 1), QStringLiteral("R7515/6/26"));
  EXPECT_EQ(document().Cell(62, 0), QStringLiteral("L00Date"));  // headings again
  EXPECT_EQ(document().Cell(63, 0), QStringLiteral("L00row 47"));
  EXPECT_EQ(builder.PageLines, 9);  // the page-break line counts on neither page
  EXPECT_EQ(pageSizes(document()), (QList<int>{54, 9}));
}

TEST_F(Building, TwoLineRowsNeverSplitAcrossPages) {
  beginDetail();
  for (int row = 0; row < 45; ++row) builder.AddRow({QStringLiteral("x")}, 2);  // 53 lines
  EXPECT_EQ(builder.PageNumber, 1);
  builder.AddRow({QStringLiteral("memo row")}, 2);  // 53 + 2 > 54
  EXPECT_EQ(builder.PageNumber, 2);
}

TEST_F(Building, EmptyColumnsOfARowKeepNoPrefix) {
  beginDetail();
  const int line = builder.AddRow(
      {QStringLiteral("1/6/26"), QStringLiteral("4"), QStringLiteral("memo"), QString()}, 1,
      {0, 1});
  EXPECT_EQ(cellsOf(document(), line),
            (QStringList{QStringLiteral("L17memo"), QStringLiteral("R61"), QString()}));
}

TEST_F(Building, AReportWithoutRowsHasNoLine) {
  beginDetail();
  builder.SectionChange();
  EXPECT_EQ(document().LastLine(), -1);
  EXPECT_EQ(builder.PageNumber, 0);
}

TEST_F(Building, SectionChangeWithinAPage) {
  beginSummary();
  builder.AddRow({QStringLiteral("1"), QStringLiteral("Advertising")});
  builder.ReportSubheading = QStringLiteral("Non-Deductible Expenses");
  builder.SectionChange();
  ASSERT_EQ(document().LastLine(), 15);
  EXPECT_EQ(cellsOf(document(), 10), QStringList{QString()});
  EXPECT_EQ(cellsOf(document(), 11), QStringList{QString()});
  EXPECT_EQ(cellsOf(document(), 12),
            (QStringList{QStringLiteral("L00Non-Deductible Expenses"), QStringLiteral("B")}));
  EXPECT_EQ(cellsOf(document(), 13), QStringList{QString()});
  EXPECT_EQ(document().Cell(15, 0), QStringLiteral("R05Acnt."));
  EXPECT_EQ(builder.PageNumber, 1);
}

TEST_F(Building, SectionChangeNearThePageEndBeginsAPageWithTheNewSubheading) {
  beginSummary();  // 9 header lines: 54 - 9 - 41 rows leaves 4 lines, fewer than 6
  for (int row = 0; row < 41; ++row) builder.AddRow({QStringLiteral("1")});
  builder.ReportSubheading = QStringLiteral("Non-Deductible Expenses");
  builder.SectionChange();
  EXPECT_EQ(builder.PageNumber, 2);
  EXPECT_EQ(document().Style(49), QStringLiteral("U"));
  EXPECT_EQ(document().Cell(50, 0), QStringLiteral("EJECT"));
  EXPECT_EQ(document().Cell(56, 0), QStringLiteral("L00Non-Deductible Expenses"));
  EXPECT_EQ(document().Cell(59, 0), QStringLiteral("R05Acnt."));
  EXPECT_EQ(document().LastLine(), 59);
}

TEST_F(Building, NoPageEverHoldsMoreThanLinesPerPage) {
  // Rows of one and two lines, memo lines, section changes, closing blank lines and the
  // folder list, at many page lengths: every page between two breaks fits.
  addFolder(data.db, 1, QStringLiteral("Shop"));
  addFolder(data.db, 2, QStringLiteral("Rental"));
  QRandomGenerator random(7);
  for (int linesPerPage : {16, 17, 20, 23, 31, 54, 60}) {
    host.linesPerPage = linesPerPage;
    beginSummary();
    builder.SelectedFolders = {1, 2, 1, 2, 1, 2, 1, 2};
    for (int step = 0; step < 400; ++step) {
      const quint32 choice = random.bounded(10);
      if (choice == 0) {
        builder.SectionChange();
      } else if (choice == 1) {
        builder.AddRow({QStringLiteral("1")}, 2);
        builder.AddLine();  // the memo line the two lines were reserved for
      } else if (choice == 2 && builder.LastLine() >= 0) {
        builder.AddBlankLine();
        builder.AddRow({QString(), QStringLiteral("GRAND TOTAL")});
      } else {
        builder.AddRow({QStringLiteral("1")});
      }
    }
    builder.AddIncludedFolders();
    for (const int size : pageSizes(document())) {
      EXPECT_LE(size, linesPerPage) << "lines per page " << linesPerPage;
    }
    EXPECT_GT(builder.PageNumber, 5);
    builder.EndReport();
    EXPECT_EQ(builder.LastLine(), -1);
  }
}

TEST_F(Building, BlankLinesAtAFullPageEndAreLeftOut) {
  beginDetail();
  for (int row = 0; row < 46; ++row) builder.AddRow({QStringLiteral("x")});
  ASSERT_EQ(builder.PageLines, 54);
  builder.AddBlankLine();
  EXPECT_EQ(builder.PageLines, 54);
  builder.AddRow({QStringLiteral("Total")});
  EXPECT_EQ(builder.PageNumber, 2);
}

TEST_F(Building, BeginReportTakesLinesPerPageFromTheHostAndStartsAfresh) {
  host.linesPerPage = 33;
  beginDetail();
  builder.AddRow({QStringLiteral("x")});
  builder.EndReport();
  builder.BeginReport(40, 3);
  EXPECT_EQ(builder.LinesPerPage, 33);
  EXPECT_EQ(builder.LastLine(), -1);
  EXPECT_EQ(builder.PageNumber, 0);
  EXPECT_EQ(builder.PageLines, -1);
  EXPECT_EQ(builder.CellPrefixes.size(), 2);
  ASSERT_EQ(builder.ColumnHeadings.size(), 1);
  EXPECT_EQ(builder.ColumnHeadings[0], QStringList(3));
  EXPECT_TRUE(builder.ReportTitles.isEmpty());
  // Rows use the report date format: every date the same width.
  EXPECT_EQ(builder.ReportDate(QDate(2026, 7, 1)), QStringLiteral("01/07/26"));
}

}  // namespace
