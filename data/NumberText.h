// Numbers as the windows and lists show them: printf-style fixed ("%9.2f") and grouped
// ("%12.2n") formats whose rounding works on the decimal digits a user sees, so 0.125
// shows as 0.13 and -0.125 as -0.13, where a binary printf would give 0.12.
//
// The value's magnitude is written with 18 significant decimal digits and that digit
// string is rounded at the last decimal shown, a following digit of 5 or more rounding
// away from zero. A value that rounds to zero shows without a sign. Texts are padded on
// the left to the width and never cut.
#pragma once

#include <QLocale>
#include <QString>

class NumberText {
 public:
  // value with decimals decimals in locale's decimal separator, right-aligned to width.
  static QString Fixed(double value, int width, int decimals, const QLocale& locale = QLocale());
  // The same with locale's thousands separators in the whole part.
  static QString Grouped(double value, int width, int decimals, const QLocale& locale = QLocale());
  // value in a format of the form "%<width>.<decimals>f" (Fixed) or "%<width>.<decimals>n"
  // (Grouped). Throws std::invalid_argument for any other format.
  static QString Format(const char* format, double value, const QLocale& locale = QLocale());
  // Money as every entry window shows it: "%9.2f".
  static QString Money(double value, const QLocale& locale = QLocale()) {
    return Fixed(value, 9, 2, locale);
  }
};
