#include <gtest/gtest.h>

#include "DateText.h"

namespace {

const QLocale kAustralia(QLocale::English, QLocale::Australia);
const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);
constexpr int kYear = 2026;

struct Typed {
  const char* text;
  QDate date;  // null: refused
};

class DayFirst : public testing::TestWithParam<Typed> {};

TEST_P(DayFirst, ReadsWhatPeopleType) {
  EXPECT_EQ(DateText::Read(QString::fromUtf8(GetParam().text), kAustralia, kYear), GetParam().date)
      << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    DateText, DayFirst,
    testing::Values(
        Typed{"15/7/25", QDate(2025, 7, 15)}, Typed{"15/07/2025", QDate(2025, 7, 15)},
        Typed{"15.7.2025", QDate(2025, 7, 15)}, Typed{"15-7-2025", QDate(2025, 7, 15)},
        Typed{"15 Jul 2025", QDate(2025, 7, 15)}, Typed{"20 Aug 2025", QDate(2025, 8, 20)},
        Typed{"Jul 15, 2025", QDate(2025, 7, 15)}, Typed{"15 july 25", QDate(2025, 7, 15)},
        Typed{"2025-07-15", QDate(2025, 7, 15)}, Typed{"150725", QDate(2025, 7, 15)},
        Typed{"15072025", QDate(2025, 7, 15)},
        // two-digit years fall into 1966 to 2065 in 2026
        Typed{"1/1/66", QDate(1966, 1, 1)}, Typed{"31/12/65", QDate(2065, 12, 31)},
        // never a different date: no guessing
        Typed{"31/2/2025", QDate()}, Typed{"15/13/2025", QDate()}, Typed{"15/7", QDate()},
        Typed{"1507", QDate()}, Typed{"", QDate()}, Typed{"15 Jux 2025", QDate()},
        Typed{"15/7/2025 x", QDate()}, Typed{"15/7/20251", QDate()}, Typed{"15*7*2025", QDate()},
        Typed{"115/7/2025", QDate()}));

TEST(DateText, FollowsTheLocalesOrder) {
  EXPECT_EQ(DateText::OrderOf(kAustralia), DateText::Order::DayMonthYear);
  EXPECT_EQ(DateText::OrderOf(kUnitedStates), DateText::Order::MonthDayYear);
  EXPECT_EQ(DateText::OrderOf(QLocale(QLocale::Chinese, QLocale::China)),
            DateText::Order::YearMonthDay);
  EXPECT_EQ(DateText::Read(QStringLiteral("7/15/25"), kUnitedStates, kYear), QDate(2025, 7, 15));
  EXPECT_EQ(DateText::Read(QStringLiteral("071525"), kUnitedStates, kYear), QDate(2025, 7, 15));
  EXPECT_EQ(DateText::Read(QStringLiteral("15/7/25"), kUnitedStates, kYear), QDate());
  EXPECT_EQ(DateText::Read(QStringLiteral("15.07.2025"), QLocale(QLocale::German), kYear),
            QDate(2025, 7, 15));
  EXPECT_EQ(DateText::Read(QStringLiteral("15 Juli 2025"), QLocale(QLocale::German), kYear),
            QDate(2025, 7, 15));
}

}  // namespace
