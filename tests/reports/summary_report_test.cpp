// The expense and income summaries on the summaries' books (SummaryBooks.h): period,
// prior and year-to-date totals per account worked out by hand from the records listed
// there, the two sections and their totals, folders, and the fixed-column layout.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ExportedText.h"
#include "SummaryBooks.h"
#include "SummaryReport.h"

namespace {

using Side = ChartTables::Side;

class ProgressHost : public RecordingReportHost {
 public:
  void ShowProgress(int percent) override { percents.append(percent); }
  QList<int> percents;
};

class SummaryReportTest : public testing::Test, public SummaryBooks {
 protected:
  // The summary of side for start to end and folders, as tab-delimited lines.
  QStringList build(Side side, QList<int> folders = {1, 2}, QDate start = {2024, 1, 15},
                    QDate end = {2024, 3, 10}) {
    builder = std::make_unique<ReportBuilder>(
        db, host,
        ReportRequest{start, end, QDate(2026, 6, 15),
                      QLocale(QLocale::English, QLocale::Australia)});
    builder->SelectedFolders = folders;
    SummaryReport(db, *builder, side).Build();
    return tabDelimited(builder->Document());
  }
  // An account row: number, the name as stored (30 characters), period, prior, their sum.
  static QString row(const char* number, const char* name, const char* period, const char* prior,
                     const char* toDate) {
    return QStringList{QString::fromLatin1(number), QString::fromLatin1(name).leftJustified(30),
                       amount(period), amount(prior), amount(toDate)}
        .join('\t');
  }
  // A total row: its account cell holds only its prefix, an empty field in front.
  static QString total(const char* name, const char* period, const char* prior,
                       const char* toDate) {
    return QStringList{QString(), QString::fromLatin1(name), amount(period), amount(prior),
                       amount(toDate)}
        .join('\t');
  }

