// A bank statement as the readers give it: the lines in file order, each with the line of
// the file it came from, so that everything said about it can name that line.
#pragma once

#include <QDate>
#include <QString>
#include <stdexcept>
#include <vector>

struct StatementLine {
  int fileLine = 0;  // where the line (its record, in QIF and OFX) starts in the file
  QDate date;
  double amount = 0;  // money in positive, money out negative
  QString description;
  QString bankId;    // the bank's own transaction id; empty when the format has none
  long checkNo = 0;  // cheque number where the bank gives one
};

struct Statement {
  QString account;  // the bank account it is of, as the file or the profile names it
  std::vector<StatementLine> lines;
};

// How a day and a month are ordered in dates such as 03/04/2024.
enum class DateOrder { Unknown, DayFirst, MonthFirst, YearFirst };

// A file the readers refuse: what is wrong, on which line of the file.
class StatementError : public std::runtime_error {
 public:
  StatementError(int line, const QString& what)
      : std::runtime_error(what.toStdString()), line_(line), what_(what) {}
  int line() const { return line_; }
  // "Line 12: '3l.50' is not an amount"
  QString message() const { return QStringLiteral("Line %1: %2").arg(line_).arg(what_); }

 private:
  int line_;
  QString what_;
};

// Dates that could be day-first or month-first: the reader needs to be told which.
class AmbiguousDates : public std::runtime_error {
 public:
  AmbiguousDates() : std::runtime_error("ambiguous dates") {}
};
