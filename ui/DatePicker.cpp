#include "DatePicker.h"

#include <QRegularExpression>

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
  setCalendarPopup(true);
  setDisplayFormat(displayFormatFor(locale()));
}

QString DatePicker::displayFormatFor(const QLocale& locale) {
  QString format = locale.dateFormat(QLocale::ShortFormat);
  // Any run of year letters becomes "yyyy".
  return format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
}
