#include "DateConversions.h"

#include <algorithm>

#include "Clock.h"

namespace {

constexpr int kWindowBack = 60;   // years before the current year where the window starts
constexpr int kWindowSpan = 100;  // years in the window

}  // namespace

QString DateConversions::DateToDTOS(const QDate& date) const {
  if (!date.isValid()) return QString();
  const QDate windowed = WindowYear(date);
  return QString::asprintf("%04d%02d%02d", windowed.year(), windowed.month(), windowed.day());
}

QDate DateConversions::DTOSToDate(const QString& text) {
  // Views, not copies: every date of every record read passes through here.
  const QStringView view(text);
  if (view.trimmed().size() < 8) return QDate();
  // The parts are read at their fixed places in the text as stored.
  bool yearOk = false, monthOk = false, dayOk = false;
  const int year = view.mid(0, 4).toInt(&yearOk);
  const int month = view.mid(4, 2).toInt(&monthOk);
  const int day = view.mid(6, 2).toInt(&dayOk);
  if (!yearOk || !monthOk || !dayOk || year < 1) return QDate();
  return QDate(year, month, day);  // null when the three do not form a date
}

QDate DateConversions::StoredToDate(std::string_view stored) {
  // A date as every record stores it, eight digits, is read in place; anything else as
  // text, by the same rule.
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (stored.size() != 8 || !std::all_of(stored.begin(), stored.end(), digit)) {
    return DTOSToDate(QString::fromLatin1(stored.data(), static_cast<qsizetype>(stored.size())));
  }
  const auto number = [&](std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) value = value * 10 + (stored[i] - '0');
    return value;
  };
  const int year = number(0, 4);
  if (year < 1) return QDate();
  return QDate(year, number(4, 2), number(6, 2));
}

QDate DateConversions::WindowYear(const QDate& date) const {
  const int low = clock_.today().year() - kWindowBack;
  int year = date.year();
  if (year < low) {
    year += kWindowSpan;
  } else if (year >= low + kWindowSpan) {
    year -= kWindowSpan;
  }
  const QDate moved(year, date.month(), date.day());
  return moved.isValid() ? moved : date;
}
