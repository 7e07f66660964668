#include <gtest/gtest.h>

#include "DateConversions.h"
#include "TestClock.h"

namespace {

// Text and stored bytes read alike.
TEST(DTOSToDate, ReadsEightDigitsOrGivesNoDate) {
  const std::pair<const char*, QDate> cases[] = {
      {"20010302", QDate(2001, 3, 2)},
      {"        ", {}},
      {"", {}},
      {"2001030", {}},
      {"20010230", {}},  // 30 February
      {"20011301", {}},
      {"00000101", {}},  // no year 0
      {"2001ab02", {}},
      {" 2001030", {}},
      {"20000229", QDate(2000, 2, 29)},
  };
  for (const auto& [text, date] : cases) {
    EXPECT_EQ(DateConversions::DTOSToDate(QString::fromLatin1(text)), date) << text;
    EXPECT_EQ(DateConversions::StoredToDate(text), date) << text;
  }
}

TEST(DateToDTOS, WindowsTheYearAroundTheCurrentOne) {
  TestClock clock(QDate(2026, 6, 15));
  DateConversions dates(clock);
  EXPECT_EQ(dates.DateToDTOS(QDate()), "");
  EXPECT_EQ(dates.DateToDTOS(QDate(2001, 3, 2)), "20010302");
  EXPECT_EQ(dates.DateToDTOS(QDate(1950, 5, 17)), "20500517");
  // The window for 2026 is 1966 to 2065.
  EXPECT_EQ(dates.DateToDTOS(QDate(1966, 1, 1)), "19660101");
  EXPECT_EQ(dates.DateToDTOS(QDate(1965, 12, 31)), "20651231");
  EXPECT_EQ(dates.DateToDTOS(QDate(2065, 12, 31)), "20651231");
  EXPECT_EQ(dates.DateToDTOS(QDate(2066, 1, 1)), "19660101");
  clock.set(QDate(2040, 1, 1));  // the window follows the clock: 1980 to 2079
  EXPECT_EQ(dates.DateToDTOS(QDate(1975, 4, 1)), "20750401");
}

TEST(WindowYear, LeapDayThatCannotMoveIsKept) {
  TestClock clock(QDate(2070, 1, 1));  // window 2010 to 2109
  DateConversions dates(clock);
  EXPECT_EQ(dates.WindowYear(QDate(2000, 2, 29)), QDate(2000, 2, 29));  // 2100 is no leap year
  EXPECT_EQ(dates.WindowYear(QDate(2008, 2, 29)), QDate(2108, 2, 29));
  EXPECT_EQ(dates.WindowYear(QDate(2000, 3, 1)), QDate(2100, 3, 1));
  EXPECT_FALSE(dates.WindowYear(QDate()).isValid());
}

}  // namespace
