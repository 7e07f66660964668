// Reading a date as people type it: day, month and year in the order of the locale's short
// date format, with any separators ("15/7/25", "15.07.2025", "15-7-2025"), the month by name
// ("15 Jul 2025", "Jul 15 2025"), the ISO form ("2025-07-15") or digits alone ("150725",
// "15072025"). Text that is not exactly one real date is no date: nothing is guessed.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

class DateText {
 public:
  enum class Order { DayMonthYear, MonthDayYear, YearMonthDay };

  // The order of day, month and year in the locale's short date format.
  static Order OrderOf(const QLocale& locale);
  // The date text names, or a null date. A two-digit year falls into the 100 years from
  // 60 years before currentYear, the window the tables keep their dates in.
  static QDate Read(const QString& text, const QLocale& locale, int currentYear);
};
