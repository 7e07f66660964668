// Small pure conversions shared by the entry windows and the reports: key text of
// numbers, seek keys, a fixed-width date format, a list lookup and the re-formatting
// of masked numeric edits.
#pragma once

#include <QLocale>
#include <QString>
#include <span>
#include <string>

class Conversions {
 public:
  // number in decimal, right-aligned with blanks to width (the xBase STR()); never cut.
  static QString PadLeft(int number, int width);
  // The seek key for text: its first 60 characters in the tables' encoding.
  static std::string KeyBuffer(const QString& text);
  // locale's short date format upper-cased, with a single "M", "D" or "Y" doubled, so
  // every date it formats has the same width ("d/M/yyyy" gives "DD/MM/YYYY").
  static QString FixedDateFormat(const QLocale& locale = QLocale());
  // Index of the first element of list equal to number; -1 when none is (or list is empty).
  static int FindInArray(std::span<const int> list, int number);
  // The text of a masked numeric edit re-formatted: blanks removed, read as a number in
  // locale's notation, printed with the format as NumberText::Format prints it. A
  // typed "-" before a value that is not negative ("-0", "-0.00") is kept, and the result
  // is then blank-padded on the left to text's length.
  // Throws ConversionError when the text without blanks is not a number.
  static QString ReformatNumber(const QString& text, const char* format,
                                const QLocale& locale = QLocale());
};
