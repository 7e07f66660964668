// The expense and income detail reports on the hand-made year (LedgerBooks.h), reported
// 15 January to 10 March 2024.
#include <gtest/gtest.h>

#include "DetailReport.h"
#include "ExportedText.h"
#include "LedgerBooks.h"

namespace {

using Side = DetailReport::Side;

// Records the progress percentages as well.
class ProgressHost : public RecordingReportHost {
 public:
  void ShowProgress(int percent) override { percents.append(percent); }
  QList<int> percents;
};

class DetailReportTest : public testing::Test, public LedgerBooks {
 protected:
  DetailReportTest() { addSampleYear(); }

  // Builds the report of side (account-detail mode when accountRecord is above 0) for
  // folders; returns its document as tab-delimited lines.
  QStringList build(Side side, QList<int> folders = {1, 2}, int accountRecord = 0) {
    report.builder.SelectedFolders = folders;
    DetailReport detail(db, report.builder, side);
    if (accountRecord > 0) {
      EXPECT_TRUE(detail.ChooseAccount(accountRecord));
    }
    detail.Build();
    return tabDelimited(report.document());
  }
  const QString amount(const char* text) { return QString::fromLatin1(text).rightJustified(13); }

  LedgerReport report{*this, QDate(2024, 1, 15), QDate(2024, 3, 10)};
};

TEST_F(DetailReportTest, ExpensesOfThePeriodInDateOrderWithTheirMemoLines) {
  const QStringList lines = build(Side::Expense);
  ASSERT_EQ(lines.size(), 18);
  EXPECT_EQ(lines[7], QStringLiteral("Date\tCheck No\tAcnt\tPaid to / Memo\tAmount\tGST"));
  // The day before the start, another folder, a deleted record and the day after the end
  // stay out; the archived one and both ends are in. On 15/01 account 10 comes before 20
  // (the date tag's order), though entered after it.
  const QStringList body{
      QStringLiteral("15/01/24\t501\t10\tShell Kew\t") + amount("110.00") + '\t' + amount("10.00"),
      QStringLiteral("\t\t\tTank fill"),
      QStringLiteral("15/01/24\t0\t20\tBank fee\t") + amount("20.00") + '\t' + amount("0.00"),
      QStringLiteral("29/02/24\t0\t10\tCaltex\t") + amount("55.00") + '\t' + amount("5.00"),
      QStringLiteral("10/03/24\t0\t20\tFarm bank\t") + amount("30.00") + '\t' + amount("0.00"),
      // 110 + 20 + 55 + 30 and 10 + 5.
      QStringLiteral("TOTAL EXPENSES\t\t\t\t") + amount("215.00") + '\t' + amount("15.00")};
  EXPECT_EQ(lines.mid(8, 6), body);
  EXPECT_EQ(lines.mid(14),
            (QStringList{QString(), QString(),
                         QStringLiteral("Included Folders:\tMain Street") + QString(19, ' '),
                         QStringLiteral("\tFarm") + QString(26, ' ')}));
  // The last row is underlined above the totals.
  EXPECT_EQ(report.document().Style(12), QStringLiteral("U"));
  EXPECT_EQ(host.statuses, (QStringList{QStringLiteral("Building Report"), QString()}));
}

TEST_F(DetailReportTest, IncomeOfThePeriodWithDescriptionsAsStored) {
  const QStringList lines = build(Side::Income);
  ASSERT_EQ(lines.size(), 17);
  EXPECT_EQ(lines[7], QStringLiteral("Date\tAccount\tDescription\tAmount\tGST"));
  const auto row = [this](const char* date, const char* account, const char* text,
                          const char* value, const char* gst) {
    return QStringList{QString::fromLatin1(date), QString::fromLatin1(account),
                       QString::fromLatin1(text).leftJustified(30), amount(value), amount(gst)}
        .join('\t');
  };
  // The account in no chart is listed like any other; the deleted record of 05/03 and
  // the other folder's 01/03 are not.
  EXPECT_EQ(lines.mid(8, 5), (QStringList{row("15/01/24", "1", "Counter sales", "220.00", "20.00"),
                                          row("20/02/24", "2", "Term deposit", "80.00", "0.00"),
                                          row("21/02/24", "9", "Refund", "15.00", "0.00"),
                                          row("10/03/24", "1", "Market stall", "40.00", "0.00"),
                                          // 220 + 80 + 15 + 40.
                                          QStringLiteral("Total\t\t\t") + amount("355.00") + '\t' +
                                              amount("20.00")}));
}

TEST_F(DetailReportTest, AccountDetailListsOneAccountUnderItsName) {
  // One folder: its name, then the account's, lead the title; no folder list at the end.
  const QStringList lines = build(Side::Expense, {1}, 1);  // ACC record 1 is account 10
  EXPECT_EQ(lines[2], QStringLiteral("Main Street Fuel Expense Detail Report"));
  ASSERT_EQ(lines.size(), 12);
  EXPECT_TRUE(lines[8].startsWith(QStringLiteral("15/01/24\t501\t10\t")));
  EXPECT_EQ(lines[9], QStringLiteral("\t\t\tTank fill"));
  EXPECT_TRUE(lines[10].startsWith(QStringLiteral("29/02/24\t0\t10\t")));
  // 110 + 55 and 10 + 5.
  EXPECT_EQ(lines[11],
            QStringLiteral("TOTAL EXPENSES\t\t\t\t") + amount("165.00") + '\t' + amount("15.00"));
}

TEST_F(DetailReportTest, AccountDetailOfIncomeUsesTheIncomeChart) {
  const QStringList lines = build(Side::Income, {1, 2}, 2);  // ACCI record 2 is account 2
  EXPECT_EQ(lines[2], QStringLiteral("Interest Income Detail Report"));
  EXPECT_TRUE(lines[8].startsWith(QStringLiteral("20/02/24\t2\tTerm deposit")));
  EXPECT_EQ(lines[9], QStringLiteral("Total\t\t\t") + amount("80.00") + '\t' + amount("0.00"));
}

TEST_F(DetailReportTest, AnAccountWithoutRecordsInThePeriodAndFoldersHasNoData) {
  // Account 20 in folder 1 has only the expense of the day before the start.
  build(Side::Expense, {1}, 2);
  EXPECT_EQ(report.builder.LastLine(), -1);
}

TEST_F(DetailReportTest, OtherAccountsAreReadAndCountInTheProgress) {
  ProgressHost progressHost;
  ReportBuilder builder(db, progressHost, report.builder.Request());
  builder.SelectedFolders = {1, 2};
  DetailReport detail(db, builder, Side::Expense);
  ASSERT_TRUE(detail.ChooseAccount(1));
  detail.Build();
  // Five records lie in the period (the deleted one is not in the tag), two of them on
  // account 10: every one read is a fifth of the bar.
  EXPECT_EQ(progressHost.percents, (QList<int>{20, 40, 60, 80, 100}));
}

TEST_F(DetailReportTest, NewOrExitOfThePickListNamesNoAccount) {
  DetailReport detail(db, report.builder, Side::Expense);
  EXPECT_FALSE(detail.ChooseAccount(0));   // "New"
  EXPECT_FALSE(detail.ChooseAccount(-1));  // "Exit" or the window closed
  EXPECT_FALSE(detail.ChooseAccount(3));   // beyond the chart's records
  EXPECT_FALSE(detail.AccountDetail());
  EXPECT_TRUE(detail.ChooseAccount(2));
  EXPECT_EQ(detail.Account(), 20);
}

TEST_F(DetailReportTest, EveryExpenseRowReservesTwoLinesSoItsMemoStaysOnItsPage) {
  // A page header is 8 lines (page, blank, two titles, blank, subheading, blank, heading).
  // At 11 lines a page, the first row and its memo take lines 9 and 10; the second row
  // would fit on line 11 but needs two, so it begins page 2.
  report.builder.SelectedFolders = {1, 2};
  host.linesPerPage = 11;
  DetailReport(db, report.builder, Side::Expense).Build();
  const QStringList lines = tabDelimited(report.document());
  const ReportDocument& document = report.document();
  EXPECT_EQ(lines[9], QStringLiteral("\t\t\tTank fill"));
  EXPECT_EQ(document.Cell(10, 0), QStringLiteral("EJECT"));
  EXPECT_EQ(document.Style(9), QStringLiteral("U"));  // the rule under page 1
  EXPECT_TRUE(lines[19].startsWith(QStringLiteral("15/01/24\t0\t20\tBank fee")));
  EXPECT_TRUE(lines[20].startsWith(QStringLiteral("29/02/24\t0\t10\tCaltex")));
  EXPECT_EQ(document.Cell(21, 0), QStringLiteral("EJECT"));
  EXPECT_TRUE(lines[30].startsWith(QStringLiteral("10/03/24")));
  EXPECT_TRUE(lines[31].startsWith(QStringLiteral("TOTAL EXPENSES")));
}

TEST_F(DetailReportTest, NoRecordInThePeriodGivesAnEmptyDocument) {
  LedgerReport later(*this, QDate(2024, 4, 1), QDate(2024, 4, 30));
  DetailReport(db, later.builder, Side::Income).Build();
  EXPECT_EQ(later.builder.LastLine(), -1);
  // Past every record: the seek runs off the end.
  LedgerReport beyond(*this, QDate(2030, 1, 1), QDate(2030, 1, 31));
  DetailReport(db, beyond.builder, Side::Expense).Build();
  EXPECT_EQ(beyond.builder.LastLine(), -1);
}

TEST_F(DetailReportTest, ExpenseDetailExportsInItsFixedColumns) {
  report.builder.SelectedFolders = {1, 2};
  DetailReport(db, report.builder, Side::Expense).Build();
  const auto row = [this](const char* date, const char* check, const char* account,
                          const char* payTo, const char* value, const char* gst) {
    const QString checkText = QString::fromLatin1(check);
    return ExportedText()
        .at(0, QString::fromLatin1(date))
        .at(19 - checkText.size(), checkText)
        .at(22, QString::fromLatin1(account))
        .at(26, QString::fromLatin1(payTo))
        .at(54, amount(value))
        .at(67, amount(gst));
  };
  const QStringList expected{
      ExportedText().at(0, "Page 1").at(73, "15/6/26"),
      QString(),
      ExportedText().at(30, "Expense Detail Report"),        // centred on 40
      ExportedText().at(27, "for 15/1/24 through 10/3/24"),  // 27 characters
      QString(),
      QString(),
      QString(),
      ExportedText()
          .at(0, "Date")
          .at(11, "Check No")
          .at(20, "Acnt")
          .at(26, "Paid to / Memo")
          .at(61, "Amount")
          .at(77, "GST"),
      row("15/01/24", "501", "10", "Shell Kew", "110.00", "10.00"),
      ExportedText().at(26, "Tank fill"),
      row("15/01/24", "0", "20", "Bank fee", "20.00", "0.00"),
      row("29/02/24", "0", "10", "Caltex", "55.00", "5.00"),
      row("10/03/24", "0", "20", "Farm bank", "30.00", "0.00"),
      ExportedText().at(0, "TOTAL EXPENSES").at(54, amount("215.00")).at(67, amount("15.00")),
      QString(),
      QString(),
      ExportedText()
          .at(0, "Included Folders:")
          .at(18, QStringLiteral("Main Street").leftJustified(30)),
      ExportedText().at(18, QStringLiteral("Farm").leftJustified(30))};
  const QStringList lines = fixedColumns(report.document());
  ASSERT_EQ(lines.size(), expected.size());
  for (int i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
}

TEST_F(DetailReportTest, IncomeDetailExportsInItsFixedColumns) {
  report.builder.SelectedFolders = {2};
  DetailReport(db, report.builder, Side::Income).Build();
  const QStringList expected{
      ExportedText().at(0, "Page 1").at(68, "15/6/26"), QString(),
      ExportedText().at(25, "Farm Income Detail Report"),    // 25 characters on 37
      ExportedText().at(24, "for 15/1/24 through 10/3/24"),  // 27 characters on 37
      QString(), QString(), QString(),
      ExportedText()
          .at(0, "Date")
          .at(8, "Account")
          .at(17, "Description")
          .at(55, "Amount")
          .at(72, "GST"),
      // The 30-character description ends at 46, before the amount's 48.
      ExportedText()
          .at(0, "20/02/24")
          .at(14, "2")
          .at(17, QStringLiteral("Term deposit").leftJustified(30))
          .at(48, amount("80.00"))
          .at(62, amount("0.00")),
      ExportedText().at(0, "Total").at(48, amount("80.00")).at(62, amount("0.00"))};
  EXPECT_EQ(fixedColumns(report.document()), expected);
}

}  // namespace
