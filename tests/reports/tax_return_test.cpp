// The tax return worksheet on a worked quarter: taxable and non-taxable income,
// deductible and non-deductible expenses, records just outside the quarter and of a
// folder not chosen; a quarter with more tax paid than collected; and a tax not called
// GST (no BAS labels).
#include <gtest/gtest.h>

#include "ExportedText.h"
#include "LedgerBooks.h"
#include "TaxReturnReport.h"

namespace {

class TaxReturnTest : public testing::Test, public LedgerBooks {
 protected:
  // Folders 1 and 2 of 3. Income accounts 1 (taxable) and 2 (not); expense accounts 10
  // (deductible) and 20 (not).
  TaxReturnTest() {
    addFolder(db, 1, QStringLiteral("Shop"));
    addFolder(db, 2, QStringLiteral("Stall"));
    addFolder(db, 3, QStringLiteral("Other"));
    addAccount(db, false, 10, QStringLiteral("Stock"), true);
    addAccount(db, false, 20, QStringLiteral("Meals"), false);
    addAccount(db, true, 1, QStringLiteral("Sales"), true);
    addAccount(db, true, 2, QStringLiteral("Interest"), false);
    // The quarter July to September 2025.
    addIncome({2025, 7, 1}, 1, 1, 1100.00, 100.00);
    addIncome({2025, 9, 30}, 1, 2, 550.55, 50.05);
    addIncome({2025, 8, 15}, 2, 1, 300.00);
    addIncome({2025, 6, 30}, 1, 1, 999.00, 90.82);  // the quarter before
    addIncome({2025, 8, 1}, 1, 3, 777.00, 70.64);   // folder 3
    addExpense({2025, 7, 10}, 10, 1, 220.00, 20.00);
    addExpense({2025, 9, 1}, 10, 2, 33.33, 3.03);
    addExpense({2025, 8, 20}, 20, 1, 110.00, 10.00);
    // October to December: more tax paid than collected.
    addIncome({2025, 10, 1}, 1, 1, 888.00, 80.73);
    addExpense({2025, 11, 11}, 10, 1, 1650.99, 150.09);
  }

  // The worksheet's rows as data: label, item, amount, whole dollars.
  QList<QStringList> build(QDate start, QDate end) {
    report = std::make_unique<LedgerReport>(*this, start, end);
    TaxReturnReport(db, report->builder).Build();
    QList<QStringList> rows;
    for (int row = 0; row < report->document().DataRowCount(); ++row) {
      rows.append(report->document().DataRow(row).values);
    }
    return rows;
  }

  std::unique_ptr<LedgerReport> report;
};

TEST_F(TaxReturnTest, QuarterWithTaxPayable) {
  const QList<QStringList> expected{
      {"G1", "Total sales including GST", "1950.55", "1950"},
      {"", "of which non-taxable sales", "300.00", "300"},
      {"1A", "GST on sales", "150.05", "150"},
      {"G11", "Purchases including GST, deductible", "253.33", "253"},
      {"1B", "GST on purchases", "23.03", "23"},
      {"", "GST on non-deductible purchases, not claimed", "10.00", "10"},
      {"", "Net GST payable (1A less 1B)", "127.02", "127"},
  };
  EXPECT_EQ(build({2025, 7, 1}, {2025, 9, 30}), expected);
  const ReportDocument& document = report->document();
  EXPECT_TRUE(document.DataRow(document.DataRowCount() - 1).total);
  // On the page: the title, the exact amount and the whole dollars grouped.
  const QStringList lines = tabDelimited(document);
  EXPECT_TRUE(lines.contains(QStringLiteral("GST Return Worksheet")));
  EXPECT_TRUE(lines.contains(QStringLiteral("G1\tTotal sales including GST\t     1,950.55\t1,950")))
      << lines.join('\n').toStdString();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& line) {
    return line.startsWith(QStringLiteral("Included Folders:\tShop"));
  }));
}

TEST_F(TaxReturnTest, QuarterWithARefund) {
  const QList<QStringList> rows = build({2025, 10, 1}, {2025, 12, 31});
  EXPECT_EQ(rows.front(), (QStringList{"G1", "Total sales including GST", "888.00", "888"}));
  EXPECT_EQ(rows[4], (QStringList{"1B", "GST on purchases", "150.09", "150"}));
  // 80.73 collected less 150.09 paid: 69.36 to come back, its cents dropped.
  EXPECT_EQ(rows.back(), (QStringList{"", "Net GST refundable (1B less 1A)", "69.36", "69"}));
}

TEST_F(TaxReturnTest, AnotherTaxNameCarriesNoBasLabels) {
  db.settingsRecord().GSTString = QStringLiteral("VAT");
  const QList<QStringList> rows = build({2025, 7, 1}, {2025, 9, 30});
  EXPECT_EQ(rows.front(), (QStringList{"", "Total sales including VAT", "1950.55", "1950"}));
  EXPECT_EQ(rows.back(), (QStringList{"", "Net VAT payable", "127.02", "127"}));
  EXPECT_TRUE(tabDelimited(report->document()).contains(QStringLiteral("VAT Return Worksheet")));
}

TEST(WholeDollarsTest, DropsTheCentsOfTheRoundedFigure) {
  EXPECT_EQ(TaxReturnReport::WholeDollars(1950.999), 1951);  // 1951.00 to the cent
  EXPECT_EQ(TaxReturnReport::WholeDollars(1950.994), 1950);
  EXPECT_EQ(TaxReturnReport::WholeDollars(0.99), 0);
  EXPECT_EQ(TaxReturnReport::WholeDollars(-69.36), -69);
}

}  // namespace
