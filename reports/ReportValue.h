// One value of a report row as its generator knows it: a text, a date, an amount of money
// or whole dollars. The document shows it formatted for the report (the report date
// format, "%13.2n", grouped digits); the spreadsheet export writes it plain (yyyy-mm-dd,
// digits and a point).
#pragma once

#include <QDate>
#include <QString>

struct ReportValue {
  enum class Kind { Text, Date, Money, WholeDollars };

  ReportValue(const QString& text) : kind(Kind::Text), text(text) {}  // NOLINT: implicit
  static ReportValue Date(const QDate& date) {
    ReportValue value{QString()};
    value.kind = Kind::Date;
    value.date = date;
    return value;
  }
  static ReportValue Money(double amount) {
    ReportValue value{QString()};
    value.kind = Kind::Money;
    value.amount = amount;
    return value;
  }

  static ReportValue WholeDollars(long long dollars) {
    ReportValue value{QString()};
    value.kind = Kind::WholeDollars;
    value.dollars = dollars;
    return value;
  }

  Kind kind;
  QString text;
  QDate date;
  double amount = 0;
  long long dollars = 0;
};
