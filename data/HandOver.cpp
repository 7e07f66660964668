#include "HandOver.h"

void HandOver::SetCurrentMonth(const QDate& today) {
  ReportStartDate = QDate(today.year(), today.month(), 1);
  // 31 days on, stepped back into the same month: its last day.
  QDate last = ReportStartDate.addDays(31);
  while (last.month() != ReportStartDate.month()) last = last.addDays(-1);
  ReportEndDate = last;
}
