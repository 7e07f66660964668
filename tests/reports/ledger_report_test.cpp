// The general ledger on the hand-made year (LedgerBooks.h).
#include <gtest/gtest.h>

#include "ExportedText.h"
#include "GeneralLedgerReport.h"
#include "LedgerBooks.h"

namespace {

QString money(double value) {
  return QLocale(QLocale::English, QLocale::Australia).toString(value, 'f', 2).rightJustified(13);
}

// The cells of a ledger row as the document holds them: date, description, credit, debit
// and balance, each with its prefix; credit and debit completely empty when not given.
QStringList ledgerRow(const QString& date, const QString& description, std::optional<double> credit,
                      std::optional<double> debit, double balance) {
  return {QStringLiteral("L00") + date, QStringLiteral("L10") + description,
          credit ? QStringLiteral("R50") + money(*credit) : QString(),
          debit ? QStringLiteral("R61") + money(*debit) : QString(),
          QStringLiteral("R73") + money(balance)};
}

QString stored(const char* text) { return QString::fromLatin1(text).leftJustified(30); }

class LedgerReportTest : public testing::Test, public LedgerBooks {
 protected:
  LedgerReportTest() { addSampleYear(); }

  void build(QDate start, QDate end, QList<int> folders = {1, 2}) {
    report = std::make_unique<LedgerReport>(*this, start, end);
    report->builder.SelectedFolders = folders;
    GeneralLedgerReport(db, report->builder).Build();
  }
  // The content cells of line.
  QStringList cells(int line) const {
    QStringList texts = report->document().Line(line);
    texts.removeLast();  // the style cell
    return texts;
  }
  const ReportDocument& document() const { return report->document(); }

