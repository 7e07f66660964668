#include "FiscalYear.h"

#include <algorithm>

QDate FiscalYear::FiscalYearStart(const QDate& date, int fyMonth, int fyDay) {
  if (!date.isValid()) return QDate();
  const int month = fyMonth >= 1 && fyMonth <= 12 ? fyMonth : 1;
  // A common year's length, so the day exists in every year (29 February never does).
  const int day = std::clamp(fyDay, 1, QDate(2001, month, 1).daysInMonth());
  int year = date.year();
  if ((date.month() == month && date.day() < day) || date.month() < month) --year;
  return QDate(year, month, day);
}