  ProgressHost host;  // in place of LedgerBooks' host, to see the progress too
  std::unique_ptr<ReportBuilder> builder;
};

TEST_F(SummaryReportTest, ExpenseSummaryTotalsEachSpanPerAccount) {
  const QStringList lines = build(Side::Expense);
  // Account 10, folders 1 and 2: prior = 01/07/2023 (the year's first day) 200.00; the
  // period = 15/01 (the start) 110.00 + 29/02 (archived) 55.00 = 165.00; out: 30/06/2023
  // (before the year), 01/02 (folder 3), 02/02 (deleted), 11/03 (after the end).
  // Account 20: prior = 14/01 (the day before the start) 40.00; period = 15/01 20.00 +
  // 10/03 (the end) 30.00 = 50.00.
  // No row: 30 (nets to zero), 40 (only outside the year and the period), 50 (nothing),
  // 60 (an amount of 0.00; its tax does not count here).
  const QStringList expected{
      QStringLiteral("Page 1\t15/6/26"), QString(), QStringLiteral("Expense Summary Report"),
      QStringLiteral("for 15/1/24 through 10/3/24"), QString(),
      QStringLiteral("Deductible Expenses"), QString(), QStringLiteral("\t\tPeriod\tPrior\tYear"),
      QStringLiteral("Acnt.\tAccount Name\tTotals\tTotals\tTo Date"),
      row("10", "Fuel", "165.00", "200.00", "365.00"),
      total("Total Deductible Expenses", "165.00", "200.00", "365.00"), QString(), QString(),
      QStringLiteral("Non-Deductible Expenses"), QString(),
      QStringLiteral("\t\tPeriod\tPrior\tYear"),
      QStringLiteral("Acnt.\tAccount Name\tTotals\tTotals\tTo Date"),
      row("20", "Bank Fees", "50.00", "40.00", "90.00"),
      total("Total Non-Deductible Expenses", "50.00", "40.00", "90.00"), QString(),
      // 165 + 50, 200 + 40, 365 + 90.
      total("GRAND TOTAL", "215.00", "240.00", "455.00"), QString(), QString(),
      QStringLiteral("Included Folders:\t") + QStringLiteral("Main Street").leftJustified(30),
      QStringLiteral("\tFarm").leftJustified(31)};
  EXPECT_EQ(lines, expected);
  const ReportDocument& document = builder->Document();
  // Underlined: the heading lines, the last row above each section total, and the last
  // section total above the grand total.
  for (int line = 0; line <= document.LastLine(); ++line) {
    const bool underlined = line == 8 || line == 9 || line == 16 || line == 17 || line == 18;
    EXPECT_EQ(document.Style(line) == QStringLiteral("U"), underlined) << line;
  }
  EXPECT_EQ(host.statuses, (QStringList{QStringLiteral("Building Report"), QString(), QString()}));
  // Six accounts walked once per section.
  EXPECT_EQ(host.percents.last(), 100);
  EXPECT_EQ(host.informed, QStringList());
}

TEST_F(SummaryReportTest, IncomeSummaryTotalsEachSpanPerAccount) {
  const QStringList lines = build(Side::Income);
  // Account 1: prior = 14/01 (folder 2) 50.00; period = 15/01 220.00 + 10/03 40.00 =
  // 260.00; out: 30/06/2023, 01/03 (folder 3), 05/03 (deleted), 11/03.
  // Account 2: prior = 01/07/2023 300.00; period = 20/02 (archived) 80.00.
  // Account 9 is in no chart, so no summary has it.
  EXPECT_EQ(lines.mid(2, 1), QStringList{QStringLiteral("Income Summary Report")});
  EXPECT_EQ(lines.mid(5, 1), QStringList{QStringLiteral("Taxable Income")});
  EXPECT_EQ(lines.mid(9, 2),
            (QStringList{row("1", "Sales", "260.00", "50.00", "310.00"),
                         total("Total Taxable Income", "260.00", "50.00", "310.00")}));
  EXPECT_EQ(lines.mid(13, 1), QStringList{QStringLiteral("Non-Taxable Income")});
  EXPECT_EQ(lines.mid(17, 4),
            (QStringList{row("2", "Interest", "80.00", "300.00", "380.00"),
                         total("Total Non-Taxable Income", "80.00", "300.00", "380.00"), QString(),
                         total("GRAND TOTAL", "340.00", "350.00", "690.00")}));
  EXPECT_EQ(lines.size(), 25);
}

TEST_F(SummaryReportTest, OneFolderNamesItInTheTitleAndListsNoFolders) {
  const QStringList lines = build(Side::Expense, {2});
  // Folder 2 only: account 30 has 17/01 20.20 in the period (its other records are in
  // folder 1); account 20 has 15/01 20.00 + 10/03 30.00; account 40's 11/03 is after the end.
  EXPECT_EQ(lines[2], QStringLiteral("Farm Expense Summary Report"));
  EXPECT_EQ(lines.mid(9),
            (QStringList{row("30", "Repairs", "20.20", "0.00", "20.20"),
                         total("Total Deductible Expenses", "20.20", "0.00", "20.20"), QString(),
                         QString(), QStringLiteral("Non-Deductible Expenses"), QString(),
                         QStringLiteral("\t\tPeriod\tPrior\tYear"),
                         QStringLiteral("Acnt.\tAccount Name\tTotals\tTotals\tTo Date"),
                         row("20", "Bank Fees", "50.00", "0.00", "50.00"),
                         total("Total Non-Deductible Expenses", "50.00", "0.00", "50.00"),
                         QString(), total("GRAND TOTAL", "70.20", "0.00", "70.20")}));
}

TEST_F(SummaryReportTest, AStartOnTheYearsFirstDayHasNoPriorAndAnEmptySecondSection) {
  // July 2023: only account 10's 01/07 (the fiscal-year start) 200.00, in the period.
  const QStringList lines = build(Side::Expense, {1, 2}, {2023, 7, 1}, {2023, 7, 31});
  EXPECT_EQ(lines.mid(9, 2),
            (QStringList{row("10", "Fuel", "200.00", "0.00", "200.00"),
                         total("Total Deductible Expenses", "200.00", "0.00", "200.00")}));
  // The non-deductible section has no row, yet its block and its zero total are written.
  EXPECT_EQ(lines.mid(13, 8),
            (QStringList{QStringLiteral("Non-Deductible Expenses"), QString(),
                         QStringLiteral("\t\tPeriod\tPrior\tYear"),
                         QStringLiteral("Acnt.\tAccount Name\tTotals\tTotals\tTo Date"),
                         total("Total Non-Deductible Expenses", "0.00", "0.00", "0.00"), QString(),
                         total("GRAND TOTAL", "200.00", "0.00", "200.00"), QString()}));
}

TEST_F(SummaryReportTest, ARangeGivenBackwardsStillHasItsPrior) {
  // From 15 January back to 10 January 2024: no day is in the period, and prior runs from
  // the year's start to 14 January: account 10's 01/07/2023 200.00, account 20's 14/01
  // 40.00 (after the end date, before the start) and account 30's nothing yet.
  const QStringList lines = build(Side::Expense, {1, 2}, {2024, 1, 15}, {2024, 1, 10});
  EXPECT_EQ(lines[9], row("10", "Fuel", "0.00", "200.00", "200.00"));
  EXPECT_EQ(lines[17], row("20", "Bank Fees", "0.00", "40.00", "40.00"));
  EXPECT_EQ(lines[20], total("GRAND TOTAL", "0.00", "240.00", "240.00"));
}

TEST(SummaryReportEdge, WithoutDeductibleRowsTheFirstPageOpensOnTheSecondSection) {
  LedgerBooks books;
  addFolder(books.db, 1, QStringLiteral("Only"));
  addAccount(books.db, false, 5, QStringLiteral("Rent"), true);
  addAccount(books.db, false, 7, QStringLiteral("Fines"), false);
  books.addExpense({2024, 2, 1}, 7, 1, 12.50);
  LedgerReport report(books, {2024, 2, 1}, {2024, 2, 29});
  report.builder.SelectedFolders = {1};
  SummaryReport(books.db, report.builder, ChartTables::Side::Expense).Build();
  const QStringList lines = tabDelimited(report.document());
  EXPECT_EQ(lines[2], QStringLiteral("Only Expense Summary Report"));
  EXPECT_EQ(lines[5], QStringLiteral("Non-Deductible Expenses"));
  EXPECT_EQ(lines.mid(9),
            (QStringList{QStringLiteral("7\t") + QStringLiteral("Fines").leftJustified(30) + '\t' +
                             amount("12.50") + '\t' + amount("0.00") + '\t' + amount("12.50"),
                         QStringLiteral("\tTotal Non-Deductible Expenses\t") + amount("12.50") +
                             '\t' + amount("0.00") + '\t' + amount("12.50"),
                         QString(),
                         QStringLiteral("\tGRAND TOTAL\t") + amount("12.50") + '\t' +
                             amount("0.00") + '\t' + amount("12.50")}));
  EXPECT_FALSE(lines.join('\n').contains(QStringLiteral("Total Deductible")));
}

TEST_F(SummaryReportTest, NothingInTheSpansLeavesTheDocumentEmpty) {
  // December 2024: no record of folders 1 and 2 from 1 July 2024 on but 11/03's, which lie
  // in the earlier year.
  build(Side::Expense, {1, 2}, {2024, 12, 1}, {2024, 12, 31});
  EXPECT_EQ(builder->LastLine(), -1);
  EXPECT_EQ(host.statuses, (QStringList{QStringLiteral("Building Report"), QString(), QString()}));
}

TEST_F(SummaryReportTest, FixedColumnFileFollowsTheLayout) {
  build(Side::Expense);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("summary.txt"));
  ASSERT_TRUE(ReportExport::Write(builder->Document(), ReportExport::Layout::FixedColumns, path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
  // Width 76: titles centred on 38, amounts ending at 50, 63 and 76, numbers at 5.
  const QStringList expected{ExportedText().at(0, "Page 1").at(69, "15/6/26"),
                             QString(),
                             ExportedText().at(27, "Expense Summary Report"),       // 22 characters
                             ExportedText().at(25, "for 15/1/24 through 10/3/24"),  // 27 characters
                             QString(),
                             ExportedText().at(0, "Deductible Expenses"),
                             QString(),
                             ExportedText().at(44, "Period").at(58, "Prior").at(72, "Year"),
                             ExportedText()
                                 .at(0, "Acnt.")
                                 .at(7, "Account Name")
                                 .at(44, "Totals")
                                 .at(57, "Totals")
                                 .at(69, "To Date"),
                             ExportedText()
                                 .at(3, "10")
                                 .at(7, QStringLiteral("Fuel").leftJustified(30))
                                 .at(37, amount("165.00"))
                                 .at(50, amount("200.00"))
                                 .at(63, amount("365.00")),
                             ExportedText()
                                 .at(7, "Total Deductible Expenses")
                                 .at(37, amount("165.00"))
                                 .at(50, amount("200.00"))
                                 .at(63, amount("365.00"))};
  EXPECT_EQ(lines.mid(0, expected.size()), expected);
  EXPECT_EQ(lines[20], ExportedText()
                           .at(7, "GRAND TOTAL")
                           .at(37, amount("215.00"))
                           .at(50, amount("240.00"))
                           .at(63, amount("455.00")));
  // The file ends with the line break of its last line.
  EXPECT_EQ(lines.size(), 26);
  EXPECT_EQ(lines.last(), QString());
}

}  // namespace
