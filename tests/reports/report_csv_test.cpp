// The spreadsheet export of every report with rows, read back by Python's csv module:
// one header row and the same number of fields in every row, plain dates and amounts,
// and the item rows adding up to the report's own totals. Fields that need quoting are
// quoted as RFC 4180 has it.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

#include "PeerProcess.h"
#include "ReportCatalog.h"
#include "ReportCsv.h"
#include "SummaryBooks.h"

namespace {

using Rows = QList<QStringList>;

// The column of rows' header named name.
int column(const Rows& rows, const char* name) {
  return static_cast<int>(rows.front().indexOf(QString::fromLatin1(name)));
}

// The sum of column over the item rows for which pick is true.
double itemSum(const Rows& rows, int col, const std::function<bool(const QStringList&)>& pick) {
  double sum = 0;
  for (const QStringList& row : rows.mid(1)) {
    if (row[0] == QLatin1String("item") && pick(row)) sum += row[col].toDouble();
  }
  return sum;
}

// The row whose field col is text.
QStringList rowWith(const Rows& rows, int col, const char* text) {
  for (const QStringList& row : rows) {
    if (row.value(col) == QLatin1String(text)) return row;
  }
  ADD_FAILURE() << "no row " << text;
  return QStringList(rows.front().size());
}

struct CsvCase {
  const char* name;
  ReportKind kind;
  std::function<void(const Rows&)> check;  // the sums against the report's totals
};

void itemsMakeTheTotal(const Rows& rows, const char* totalName, QList<const char*> columns) {
  const QStringList total = rowWith(rows, 1, totalName);
  for (const char* name : columns) {
    const int col = column(rows, name);
    EXPECT_NEAR(itemSum(rows, col, [](const QStringList&) { return true; }), total[col].toDouble(),
                0.001)
        << name;
  }
}

void sectionsMakeTheirTotals(const Rows& rows, const char* amountColumn) {
  const int amount = column(rows, amountColumn), section = column(rows, "Section");
  int totals = 0;
  for (const QStringList& row : rows) {
    if (row[0] != QLatin1String("total") || !row[section].size()) continue;
    if (row[column(rows, "Account Name")] != QLatin1String("Total ") + row[section]) continue;
    ++totals;
    EXPECT_NEAR(
        itemSum(rows, amount, [&](const QStringList& r) { return r[section] == row[section]; }),
        row[amount].toDouble(), 0.001)
        << row[section].toStdString();
  }
  EXPECT_GE(totals, 2);
}

class ReportCsvTest : public testing::TestWithParam<CsvCase>, public SummaryBooks {
 protected:
  // A payee that must be quoted.
  ReportCsvTest() { addExpense({2024, 1, 16}, 10, 1, 12.34, 1.12, QStringLiteral("Smith, \"J\"")); }
};

TEST_P(ReportCsvTest, ReadBackByACsvReaderItsItemsMakeItsTotals) {
  LedgerReport report(*this, {2024, 1, 15}, {2024, 3, 10});
  ASSERT_TRUE(ReportCatalog::Build(db, report.builder, GetParam().kind));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("report.csv"));
  ASSERT_TRUE(ReportCsv::Write(report.document(), path));
  const PeerResult read =
      runPeer(std::string(kPeerPython) + ' ' + shellWord(peerScript("read_csv.py")) + ' ' +
              shellWord(path.toStdString()));
  ASSERT_EQ(read.exitCode, 0);
  Rows rows;
  for (const QJsonValue& row :
       QJsonDocument::fromJson(QByteArray::fromStdString(read.out)).array()) {
    rows.append(row.toVariant().toStringList());
  }
  ASSERT_EQ(rows.size(), report.document().DataRowCount() + 1);
  EXPECT_EQ(rows.front().front(), QStringLiteral("Row"));
  static const QRegularExpression plain(
      QStringLiteral("^(-?\\d+\\.\\d\\d|\\d{4}-\\d\\d-\\d\\d|)$"));
  for (const QStringList& row : rows.mid(1)) {
    EXPECT_EQ(row.size(), rows.front().size()) << row.join(',').toStdString();
    EXPECT_TRUE(row[0] == QLatin1String("item") || row[0] == QLatin1String("total"));
    // Amounts and dates: no padding, no grouping, a point.
    for (const QString& field : row.mid(1)) {
      if (field.contains(QRegularExpression(QStringLiteral("^[-\\d ,./]+$"))) &&
          field.contains(QLatin1Char('.'))) {
        EXPECT_TRUE(plain.match(field).hasMatch()) << field.toStdString();
      }
    }
  }
  GetParam().check(rows);
}

INSTANTIATE_TEST_SUITE_P(
    EveryReportWithTotals, ReportCsvTest,
    testing::Values(
        CsvCase{"expense_detail", ReportKind::ExpenseDetail,
                [](const Rows& rows) {
                  itemsMakeTheTotal(rows, "TOTAL EXPENSES", {"Amount", "GST"});
                  EXPECT_EQ(rowWith(rows, column(rows, "Check No"), "501")[1],
                            QStringLiteral("2024-01-15"));
                }},
        CsvCase{"income_detail", ReportKind::IncomeDetail,
                [](const Rows& rows) {
                  itemsMakeTheTotal(rows, "Total", {"Amount", "GST"});
                }},
        CsvCase{"monthly_profit", ReportKind::MonthlyProfit,
                [](const Rows& rows) {
                  itemsMakeTheTotal(rows, "Totals",
                                    {"Taxable Income", "Deductible Expenses", "Net Profit"});
                }},
        CsvCase{"gst_summary", ReportKind::GstSummary,
                [](const Rows& rows) { sectionsMakeTheirTotals(rows, "Income Total"); }},
        CsvCase{"expense_summary", ReportKind::ExpenseSummary,
                [](const Rows& rows) { sectionsMakeTheirTotals(rows, "Period Totals"); }},
        CsvCase{"general_ledger", ReportKind::GeneralLedger,
                [](const Rows& rows) {
                  // The closing credit and debit: the two opening rows' and the items'.
                  const QStringList closing = rows.back();
                  const auto all = [](const QStringList&) { return true; };
                  for (const char* name : {"Credit", "Debit"}) {
                    const int col = column(rows, name);
                    EXPECT_NEAR(
                        rows[1][col].toDouble() + rows[2][col].toDouble() + itemSum(rows, col, all),
                        closing[col].toDouble(), 0.001)
                        << name;
                  }
                  EXPECT_EQ(rows[1][column(rows, "Description")], "Prior Year Totals");
                  EXPECT_EQ(rows[1][0], "total");
                }}),
    [](const testing::TestParamInfo<CsvCase>& info) { return std::string(info.param.name); });

TEST(ReportCsvFieldTest, QuotesOnlyWhatMustBeQuoted) {
  EXPECT_EQ(ReportCsv::Field(QStringLiteral("Shell Kew")), QStringLiteral("Shell Kew"));
  EXPECT_EQ(ReportCsv::Field(QStringLiteral("Smith, J")), QStringLiteral("\"Smith, J\""));
  EXPECT_EQ(ReportCsv::Field(QStringLiteral("12\" pipe")), QStringLiteral("\"12\"\" pipe\""));
  EXPECT_EQ(ReportCsv::Field(QStringLiteral("two\r\nlines")), QStringLiteral("\"two\r\nlines\""));
}

}  // namespace
