#include "ReportRules.h"

#include "Conversions.h"

QString ReportRules::IsoDate(const QDate& date) {
  int year = 0, month = 0, day = 0;
  date.getDate(&year, &month, &day);
  if (year < 1 || year > 9999) return date.toString(Qt::ISODate);
  const auto digit = [](int value) { return QChar(u'0' + value % 10); };
  const QChar text[10] = {digit(year / 1000),
                          digit(year / 100),
                          digit(year / 10),
                          digit(year),
                          u'-',
                          digit(month / 10),
                          digit(month),
                          u'-',
                          digit(day / 10),
                          digit(day)};
  return QString(text, 10);
}

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
