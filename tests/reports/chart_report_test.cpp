// The charts of accounts: both sections by the account's flag in ascending number, the
// blocks an all-flagged or unflagged chart gets, deleted accounts, and the fixed-column
// layout.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ChartOfAccountsReport.h"
#include "ExportedText.h"
#include "ReportExport.h"
#include "ReportTestSupport.h"

namespace {

using Side = ChartTables::Side;

class ChartReportTest : public testing::Test, public BuilderFixture {
 protected:
  QStringList build(Side side) {
    ChartOfAccountsReport(data.db, builder, side).Build();
    return ReportExport::Lines(builder.Document(), ReportExport::Layout::TabDelimited);
  }
  static QString row(const char* number, const char* name) {
    return QString::fromLatin1(number) + '\t' + QString::fromLatin1(name).leftJustified(30);
  }
};

TEST_F(ChartReportTest, ExpenseChartInTwoSectionsByNumber) {
  addAccount(data.db, false, 300, QStringLiteral("Wages"), false);
  addAccount(data.db, false, 12, QStringLiteral("Rent"), true);
  addAccount(data.db, false, 7, QStringLiteral("Fuel"), true);
  addAccount(data.db, false, 45, QStringLiteral("Fines"), false);
  addAccount(data.db, false, 9, QStringLiteral("Closed"), true);
  d4delete(data.db.acc().data);  // the last one appended
  // The income chart is another table.
  addAccount(data.db, true, 1, QStringLiteral("Sales"), true);
  const QStringList lines = build(Side::Expense);
  const QStringList expected{QStringLiteral("Page 1\t15/6/26"),
                             QString(),
                             QStringLiteral("Expense Accounts"),
                             QString(),
                             QStringLiteral("Deductible Accounts"),
                             QString(),
                             QStringLiteral("Acnt.\tAccount Name"),
                             row("7", "Fuel"),
                             row("12", "Rent"),
                             QString(),
                             QString(),
                             QStringLiteral("Non-Deductible Accounts"),
                             QString(),
                             QStringLiteral("Acnt.\tAccount Name"),
                             row("45", "Fines"),
                             row("300", "Wages"),
                             QString()};
  EXPECT_EQ(lines, expected);
  const ReportDocument& document = builder.Document();
  for (int line = 0; line <= document.LastLine(); ++line) {
    const bool underlined = line == 6 || line == 8 || line == 13 || line == 15;
    EXPECT_EQ(document.Style(line) == QStringLiteral("U"), underlined) << line;
  }
  EXPECT_EQ(host.statuses, (QStringList{QStringLiteral("Building Report"), QString()}));
}

TEST_F(ChartReportTest, AllTaxableIncomeAccountsStillShowTheSecondBlock) {
  addAccount(data.db, true, 2, QStringLiteral("Fees"), true);
  addAccount(data.db, true, 1, QStringLiteral("Sales"), true);
  const QStringList lines = build(Side::Income);
  EXPECT_EQ(
      lines.mid(2),
      (QStringList{QStringLiteral("Income Accounts"), QString(), QStringLiteral("Taxable Accounts"),
                   QString(), QStringLiteral("Acnt.\tAccount Name"), row("1", "Sales"),
                   row("2", "Fees"), QString(), QString(), QStringLiteral("Non-Taxable Accounts"),
                   QString(), QStringLiteral("Acnt.\tAccount Name"), QString()}));
}

TEST_F(ChartReportTest, WithoutTaxableAccountsThePageOpensOnTheSecondSection) {
  addAccount(data.db, true, 4, QStringLiteral("Interest"), false);
  const QStringList lines = build(Side::Income);
  EXPECT_EQ(lines.mid(4),
            (QStringList{QStringLiteral("Non-Taxable Accounts"), QString(),
                         QStringLiteral("Acnt.\tAccount Name"), row("4", "Interest"), QString()}));
}

TEST_F(ChartReportTest, AnEmptyChartLeavesTheDocumentEmpty) {
  addAccount(data.db, true, 1, QStringLiteral("Sales"), true);
  build(Side::Expense);
  EXPECT_EQ(builder.LastLine(), -1);
}

TEST_F(ChartReportTest, FixedColumnFileFollowsTheLayout) {
  addAccount(data.db, false, 1234, QStringLiteral("Motor vehicle"), true);
  addAccount(data.db, false, 8, QStringLiteral("Gifts"), false);
  build(Side::Expense);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("chart.txt"));
  ASSERT_TRUE(ReportExport::Write(builder.Document(), ReportExport::Layout::FixedColumns, path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  // Width 40: the title centred on 20; numbers end in column 5 (their last digit is the
  // fifth character), names start at 10.
  const QStringList expected{
      ExportedText().at(0, "Page 1").at(33, "15/6/26"),
      QString(),
      ExportedText().at(12, "Expense Accounts"),  // 16 characters
      QString(),
      ExportedText().at(0, "Deductible Accounts"),
      QString(),
      ExportedText().at(0, "Acnt.").at(10, "Account Name"),
      ExportedText().at(1, "1234").at(10, QStringLiteral("Motor vehicle").leftJustified(30)),
      QString(),
      QString(),
      ExportedText().at(0, "Non-Deductible Accounts"),
      QString(),
      ExportedText().at(0, "Acnt.").at(10, "Account Name"),
      ExportedText().at(4, "8").at(10, QStringLiteral("Gifts").leftJustified(30)),
      QString(),
      QString()};  // after the last line's CR LF
  EXPECT_EQ(QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n")), expected);
}

}  // namespace
