// The small fixed rules every report shares: how dates are written, months, and how many
// lines a printed page holds (MoneyFormat writes the amounts).
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

class ReportRules {
 public:
  // date as yyyy-MM-dd (Qt::ISODate), without the cost of a general date format.
  static QString IsoDate(const QDate& date);
  // The report date format of locale (Conversions::FixedDateFormat, where every date has
  // the same width) in the notation QDate::toString reads.
  static QString ReportDateFormat(const QLocale& locale);
  // date in locale's short date format, as titles and page headers show it.
  static QString ShortDate(const QDate& date, const QLocale& locale);
  static int MonthOf(const QDate& date) { return date.month(); }
  // Lines a printed page holds: the page height in text heights, less 6 for the top
  // margin of 3 lines and room at the bottom. Returns 0 when either height is not positive.
  static int LinesPerPage(int pageHeight, int textHeight);
  // What a page holds when the printer cannot be asked.
  static constexpr int kDefaultLinesPerPage = 60;
};
