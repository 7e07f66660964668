// Money and date texts, months and lines per page.
#include <gtest/gtest.h>

#include "HandOver.h"
#include "ReportRules.h"

namespace {

const QLocale australia(QLocale::English, QLocale::Australia);

TEST(Money, ThirteenCharactersWithTheLocalesSeparators) {
  EXPECT_EQ(ReportRules::Money(1234567.891, australia), QStringLiteral(" 1,234,567.89"));
  EXPECT_EQ(ReportRules::Money(-1234.5, australia), QStringLiteral("    -1,234.50"));
  EXPECT_EQ(ReportRules::Money(0, australia), QStringLiteral("         0.00"));
  EXPECT_EQ(ReportRules::Money(-0.001, australia), QStringLiteral("         0.00"));
  EXPECT_EQ(ReportRules::Money(1234.5, QLocale(QLocale::German, QLocale::Germany)),
            QStringLiteral("     1.234,50"));
  // A locale that leaves grouping out by default still groups money.
  QLocale plain = australia;
  plain.setNumberOptions(QLocale::OmitGroupSeparator);
  EXPECT_EQ(ReportRules::Money(1000, plain), QStringLiteral("     1,000.00"));
  // Wider amounts are not cut.
  EXPECT_EQ(ReportRules::Money(-123456789012.0, australia), QStringLiteral("-123,456,789,012.00"));
}

TEST(ReportDates, RowsUseAFixedWidthFormatTitlesTheShortOne) {
  EXPECT_EQ(ReportRules::ReportDateFormat(australia), QStringLiteral("dd/MM/yy"));
  EXPECT_EQ(ReportRules::ReportDateFormat(QLocale(QLocale::English, QLocale::UnitedStates)),
            QStringLiteral("MM/dd/yy"));
  EXPECT_EQ(ReportRules::ShortDate(QDate(2026, 6, 5), australia), QStringLiteral("5/6/26"));
}

TEST(MonthOf, TheMonthNumber) {
  EXPECT_EQ(ReportRules::MonthOf(QDate(2024, 2, 29)), 2);
  EXPECT_EQ(ReportRules::MonthOf(QDate(2023, 12, 1)), 12);
}

TEST(SetCurrentMonth, AnyDayOfFebruary2025GivesTheWholeMonth) {
  for (int day = 1; day <= 28; ++day) {
    HandOver state;
    state.SetCurrentMonth(QDate(2025, 2, day));
    EXPECT_EQ(state.ReportStartDate, QDate(2025, 2, 1));
    EXPECT_EQ(state.ReportEndDate, QDate(2025, 2, 28));
  }
  HandOver leap;
  leap.SetCurrentMonth(QDate(2024, 2, 29));
  EXPECT_EQ(leap.ReportEndDate, QDate(2024, 2, 29));
}

TEST(LinesPerPage, PageHeightInTextHeightsLessSix) {
  EXPECT_EQ(ReportRules::LinesPerPage(6600, 100), 60);
  EXPECT_EQ(ReportRules::LinesPerPage(6699, 100), 60);
  EXPECT_EQ(ReportRules::LinesPerPage(0, 100), 0);
  EXPECT_EQ(ReportRules::LinesPerPage(6600, 0), 0);
}

}  // namespace
