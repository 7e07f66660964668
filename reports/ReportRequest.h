// What a report is asked for: the date range and the facts of the moment it is built.
#pragma once

#include <QDate>
#include <QLocale>

struct ReportRequest {
  QDate StartDate;  // ReportStartDate: first day reported
  QDate EndDate;    // ReportEndDate: last day reported
  QDate Today;      // printed in every page header
  QLocale Locale;   // separators of money, the short and the report date formats
};
