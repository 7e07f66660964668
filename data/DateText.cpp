#include "DateText.h"

#include <QRegularExpression>
#include <QStringList>
#include <utility>

namespace {

// The month a name or its abbreviation of at least three letters gives, in the locale's
// language or in English; 0 for none.
int MonthOfName(const QString& word, const QLocale& locale) {
  if (word.size() < 3) return 0;
  for (const QLocale& language : {locale, QLocale::c()}) {
    for (int month = 1; month <= 12; ++month) {
      const QString name = language.monthName(month, QLocale::LongFormat);
      const QString shortName = language.monthName(month, QLocale::ShortFormat);
      if (name.startsWith(word, Qt::CaseInsensitive) ||
          shortName.compare(word, Qt::CaseInsensitive) == 0) {
        return month;
      }
    }
  }
  return 0;
}

int YearOf(const QString& digits, int currentYear) {
  if (digits.size() == 4) return digits.toInt();
  if (digits.size() > 2) return 0;
  const int first = currentYear - 60;
  int year = first - first % 100 + digits.toInt();
  if (year < first) year += 100;
  return year;
}

QDate DateOf(const QString& year, int month, const QString& day, int currentYear) {
  if (day.size() > 2 || month < 1) return {};
  const int y = YearOf(year, currentYear);
  return y > 0 ? QDate(y, month, day.toInt()) : QDate();
}

QDate DateOf(const QString& year, const QString& month, const QString& day, int currentYear) {
  return month.size() > 2 ? QDate() : DateOf(year, month.toInt(), day, currentYear);
}

// Day, month and year in the locale's order.
QDate InOrder(const QStringList& parts, DateText::Order order, int currentYear) {
  switch (order) {
    case DateText::Order::DayMonthYear:
      return DateOf(parts[2], parts[1], parts[0], currentYear);
    case DateText::Order::MonthDayYear:
      return DateOf(parts[2], parts[0], parts[1], currentYear);
    case DateText::Order::YearMonthDay:
      break;
  }
  return DateOf(parts[0], parts[1], parts[2], currentYear);
}

// Digits alone: two for day and month, two or four for the year.
QStringList SplitDigits(const QString& digits, DateText::Order order) {
  const int yearWidth = digits.size() - 4;
  if (yearWidth != 2 && yearWidth != 4) return {};
  if (order == DateText::Order::YearMonthDay) {
    return {digits.left(yearWidth), digits.mid(yearWidth, 2), digits.mid(yearWidth + 2)};
  }
  return {digits.left(2), digits.mid(2, 2), digits.mid(4)};
}

}  // namespace

DateText::Order DateText::OrderOf(const QLocale& locale) {
  const QString format = locale.dateFormat(QLocale::ShortFormat);
  const qsizetype day = format.indexOf(QLatin1Char('d'));
  const qsizetype month = format.indexOf(QLatin1Char('M'));
  const qsizetype year = format.indexOf(QLatin1Char('y'));
  if (year >= 0 && year < month && year < day) return Order::YearMonthDay;
  return month >= 0 && month < day ? Order::MonthDayYear : Order::DayMonthYear;
}

QDate DateText::Read(const QString& text, const QLocale& locale, int currentYear) {
  static const QRegularExpression token(QStringLiteral("(\\d+)|(\\p{L}+)"));
  QStringList numbers;
  QStringList words;
  for (const QRegularExpressionMatch& match : token.globalMatch(text)) {
    (match.capturedLength(1) > 0 ? numbers : words).append(match.captured());
  }
  // Anything but digits, letters, blanks and the usual separators makes no date.
  static const QRegularExpression allowed(QStringLiteral("^[\\d\\p{L}\\s/.,\\-]*$"));
  if (!allowed.match(text).hasMatch() || words.size() > 1) return {};
  const Order order = OrderOf(locale);
  if (words.size() == 1) {
    if (numbers.size() != 2) return {};
    // With the month named, the four-digit number is the year; else the locale decides.
    QString day = numbers[0];
    QString year = numbers[1];
    if (day.size() == 4 || (order == Order::YearMonthDay && year.size() != 4)) {
      std::swap(day, year);
    }
    return DateOf(year, MonthOfName(words[0], locale), day, currentYear);
  }
  if (numbers.size() == 1) numbers = SplitDigits(numbers[0], order);
  if (numbers.size() != 3) return {};
  if (numbers[0].size() == 4) return DateOf(numbers[0], numbers[1], numbers[2], currentYear);
  return InOrder(numbers, order, currentYear);
}
