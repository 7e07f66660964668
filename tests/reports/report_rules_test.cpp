// Money and date texts, months and lines per page.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "HandOver.h"
#include "MoneyFormat.h"
#include "ProgressSink.h"
#include "ReportProgress.h"
#include "ReportRules.h"

namespace {

const QLocale australia(QLocale::English, QLocale::Australia);

TEST(Money, ThirteenCharactersWithTheLocalesSeparators) {
  const MoneyFormat money(australia);
  EXPECT_EQ(money(1234567.891), QStringLiteral(" 1,234,567.89"));
  EXPECT_EQ(money(-1234.5), QStringLiteral("    -1,234.50"));
  EXPECT_EQ(money(0), QStringLiteral("         0.00"));
  EXPECT_EQ(money(-0.001), QStringLiteral("         0.00"));
  EXPECT_EQ(MoneyFormat(QLocale(QLocale::German, QLocale::Germany))(1234.5),
            QStringLiteral("     1.234,50"));
  // A locale that leaves grouping out by default still groups money.
  QLocale plain = australia;
  plain.setNumberOptions(QLocale::OmitGroupSeparator);
  EXPECT_EQ(MoneyFormat(plain)(1000), QStringLiteral("     1,000.00"));
  // Wider amounts are not cut.
  EXPECT_EQ(money(-123456789012.0), QStringLiteral("-123,456,789,012.00"));
  EXPECT_EQ(MoneyFormat::Plain(-1234.5), QStringLiteral("-1234.50"));
}

// Amounts are rounded as QLocale rounds them, halves (exact in binary) away from zero, in
// locales written by hand and by QLocale alike.
TEST(Money, RoundsAsTheLocaleDoes) {
  std::mt19937 rng(7);
  for (const QLocale& locale : {australia, QLocale(QLocale::French, QLocale::France),
                                QLocale(QLocale::Arabic, QLocale::Egypt)}) {
    const MoneyFormat money(locale);
    const QLocale grouped = QLocale(locale.name());
    for (int i = 0; i < 2000; ++i) {
      const double value = (static_cast<int>(rng() % 20000001) - 10000000) / (i % 2 ? 1000.0 : 8.0);
      const double shown = std::abs(value) < 0.005 ? 0.0 : value;
      ASSERT_EQ(money(value), grouped.toString(shown, 'f', 2).rightJustified(13, u' ')) << value;
    }
  }
}

TEST(ReportDates, RowsUseAFixedWidthFormatTitlesTheShortOne) {
  EXPECT_EQ(ReportRules::ReportDateFormat(australia), QStringLiteral("dd/MM/yy"));
  EXPECT_EQ(ReportRules::ReportDateFormat(QLocale(QLocale::English, QLocale::UnitedStates)),
            QStringLiteral("MM/dd/yy"));
  EXPECT_EQ(ReportRules::ShortDate(QDate(2026, 6, 5), australia), QStringLiteral("5/6/26"));
  for (const QDate& date : {QDate(2026, 6, 5), QDate(1999, 12, 31), QDate(10000, 1, 2)})
    EXPECT_EQ(ReportRules::IsoDate(date), date.toString(Qt::ISODate));
}

// The bar shows each whole percentage once, when the count reaches it.
TEST(ReportProgress, ShowsEachPercentageOnceAsTheCountReachesIt) {
  struct Shown : ProgressSink {
    void ShowStatus(const QString&) override {}
    void ShowProgress(int percent) override { percents.push_back(percent); }
    std::vector<int> percents;
  };
  for (long expected : {7L, 300L, 1234567L}) {
    Shown sink;
    ReportProgress progress(sink, expected);
    std::vector<int> wanted;
    for (long done = 1; done <= expected; ++done) {
      progress.Step();
      const int percent = static_cast<int>(done * 100 / expected);
      if (percent != (wanted.empty() ? 0 : wanted.back())) wanted.push_back(percent);
    }
    EXPECT_EQ(sink.percents, wanted) << expected;
  }
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
