// The weekly and monthly profit report on the hand-made year (LedgerBooks.h).
#include <gtest/gtest.h>

#include "ExportedText.h"
#include "LedgerBooks.h"
#include "ProfitReport.h"

namespace {

using Period = ProfitReport::Period;

class ProfitReportTest : public testing::Test, public LedgerBooks {
 protected:
  ProfitReportTest() { addSampleYear(); }

  // Builds the report of period for start to end (folders 1 and 2) and returns its
  // tab-delimited lines; start() tells where it began.
  QStringList build(Period period, QDate start, QDate end) {
    report = std::make_unique<LedgerReport>(*this, start, end);
    ProfitReport profit(db, report->builder, period);
    begun = profit.StartDate();
    profit.Build();
    return tabDelimited(report->document());
  }
  // A row: its name, then taxable income, deductible expenses, non-taxable income and
  // non-deductible expenses; the two profits are worked out here.
  static QString row(const char* name, double ti, double de, double ni, double ne) {
    const QLocale locale(QLocale::English, QLocale::Australia);
    QStringList cells{QString::fromLatin1(name)};
    for (const double value : {ti, de, ti - de, ni, ne, ti - de + ni - ne}) {
      cells.append(locale.toString(value, 'f', 2).rightJustified(13));
    }
    return cells.join('\t');
  }

