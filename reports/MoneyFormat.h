// Amounts as every report writes them: two decimals with the locale's thousands and
// decimal separators, right-justified with blanks to 13 characters (longer values are not
// cut). Made once per report for its locale: a report writes hundreds of thousands.
#pragma once

#include <QLocale>
#include <QString>

class MoneyFormat {
 public:
  explicit MoneyFormat(const QLocale& locale);
  QString operator()(double value) const;
  // value as a spreadsheet reads it: two decimals, a point, no grouping or padding.
  static QString Plain(double value);

 private:
  // The digits, rounded as QLocale rounds them, with a point and a leading '-'.
  static int digits(double value, char* out, int size);
  QString grouped(double value) const;

  QLocale locale_;  // with thousands separators
  QString decimalPoint_, groupSeparator_, negativeSign_;
  // Whether this locale writes amounts as grouped() does (Latin digits, groups of three);
  // QLocale writes them otherwise.
  bool simple_ = false;
};
