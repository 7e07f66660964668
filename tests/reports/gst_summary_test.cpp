// The GST summary on the summaries' books (SummaryBooks.h): amounts and tax of the period
// per account, income part then expense part, their sections and totals, the rows a
// zero amount with tax still gets, page headers of the expense part, and the
// fixed-column layout.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ExportedText.h"
#include "GstSummaryReport.h"
#include "SummaryBooks.h"

namespace {

class GstSummaryTest : public testing::Test, public SummaryBooks {
 protected:
  // The report for start to end and folders, as tab-delimited lines.
  QStringList build(QList<int> folders = {1, 2}, QDate start = {2024, 1, 15},
                    QDate end = {2024, 3, 10}) {
    report = std::make_unique<LedgerReport>(*this, start, end);
    report->builder.SelectedFolders = folders;
    GstSummaryReport(db, report->builder).Build();
    return tabDelimited(document());
  }
  const ReportDocument& document() const { return report->document(); }
  static QString row(const char* number, const char* name, const char* total, const char* tax) {
    return QStringList{QString::fromLatin1(number), QString::fromLatin1(name).leftJustified(30),
                       amount(total), amount(tax)}
        .join('\t');
  }
  // A total row: its account cell holds only its prefix, an empty field in front.
  static QString total(const char* name, const char* total, const char* tax) {
    return QStringList{QString(), QString::fromLatin1(name), amount(total), amount(tax)}.join('\t');
  }
  static QString heading(const char* column) {
    return QStringLiteral("Acnt.\tAccount Name\t") + QString::fromLatin1(column) +
           QStringLiteral("\tGST Total");
  }