  std::unique_ptr<LedgerReport> report;
  QDate begun;
};

TEST_F(ProfitReportTest, MonthlyBeginsOnTheFirstAndEndsFebruaryOnTheLeapDay) {
  const QStringList lines = build(Period::Monthly, {2024, 1, 15}, {2024, 3, 10});
  EXPECT_EQ(begun, QDate(2024, 1, 1));
  EXPECT_EQ(lines[3], QStringLiteral("for 1/1/24 through 10/3/24"));
  EXPECT_EQ(lines[7], QStringLiteral("Month\tTaxable\tDeductible\tTaxable\tNontaxable\t"
                                     "Nondeductible\tNet"));
  EXPECT_EQ(lines[8], QStringLiteral("Ending\tIncome\tExpenses\tProfit\tIncome\tExpenses\tProfit"));
  ASSERT_EQ(lines.size(), 17);
  // January from the 1st: income 50 (14/01, folder 2) + 220 taxable; expenses 110 on the
  // deductible account, 40 + 20 on the other.
  EXPECT_EQ(lines[9], row("31/01/24", 270, 110, 0, 60));
  // February: 80 (archived) and 15 (account 9, in no chart) non-taxable; 55 deductible
  // (archived); 999 in folder 3 and the deleted 777 left out.
  EXPECT_EQ(lines[10], row("29/02/24", 0, 55, 95, 0));
  // To the 10th of March: 40 taxable, 30 non-deductible; 888 (folder 3), the deleted 66
  // and the 11th's records left out.
  EXPECT_EQ(lines[11], row("10/03/24", 40, 0, 0, 30));
  EXPECT_EQ(lines[12], row("Totals", 310, 165, 95, 90));
  EXPECT_EQ(report->document().Style(11), QStringLiteral("U"));
  EXPECT_EQ(lines.mid(13, 2), (QStringList{QString(), QString()}));
  EXPECT_TRUE(lines[15].startsWith(QStringLiteral("Included Folders:\tMain Street")));
}

TEST_F(ProfitReportTest, WeeklyFromTheStartDayWithARowForEveryWeek) {
  const QStringList lines = build(Period::Weekly, {2024, 1, 15}, {2024, 3, 10});
  EXPECT_EQ(begun, QDate(2024, 1, 15));
  EXPECT_TRUE(lines[7].startsWith(QStringLiteral("Week\t")));
  // Eight weeks of seven days; the records of the day before the start are out.
  EXPECT_EQ(lines.mid(9, 9),
            (QStringList{row("21/01/24", 220, 110, 0, 20), row("28/01/24", 0, 0, 0, 0),
                         row("04/02/24", 0, 0, 0, 0), row("11/02/24", 0, 0, 0, 0),
                         row("18/02/24", 0, 0, 0, 0), row("25/02/24", 0, 0, 95, 0),
                         row("03/03/24", 0, 55, 0, 0), row("10/03/24", 40, 0, 0, 30),
                         row("Totals", 260, 165, 95, 50)}));
}

TEST_F(ProfitReportTest, TheLastWeekEndsOnTheEndDate) {
  const QStringList lines = build(Period::Weekly, {2024, 7, 1}, {2024, 7, 20});
  EXPECT_EQ(lines.mid(9, 4), (QStringList{row("07/07/24", 0, 0, 0, 0), row("14/07/24", 0, 0, 0, 0),
                                          row("20/07/24", 0, 0, 0, 0), row("Totals", 0, 0, 0, 0)}));
}

TEST_F(ProfitReportTest, OneDayMakesOneRow) {
  const QStringList lines = build(Period::Weekly, {2024, 2, 29}, {2024, 2, 29});
  EXPECT_EQ(lines.mid(9, 2),
            (QStringList{row("29/02/24", 0, 55, 0, 0), row("Totals", 0, 55, 0, 0)}));
}

TEST_F(ProfitReportTest, AStartAfterTheEnd) {
  // Weekly: no period, no line.
  build(Period::Weekly, {2024, 3, 20}, {2024, 3, 10});
  EXPECT_EQ(report->builder.LastLine(), -1);
  // Monthly in the same month: the start moves to the 1st and one row results.
  const QStringList lines = build(Period::Monthly, {2024, 3, 20}, {2024, 3, 10});
  EXPECT_EQ(lines.mid(9, 2),
            (QStringList{row("10/03/24", 40, 0, 0, 30), row("Totals", 40, 0, 0, 30)}));
}

TEST_F(ProfitReportTest, TheAccountsCurrentFlagDecidesForAllItsRecords) {
  // Account 20 becomes deductible: its 40, 20 and 30 move across.
  d4tagSelectP(db.acc().data, db.acc().AccTag);
  d4seek(db.acc().data, "  20");
  db.ReadAcc();
  db.accRecord().AcDed = true;
  db.WriteAcc();
  const QStringList lines = build(Period::Monthly, {2024, 1, 15}, {2024, 3, 10});
  EXPECT_EQ(lines[9], row("31/01/24", 270, 170, 0, 0));
  EXPECT_EQ(lines[12], row("Totals", 310, 255, 95, 0));
}

TEST_F(ProfitReportTest, ExportsInItsFixedColumns) {
  report = std::make_unique<LedgerReport>(*this, QDate(2024, 2, 1), QDate(2024, 2, 29));
  report->builder.SelectedFolders = {1};
  ProfitReport(db, report->builder, Period::Monthly).Build();
  const QStringList expected{
      ExportedText().at(0, "Page 1").at(92, "15/6/26"), QString(),
      ExportedText().at(37, "Main Street Profit Report"),   // 25 characters centred on 49
      ExportedText().at(36, "for 1/2/24 through 29/2/24"),  // 26 characters
      QString(), QString(), QString(),
      ExportedText()
          .at(0, "Month")
          .at(22, "Taxable")
          .at(33, "Deductible")
          .at(50, "Taxable")
          .at(61, "Nontaxable")
          .at(72, "Nondeductible")
          .at(96, "Net"),
      ExportedText()
          .at(0, "Ending")
          .at(23, "Income")
          .at(35, "Expenses")
          .at(51, "Profit")
          .at(65, "Income")
          .at(77, "Expenses")
          .at(93, "Profit"),
      // Folder 1 in February: the 15 of account 9 and the archived 55.
      ExportedText()
          .at(0, "29/02/24")
          .at(16, "         0.00")
          .at(30, "        55.00")
          .at(44, "       -55.00")
          .at(58, "        15.00")
          .at(72, "         0.00")
          .at(86, "       -40.00"),
      ExportedText()
          .at(0, "Totals")
          .at(16, "         0.00")
          .at(30, "        55.00")
          .at(44, "       -55.00")
          .at(58, "        15.00")
          .at(72, "         0.00")
          .at(86, "       -40.00")};
  EXPECT_EQ(fixedColumns(report->document()), expected);
}

}  // namespace
