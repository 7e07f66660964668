// Conversions between date values and the eight-digit text of date fields and index
// keys. Every date written to a table is first moved into a 100-year window that starts
// 60 years before the current year, so two-digit-year input lands in the right century.
#pragma once

#include <QDate>
#include <QString>
#include <string_view>

class Clock;

class DateConversions {
 public:
  // clock must outlive this object.
  explicit DateConversions(const Clock& clock) : clock_(clock) {}

  // "yyyymmdd" of the windowed date; empty text for a null date (stored as a blank date).
  QString DateToDTOS(const QDate& date) const;
  // The date of a "yyyymmdd" text; a null date for a blank, short or invalid text.
  static QDate DTOSToDate(const QString& text);
  // The same for a date field's bytes as stored.
  static QDate StoredToDate(std::string_view stored);
  // The date with its year moved into [Y - 60, Y + 40), Y the current year; the input
  // unchanged when that day does not exist in the new year (29 February).
  QDate WindowYear(const QDate& date) const;

 private:
  const Clock& clock_;
};
