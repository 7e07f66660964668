// A date picker: the locale's short date format with a drop-down calendar. A two-digit
// year is shown with four digits, so a typed year can never fall into the wrong century.
#pragma once

#include <QDateEdit>

class DatePicker : public QDateEdit {
  Q_OBJECT

 public:
  explicit DatePicker(QWidget* parent = nullptr);

  // The locale's short date format with its year widened to four digits.
  static QString displayFormatFor(const QLocale& locale);
};
