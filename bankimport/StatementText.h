// Amounts and dates as banks write them, shared by the statement readers.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "Statement.h"

namespace StatementText {

// An amount with a sign, in parentheses, with a trailing minus, CR or DR, a currency
// symbol or code, thousands separators, a decimal point or comma. decimalComma: in a
// single "1.234" the point separates thousands. Empty when text is no amount.
std::optional<double> Amount(const QString& text, bool decimalComma = false);

// The order that every date of dates is read in: YearFirst when none has day and month
// both as numbers, DayFirst or MonthFirst when one date shows which (13/01 or 01/13).
// Throws AmbiguousDates when none shows it, StatementError (line of the first conflicting
// date) when two dates disagree. lines: the file line of each date, for the message.
DateOrder DetectOrder(const QStringList& dates, const std::vector<int>& lines);

// The date text as order says (ignored for ISO, yyyymmdd and month-name dates). Two-digit
// years are 2000 to 2079, else 1900s; QIF's 1/25'24 is 2024. Null when text is no date.
QDate Date(const QString& text, DateOrder order);

// Whether text looks like a date in any order.
bool LooksLikeDate(const QString& text);

}  // namespace StatementText
