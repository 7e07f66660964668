// The one date field of every window: a line edit with a drop-down calendar. It reads
// what people type in the locale's order and the usual forms (DateText) when it is left,
// and shows the date back in the short date format with a four-digit year, so a typed
// date never silently becomes another one. Tab leaves it. A text it cannot read is
// refused with a message naming the field, and the focus stays in it.
#pragma once

#include <QDate>
#include <QWidget>

class ExitEdit;
class QCalendarWidget;
class QToolButton;
class Ui;

class DatePicker : public QWidget {
  Q_OBJECT

 public:
  // fieldName (as its label says it, without the colon) names the field in messages; ui
  // must outlive the field.
  DatePicker(Ui& ui, const QString& fieldName, QWidget* parent);

  // The date last read or set; what the field shows.
  QDate date() const { return date_; }
  void setDate(const QDate& date);
  // Reads the text as it stands (the user may not have left the field yet): a readable
  // date becomes the field's date and is shown in the short format. Else the focus comes
  // back here and ConversionError names the field.
  QDate readDate();
  // Reads first and last (readDate); a first date after the last is refused through ui
  // with a message, the focus in first. Returns whether the range may be used.
  static bool ReadRange(DatePicker& first, DatePicker& last, Ui& ui);

  // The locale's short date format with its year widened to four digits.
  static QString displayFormatFor(const QLocale& locale);

  ExitEdit* lineEdit;
  QToolButton* calendarButton;

 signals:
  // A new date was read, set or picked in the calendar.
  void dateChanged(const QDate& date);

 private:
  void showDate();
  void openCalendar();
  void picked(const QDate& date);

  QString fieldName_;
  QDate date_;
  QCalendarWidget* calendar_ = nullptr;  // made on first use
};
