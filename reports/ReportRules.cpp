#include "ReportRules.h"

#include <cmath>

#include "Conversions.h"

namespace {

// A sum that only differs from zero by rounding noise prints as 0.00, not -0.00.
double shownMoney(double value) { return std::abs(value) < 0.005 ? 0.0 : value; }

}  // namespace

QString ReportRules::Money(double value, const QLocale& locale) {
  QLocale grouped = locale;
  grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
  return grouped.toString(shownMoney(value), 'f', 2).rightJustified(13, QLatin1Char(' '));
}

QString ReportRules::PlainMoney(double value) { return QString::number(shownMoney(value), 'f', 2); }

QString ReportRules::ReportDateFormat(const QLocale& locale) {
  QString format = Conversions::FixedDateFormat(locale);
  format.replace(QLatin1Char('D'), QLatin1Char('d'));
  format.replace(QLatin1Char('Y'), QLatin1Char('y'));
  return format;
}

QString ReportRules::ShortDate(const QDate& date, const QLocale& locale) {
  return locale.toString(date, QLocale::ShortFormat);
}

int ReportRules::LinesPerPage(int pageHeight, int textHeight) {
  if (pageHeight <= 0 || textHeight <= 0) return 0;
  return pageHeight / textHeight - 6;
}