  std::unique_ptr<LedgerReport> report;
};

TEST_F(GstSummaryTest, IncomeThenExpensesWithSectionAndPartTotals) {
  const QStringList lines = build();
  // Period only, folders 1 and 2. Income: account 1 = 15/01 220.00 (GST 20.00) + 10/03
  // 40.00 = 260.00; account 2 = 20/02 (archived) 80.00; 14/01 and 11/03 lie outside,
  // 01/03 is folder 3's, 05/03 deleted, account 9 in no chart.
  // Expenses: account 10 = 15/01 110.00 (GST 10.00) + 29/02 55.00 (GST 5.00); account 20
  // = 15/01 20.00 + 10/03 30.00; account 60 = 0.00 with GST 2.50, a row all the same;
  // account 30 nets to zero with no tax: no row.
  const QStringList expected{
      QStringLiteral("Page 1\t15/6/26"),
      QString(),
      QStringLiteral("GST Summary Report"),
      QStringLiteral("for 15/1/24 through 10/3/24"),
      QString(),
      QStringLiteral("Taxable Income"),
      QString(),
      heading("Income Total"),
      row("1", "Sales", "260.00", "20.00"),
      total("Total Taxable Income", "260.00", "20.00"),
      QString(),
      QString(),
      QStringLiteral("Non-Taxable Income"),
      QString(),
      heading("Income Total"),
      row("2", "Interest", "80.00", "0.00"),
      total("Total Non-Taxable Income", "80.00", "0.00"),
      QString(),
      total("TOTAL INCOME", "340.00", "20.00"),
      QString(),
      QString(),
      QStringLiteral("Deductible Expenses"),
      QString(),
      heading("Expense Total"),
      row("10", "Fuel", "165.00", "15.00"),
      row("60", "Adjustments", "0.00", "2.50"),
      total("Total Deductible Expenses", "165.00", "17.50"),
      QString(),
      QString(),
      QStringLiteral("Non-Deductible Expenses"),
      QString(),
      heading("Expense Total"),
      row("20", "Bank Fees", "50.00", "0.00"),
      total("Total Non-Deductible Expenses", "50.00", "0.00"),
      QString(),
      total("TOTAL EXPENSES", "215.00", "17.50"),
      QString(),
      QString(),
      QStringLiteral("Included Folders:\t") + QStringLiteral("Main Street").leftJustified(30),
      QStringLiteral("\tFarm").leftJustified(31)};
  EXPECT_EQ(lines, expected);
  // No line combines the two parts.
  for (int line = 0; line <= document().LastLine(); ++line) {
    const bool underlined = line == 7 || line == 8 || line == 14 || line == 15 || line == 16 ||
                            line == 23 || line == 25 || line == 31 || line == 32 || line == 33;
    EXPECT_EQ(document().Style(line) == QStringLiteral("U"), underlined) << line;
  }
  EXPECT_EQ(host.statuses,
            (QStringList{QStringLiteral("Building Income Section"), QString(), QString(),
                         QStringLiteral("Building Report"), QString(), QString()}));
}

TEST_F(GstSummaryTest, WithoutIncomeRowsThePageOpensOnTheExpensePart) {
  // 16 January to 19 February 2024: no income; of the expenses only account 60's 0.00
  // with GST 2.50 (account 30's three records cancel out).
  const QStringList lines = build({1, 2}, {2024, 1, 16}, {2024, 2, 19});
  EXPECT_EQ(
      lines.mid(5, 13),
      (QStringList{QStringLiteral("Deductible Expenses"), QString(), heading("Expense Total"),
                   row("60", "Adjustments", "0.00", "2.50"),
                   total("Total Deductible Expenses", "0.00", "2.50"), QString(), QString(),
                   QStringLiteral("Non-Deductible Expenses"), QString(), heading("Expense Total"),
                   total("Total Non-Deductible Expenses", "0.00", "0.00"), QString(),
                   total("TOTAL EXPENSES", "0.00", "2.50")}));
  EXPECT_FALSE(lines.join('\n').contains(QStringLiteral("INCOME")));
}

TEST_F(GstSummaryTest, WithoutExpenseRowsTheExpensePartStillTotalsZero) {
  // Folder 2 on 20 and 21 February 2024: the archived interest of 20/02 only.
  const QStringList lines = build({2}, {2024, 2, 20}, {2024, 2, 21});
  EXPECT_EQ(lines[2], QStringLiteral("Farm GST Summary Report"));
  // The taxable section wrote nothing, so the first page opens on the second one.
  EXPECT_EQ(lines.mid(5), (QStringList{QStringLiteral("Non-Taxable Income"),
                                       QString(),
                                       heading("Income Total"),
                                       row("2", "Interest", "80.00", "0.00"),
                                       total("Total Non-Taxable Income", "80.00", "0.00"),
                                       QString(),
                                       total("TOTAL INCOME", "80.00", "0.00"),
                                       QString(),
                                       QString(),
                                       QStringLiteral("Deductible Expenses"),
                                       QString(),
                                       heading("Expense Total"),
                                       total("Total Deductible Expenses", "0.00", "0.00"),
                                       QString(),
                                       QString(),
                                       QStringLiteral("Non-Deductible Expenses"),
                                       QString(),
                                       heading("Expense Total"),
                                       total("Total Non-Deductible Expenses", "0.00", "0.00"),
                                       QString(),
                                       total("TOTAL EXPENSES", "0.00", "0.00")}));
}

TEST_F(GstSummaryTest, PagesBegunInTheExpensePartHeadTheExpenseColumn) {
  // 20 lines a page: the income part fills page 1 up to its 19th line ("TOTAL INCOME"),
  // so the expense part's section change (6 lines) begins page 2.
  host.linesPerPage = 20;
  const QStringList lines = build();
  ASSERT_EQ(lines[18], total("TOTAL INCOME", "340.00", "20.00"));
  EXPECT_EQ(document().Style(18), QStringLiteral("U"));
  EXPECT_EQ(document().Cell(19, 0), QStringLiteral("EJECT"));
  EXPECT_EQ(lines.mid(20, 9),
            (QStringList{QStringLiteral("Page 2\t15/6/26"), QString(),
                         QStringLiteral("GST Summary Report"),
                         QStringLiteral("for 15/1/24 through 10/3/24"), QString(),
                         QStringLiteral("Deductible Expenses"), QString(), heading("Expense Total"),
                         row("10", "Fuel", "165.00", "15.00")}));
  // Every page holds at most 20 lines.
  int pageLines = 0;
  for (int line = 0; line <= document().LastLine(); ++line) {
    pageLines = document().Cell(line, 0) == QStringLiteral("EJECT") ? 0 : pageLines + 1;
    EXPECT_LE(pageLines, 20) << line;
  }
}

TEST_F(GstSummaryTest, NothingInThePeriodLeavesTheDocumentEmpty) {
  build({1, 2}, {2024, 12, 1}, {2024, 12, 31});
  EXPECT_EQ(report->builder.LastLine(), -1);
}

TEST_F(GstSummaryTest, FixedColumnFileFollowsTheLayout) {
  build();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("gst.txt"));
  ASSERT_TRUE(ReportExport::Write(document(), ReportExport::Layout::FixedColumns, path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
  // Width 65: titles centred on 32, amounts ending at 50 and 65, numbers at 5.
  const QStringList expected{ExportedText().at(0, "Page 1").at(58, "15/6/26"),
                             QString(),
                             ExportedText().at(23, "GST Summary Report"),           // 18 characters
                             ExportedText().at(19, "for 15/1/24 through 10/3/24"),  // 27 characters
                             QString(),
                             ExportedText().at(0, "Taxable Income"),
                             QString(),
                             ExportedText()
                                 .at(0, "Acnt.")
                                 .at(7, "Account Name")
                                 .at(38, "Income Total")
                                 .at(56, "GST Total"),
                             ExportedText()
                                 .at(4, "1")
                                 .at(7, QStringLiteral("Sales").leftJustified(30))
                                 .at(37, amount("260.00"))
                                 .at(52, amount("20.00")),
                             ExportedText()
                                 .at(7, "Total Taxable Income")
                                 .at(37, amount("260.00"))
                                 .at(52, amount("20.00"))};
  EXPECT_EQ(lines.mid(0, expected.size()), expected);
  EXPECT_EQ(lines[23], ExportedText()
                           .at(0, "Acnt.")
                           .at(7, "Account Name")
                           .at(37, "Expense Total")
                           .at(56, "GST Total"));
  EXPECT_EQ(
      lines[35],
      ExportedText().at(7, "TOTAL EXPENSES").at(37, amount("215.00")).at(52, amount("17.50")));
  EXPECT_EQ(lines.size(), 41);  // 40 lines, each ended by CR LF
}

}  // namespace