  std::unique_ptr<LedgerReport> report;
};

TEST_F(LedgerReportTest, OpeningRowsJournalAndClosingRow) {
  build({2024, 1, 15}, {2024, 3, 10});
  ASSERT_EQ(document().LastLine(), 22);
  EXPECT_EQ(document().Line(7).mid(0, 5),
            (QStringList{QStringLiteral("L00Date"), QStringLiteral("L10Description"),
                         QStringLiteral("R50Credit"), QStringLiteral("R61Debit"),
                         QStringLiteral("R73Balance")}));
  // Before 1 July 2023: income 1000, expense 100.
  EXPECT_EQ(cells(8), ledgerRow({}, QStringLiteral("Prior Year Totals"), 1000, 100, 900));
  // 1 July 2023 to 14 January 2024: income 300 + 50, expenses 200 + 40.
  EXPECT_EQ(cells(9), ledgerRow({}, QStringLiteral("Fiscal YTD Totals"), 350, 240, 1010));
  EXPECT_EQ(document().Style(9), QStringLiteral("U"));
  // The period: on 15/01 and 10/03 the income comes before the expenses; folder 3, the
  // deleted records and the day after the end stay out; the archived ones are in.
  const QList<QStringList> journal{
      ledgerRow(QStringLiteral("15/01/24"), stored("Counter sales"), 220, {}, 1230),
      ledgerRow(QStringLiteral("15/01/24"), stored("Shell Kew"), {}, 110, 1120),
      ledgerRow(QStringLiteral("15/01/24"), stored("Bank fee"), {}, 20, 1100),
      ledgerRow(QStringLiteral("20/02/24"), stored("Term deposit"), 80, {}, 1180),
      ledgerRow(QStringLiteral("21/02/24"), stored("Refund"), 15, {}, 1195),
      ledgerRow(QStringLiteral("29/02/24"), stored("Caltex"), {}, 55, 1140),
      ledgerRow(QStringLiteral("10/03/24"), stored("Market stall"), 40, {}, 1180),
      ledgerRow(QStringLiteral("10/03/24"), stored("Farm bank"), {}, 30, 1150)};
  for (int i = 0; i < journal.size(); ++i) EXPECT_EQ(cells(10 + i), journal[i]) << "row " << i;
  EXPECT_EQ(document().Style(17), QStringLiteral("U"));
  // Everything up to the end: credit 1000 + 350 + 220 + 80 + 15 + 40, debit 100 + 240 +
  // 110 + 20 + 55 + 30; their difference is the last balance.
  EXPECT_EQ(cells(18), ledgerRow({}, QStringLiteral("Fiscal YTD Totals"), 1705, 555, 1150));
  EXPECT_EQ(ReportExport::LineText(document(), 21, ReportExport::Layout::FixedColumns),
            QStringLiteral("Included Folders: ") + stored("Main Street"));
}

TEST_F(LedgerReportTest, OpeningTotalsLeaveOutDeletedRecordsAndOtherFolders) {
  // Both deleted records (02/02 and 05/03) and both of folder 3 lie before this start.
  build({2024, 3, 6}, {2024, 3, 10});
  EXPECT_EQ(cells(8), ledgerRow({}, QStringLiteral("Prior Year Totals"), 1000, 100, 900));
  EXPECT_EQ(cells(9), ledgerRow({}, QStringLiteral("Fiscal YTD Totals"), 665, 425, 1140));
  EXPECT_EQ(cells(10), ledgerRow(QStringLiteral("10/03/24"), stored("Market stall"), 40, {}, 1180));
  EXPECT_EQ(cells(11), ledgerRow(QStringLiteral("10/03/24"), stored("Farm bank"), {}, 30, 1150));
}

TEST_F(LedgerReportTest, AStartOnTheFiscalYearsFirstDayLeavesTheYearToDateEmpty) {
  addIncome({2023, 7, 15}, 1, 1, 0.00, 0, QStringLiteral("Nothing"));
  build({2023, 7, 1}, {2023, 7, 31});
  EXPECT_EQ(cells(8), ledgerRow({}, QStringLiteral("Prior Year Totals"), 1000, 100, 900));
  EXPECT_EQ(cells(9), ledgerRow({}, QStringLiteral("Fiscal YTD Totals"), {}, {}, 900));
  EXPECT_EQ(cells(10), ledgerRow(QStringLiteral("01/07/23"), stored("Receipt"), 300, {}, 1200));
  EXPECT_EQ(cells(11), ledgerRow(QStringLiteral("01/07/23"), stored("Payee"), {}, 200, 1000));
  // A record of 0.00 has neither credit nor debit, and the balance stays.
  EXPECT_EQ(cells(12), ledgerRow(QStringLiteral("15/07/23"), stored("Nothing"), {}, {}, 1000));
  EXPECT_EQ(cells(13), ledgerRow({}, QStringLiteral("Fiscal YTD Totals"), 1300, 300, 1000));
}

TEST_F(LedgerReportTest, RecordsOfOtherFoldersNeverTouchTheBalance) {
  build({2024, 1, 15}, {2024, 3, 10}, {2});
  EXPECT_EQ(document().Cell(2, 0), QStringLiteral("C36Farm General Ledger"));
  EXPECT_EQ(cells(8), ledgerRow({}, QStringLiteral("Prior Year Totals"), {}, {}, 0));
  EXPECT_EQ(cells(9), ledgerRow({}, QStringLiteral("Fiscal YTD Totals"), 50, {}, 50));
  EXPECT_EQ(cells(10), ledgerRow(QStringLiteral("15/01/24"), stored("Bank fee"), {}, 20, 30));
  EXPECT_EQ(cells(11), ledgerRow(QStringLiteral("20/02/24"), stored("Term deposit"), 80, {}, 110));
  EXPECT_EQ(cells(12), ledgerRow(QStringLiteral("10/03/24"), stored("Farm bank"), {}, 30, 80));
  EXPECT_EQ(cells(13), ledgerRow({}, QStringLiteral("Fiscal YTD Totals"), 130, 50, 80));
  EXPECT_EQ(document().LastLine(), 13);  // one folder: no folder list
}

TEST_F(LedgerReportTest, AnEmptyPeriodStillHasItsOpeningAndClosingRows) {
  build({2030, 1, 1}, {2030, 1, 31});
  // Every selected record lies before the fiscal year of 1 July 2029: income 1000 + 300 +
  // 50 + 220 + 80 + 15 + 40 + 400, expenses 100 + 200 + 40 + 110 + 20 + 55 + 30 + 500.
  EXPECT_EQ(cells(8), ledgerRow({}, QStringLiteral("Prior Year Totals"), 2105, 1055, 1050));
  EXPECT_EQ(cells(9), ledgerRow({}, QStringLiteral("Fiscal YTD Totals"), {}, {}, 1050));
  EXPECT_EQ(cells(10), ledgerRow({}, QStringLiteral("Fiscal YTD Totals"), 2105, 1055, 1050));
}

TEST_F(LedgerReportTest, ExportsInItsFixedColumns) {
  build({2024, 1, 15}, {2024, 3, 10}, {2});
  const QStringList expected{
      ExportedText().at(0, "Page 1").at(66, "15/6/26"), QString(),
      ExportedText().at(27, "Farm General Ledger"),          // 19 characters centred on 36
      ExportedText().at(23, "for 15/1/24 through 10/3/24"),  // 27 characters
      QString(), QString(), QString(),
      ExportedText()
          .at(0, "Date")
          .at(10, "Description")
          .at(44, "Credit")
          .at(56, "Debit")
          .at(66, "Balance"),
      ExportedText().at(10, "Prior Year Totals").at(60, money(0)),
      ExportedText().at(10, "Fiscal YTD Totals").at(37, money(50)).at(60, money(50)),
      // An expense: the description as stored ends at 39, the debit fills 48 to 60 and
      // the balance follows directly at 61.
      ExportedText()
          .at(0, "15/01/24")
          .at(10, stored("Bank fee"))
          .at(48, money(20))
          .at(61, money(30)),
      // An income: the credit follows the description at 40, the balance is at 60.
      ExportedText()
          .at(0, "20/02/24")
          .at(10, stored("Term deposit"))
          .at(40, money(80))
          .at(60, money(110)),
      ExportedText()
          .at(0, "10/03/24")
          .at(10, stored("Farm bank"))
          .at(48, money(30))
          .at(61, money(80)),
      ExportedText()
          .at(10, "Fiscal YTD Totals")
          .at(37, money(130))
          .at(48, money(50))
          .at(60, money(80))};
  EXPECT_EQ(fixedColumns(document()), expected);
}

}  // namespace
