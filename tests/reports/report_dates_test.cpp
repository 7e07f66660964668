// Dates as wide as the locale's short date makes them (10 characters "15/01/2024", 11
// characters "15 Jan 2024") never run into the next column: in the ledger and the detail
// reports the columns after the date move right and the report widens with them. And
// tab-delimited rows keep one field per column: total, opening and closing rows and the
// ledger's empty credit and debit cells included.
#include <gtest/gtest.h>

#include "DetailReport.h"
#include "ExportedText.h"
#include "GeneralLedgerReport.h"
#include "GstSummaryReport.h"
#include "SummaryBooks.h"

namespace {

struct DateCase {
  const char* name;
  QLocale locale;
  QString firstDate;  // 15 January 2024 in the report date format
};

class ReportDatesTest : public testing::TestWithParam<DateCase>, public LedgerBooks {
 protected:
  ReportDatesTest() { addSampleYear(); }
  ReportBuilder& builder() {
    report = std::make_unique<ReportBuilder>(
        db, host, ReportRequest{{2024, 1, 15}, {2024, 3, 10}, {2026, 6, 15}, GetParam().locale});
    report->SelectedFolders = {1, 2};
    return *report;
  }
  // The fixed-column line that starts with the first date and holds text.
  QString lineWith(const QString& text) {
    const QString date = GetParam().firstDate;
    for (const QString& line : fixedColumns(report->Document())) {
      if (line.startsWith(date) && line.contains(text)) return line;
    }
    ADD_FAILURE() << "no line of " << text.toStdString();
    return {};
  }

  std::unique_ptr<ReportBuilder> report;
};

TEST_P(ReportDatesTest, LedgerDatesKeepABlankBeforeTheDescription) {
  GeneralLedgerReport(db, builder()).Build();
  const QString date = GetParam().firstDate;
  // "Counter sales" starts one blank after the date, and the report widened as much.
  EXPECT_EQ(lineWith(QStringLiteral("Counter sales")).mid(date.size(), 14),
            QStringLiteral(" Counter sales"));
  EXPECT_EQ(report->Document().ReportWidth(), 73 + date.size() + 1 - 10);
  // Every ledger row has its five fields; the empty credit or debit is an empty field.
  int rows = 0;
  for (const QString& line : tabDelimited(report->Document())) {
    const QString first = line.section(QLatin1Char('\t'), 0, 0);
    if (QDate::fromString(first, report->ReportDateFormat).isValid() ||
        line.contains(QStringLiteral("Totals"))) {
      EXPECT_EQ(line.count(QLatin1Char('\t')), 4) << line.toStdString();
      ++rows;
    }
  }
  EXPECT_EQ(rows, 2 + 8 + 1);  // two opening rows, eight in the period, the closing row
  EXPECT_TRUE(tabDelimited(report->Document())
                  .contains(QStringLiteral("\tPrior Year Totals\t     1,000.00\t       100.00\t"
                                           "       900.00")));
}

TEST_P(ReportDatesTest, DetailDatesKeepABlankBeforeTheNextColumn) {
  DetailReport(db, builder(), DetailReport::Side::Expense).Build();
  const QString date = GetParam().firstDate;
  // Cheque 501 ends at column 19 when the date leaves a blank before eight digits.
  const QString line = lineWith(QStringLiteral("Shell Kew"));
  EXPECT_EQ(line.at(date.size()), QLatin1Char(' '));
  EXPECT_EQ(line.indexOf(QStringLiteral("501")), std::max<int>(19, date.size() + 9) - 3);
  DetailReport(db, builder(), DetailReport::Side::Income).Build();
  EXPECT_EQ(lineWith(QStringLiteral("Counter sales")).at(date.size()), QLatin1Char(' '));
}

INSTANTIATE_TEST_SUITE_P(
    TenAndElevenCharacters, ReportDatesTest,
    testing::Values(DateCase{"ten", QLocale(QLocale::English, QLocale::UnitedKingdom),
                             QStringLiteral("15/01/2024")},
                    DateCase{"eleven", QLocale::c(), QStringLiteral("15 Jan 2024")}),
    [](const testing::TestParamInfo<DateCase>& info) { return std::string(info.param.name); });

TEST(TabFieldsTest, TotalRowsKeepTheirLeadingEmptyField) {
  SummaryBooks books;
  LedgerReport report(books, {2024, 1, 15}, {2024, 3, 10});
  GstSummaryReport(books.db, report.builder).Build();
  int totals = 0;
  for (const QString& line : tabDelimited(report.document())) {
    if (!line.contains(QStringLiteral("Total"), Qt::CaseInsensitive) ||
        line.startsWith(QStringLiteral("Acnt."))) {
      continue;
    }
    EXPECT_EQ(line.split(QLatin1Char('\t')).size(), 4) << line.toStdString();
    EXPECT_TRUE(line.startsWith(QLatin1Char('\t'))) << line.toStdString();
    ++totals;
  }
  EXPECT_EQ(totals, 4 + 2);  // four sections, two parts
}

}  // namespace
