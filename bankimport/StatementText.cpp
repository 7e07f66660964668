#include "StatementText.h"

#include <QRegularExpression>

namespace StatementText {

namespace {

// Day, month and year as numbers with any of - / . ' between them; QIF writes 1/25'24.
const QRegularExpression& numericDate() {
  static const QRegularExpression re(
      QStringLiteral("^(\\d{1,2})[-/.](\\d{1,2})[-/.']\\s*(\\d{1,4})(?:[ T].*)?$"));
  return re;
}

const QRegularExpression& isoDate() {
  static const QRegularExpression re(
      QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})(?:[ T].*)?$"));
  return re;
}

// 20240131, with OFX's time and zone after it.
const QRegularExpression& compactDate() {
  static const QRegularExpression re(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})(?:\\d*.*)?$"));
  return re;
}

// 5 Jan 2024, 05-Jan-24
const QRegularExpression& dayNameDate() {
  static const QRegularExpression re(
      QStringLiteral("^(\\d{1,2})[ -]([A-Za-z]{3,9})\\.?[ -,]*(\\d{2}|\\d{4})$"));
  return re;
}

// Jan 5, 2024
const QRegularExpression& nameDayDate() {
  static const QRegularExpression re(QStringLiteral("^([A-Za-z]{3,9})\\.? (\\d{1,2}),? (\\d{4})$"));
  return re;
}

int monthOfName(const QString& name) {
  static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
  const QString start = name.left(3).toLower();
  for (int m = 0; m < 12; ++m)
    if (start == QLatin1String(kMonths[m])) return m + 1;
  return 0;
}

int fullYear(const QString& text, bool quoted) {
  const int year = text.toInt();
  if (text.size() > 2 && !quoted) return year;
  if (quoted) return 2000 + year;
  return year < 80 ? 2000 + year : 1900 + year;
}

}  // namespace

std::optional<double> Amount(const QString& text, bool decimalComma) {
  QString s = text.trimmed();
  bool negative = false;
  static const QRegularExpression sign(QStringLiteral("\\s*(CR|DR)$"),
                                       QRegularExpression::CaseInsensitiveOption);
  if (const auto m = sign.match(s); m.hasMatch()) {
    negative = m.captured(1).toUpper() == QLatin1String("DR");
    s.chop(m.capturedLength(0));
  }
  // A currency code or symbol before or after the number.
  static const QRegularExpression currency(
      QStringLiteral("^[A-Z]{3}\\s*|\\s*[A-Z]{3}$|[$£€¥]|\\s|\u00a0|'"));
  s.remove(currency);
  if (s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'))) {
    negative = !negative;
    s = s.mid(1, s.size() - 2);
  }
  if (s.endsWith(QLatin1Char('-'))) {
    negative = !negative;
    s.chop(1);
  } else if (s.startsWith(QLatin1Char('-'))) {
    negative = !negative;
    s.remove(0, 1);
  } else if (s.startsWith(QLatin1Char('+'))) {
    s.remove(0, 1);
  }
  s.remove(currency);
  static const QRegularExpression shape(QStringLiteral("^\\d[\\d.,]*$|^[.,]\\d+$"));
  if (!shape.match(s).hasMatch()) return std::nullopt;
  const qsizetype lastPoint = s.lastIndexOf(QLatin1Char('.'));
  const qsizetype lastComma = s.lastIndexOf(QLatin1Char(','));
  QChar decimal = QLatin1Char('.');
  if (lastPoint >= 0 && lastComma >= 0) {
    decimal = lastPoint > lastComma ? QLatin1Char('.') : QLatin1Char(',');
  } else if (lastComma >= 0) {
    const bool single = s.count(QLatin1Char(',')) == 1;
    decimal = single && s.size() - lastComma - 1 <= 2 ? QLatin1Char(',') : QLatin1Char('x');
  } else if (lastPoint >= 0) {
    const bool single = s.count(QLatin1Char('.')) == 1;
    const bool thousands = !single || (decimalComma && s.size() - lastPoint - 1 == 3);
    decimal = thousands ? QLatin1Char('x') : QLatin1Char('.');
  }
  // What is not the decimal separator groups thousands: groups of three digits.
  const QChar grouping = decimal == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
  QString whole = s;
  QString fraction;
  if (decimal != QLatin1Char('x')) {
    const qsizetype at = s.lastIndexOf(decimal);
    whole = s.left(at);
    fraction = s.mid(at + 1);
    if (fraction.contains(QLatin1Char('.')) || fraction.contains(QLatin1Char(',')))
      return std::nullopt;
  }
  const QStringList groups = whole.split(
      decimal == QLatin1Char('x') ? QRegularExpression(QStringLiteral("[.,]"))
                                  : QRegularExpression(QRegularExpression::escape(grouping)));
  for (qsizetype i = 1; i < groups.size(); ++i)
    if (groups[i].size() != 3) return std::nullopt;
  if (groups.size() > 1 && (groups[0].isEmpty() || groups[0].size() > 3)) return std::nullopt;
  bool ok = false;
  const double value = (groups.join(QString()) + QLatin1Char('.') + fraction).toDouble(&ok);
  if (!ok) return std::nullopt;
  return negative ? -value : value;
}

