// The fiscal year the settings define by its first month and day: where a year begins.
// Shared by the reports (year-to-date totals) and the maintenance windows (default
// ranges of archiving and payment import).
#pragma once

#include <QDate>

class FiscalYear {
 public:
  // First day of the fiscal year holding date, for years that begin on day fyDay of
  // month fyMonth. A month outside 1 to 12 counts as January and a day outside the
  // month as its nearest day of a common year (1, or 28 for February), so a damaged
  // settings record still gives a real date. Returns a null date for a null date.
  static QDate FiscalYearStart(const QDate& date, int fyMonth, int fyDay);
};
