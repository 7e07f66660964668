#include "CsvProfile.h"

#include <algorithm>

int CsvProfile::lastColumn() const {
  return std::max(
      {dateColumn, descriptionColumn, amountColumn, debitColumn, creditColumn, idColumn});
}

QString CsvProfile::problem() const {
  if (dateColumn == 0) return QStringLiteral("no date column");
  if (amountColumn == 0 && (debitColumn == 0 || creditColumn == 0))
    return QStringLiteral("no amount column (nor debit and credit columns)");
  return QString();
}

QString DateOrderCode(DateOrder order) {
  switch (order) {
    case DateOrder::DayFirst:
      return QStringLiteral("DMY");
    case DateOrder::MonthFirst:
      return QStringLiteral("MDY");
    case DateOrder::YearFirst:
      return QStringLiteral("YMD");
    case DateOrder::Unknown:
      break;
  }
  return QString();
}

DateOrder DateOrderOfCode(const QString& code) {
  const QString c = code.trimmed().toUpper();
  if (c == QLatin1String("DMY")) return DateOrder::DayFirst;
  if (c == QLatin1String("MDY")) return DateOrder::MonthFirst;
  if (c == QLatin1String("YMD")) return DateOrder::YearFirst;
  return DateOrder::Unknown;
}