bool LooksLikeDate(const QString& text) {
  const QString s = text.trimmed();
  for (const QRegularExpression* re :
       {&numericDate(), &isoDate(), &dayNameDate(), &nameDayDate()}) {
    if (re->match(s).hasMatch()) return true;
  }
  return s.size() >= 8 && compactDate().match(s).hasMatch() &&
         Date(s, DateOrder::YearFirst).isValid();
}

DateOrder DetectOrder(const QStringList& dates, const std::vector<int>& lines) {
  bool numeric = false;
  int dayFirstLine = 0, monthFirstLine = 0;
  for (qsizetype i = 0; i < dates.size(); ++i) {
    const auto m = numericDate().match(dates[i].trimmed());
    if (!m.hasMatch()) continue;
    numeric = true;
    const int line = i < static_cast<qsizetype>(lines.size()) ? lines[i] : 0;
    if (m.captured(1).toInt() > 12 && dayFirstLine == 0) dayFirstLine = line;
    if (m.captured(2).toInt() > 12 && monthFirstLine == 0) monthFirstLine = line;
  }
  if (dayFirstLine != 0 && monthFirstLine != 0) {
    throw StatementError(std::max(dayFirstLine, monthFirstLine),
                         QStringLiteral("the dates are written day-first on line %1 and "
                                        "month-first on line %2")
                             .arg(dayFirstLine)
                             .arg(monthFirstLine));
  }
  if (dayFirstLine != 0) return DateOrder::DayFirst;
  if (monthFirstLine != 0) return DateOrder::MonthFirst;
  if (numeric) throw AmbiguousDates();
  return DateOrder::YearFirst;
}

QDate Date(const QString& text, DateOrder order) {
  const QString s = text.trimmed();
  if (auto m = isoDate().match(s); m.hasMatch())
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
  if (auto m = numericDate().match(s); m.hasMatch()) {
    const bool quoted = s.contains(QLatin1Char('\''));
    const int a = m.captured(1).toInt(), b = m.captured(2).toInt();
    const int year = fullYear(m.captured(3), quoted);
    if (order == DateOrder::DayFirst) return QDate(year, b, a);
    if (order == DateOrder::MonthFirst) return QDate(year, a, b);
    return QDate();
  }
  if (auto m = dayNameDate().match(s); m.hasMatch())
    return QDate(fullYear(m.captured(3), false), monthOfName(m.captured(2)), m.captured(1).toInt());
  if (auto m = nameDayDate().match(s); m.hasMatch())
    return QDate(m.captured(3).toInt(), monthOfName(m.captured(1)), m.captured(2).toInt());
  if (auto m = compactDate().match(s); m.hasMatch())
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
  return QDate();
}

}  // namespace StatementText
