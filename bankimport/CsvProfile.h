// How one bank lays out its CSV statements: the separator, whether a header row comes
// first, which column holds what, and the order of day and month in its dates. Saved by
// name in the books (BankTables) so the next statement of that bank reads alike.
#pragma once

#include <QChar>
#include <QString>

#include "Statement.h"

struct CsvProfile {
  QString name;
  QChar separator = QLatin1Char(',');
  bool header = true;
  // Columns count from 1; 0: the statement has none. Either amountColumn or the debit and
  // credit columns (money out, money in) give the amount.
  int dateColumn = 0;
  int descriptionColumn = 0;
  int amountColumn = 0;
  int debitColumn = 0;
  int creditColumn = 0;
  int idColumn = 0;
  DateOrder dateOrder = DateOrder::Unknown;  // Unknown: detect from the dates
  QString account;                           // the bank account its statements are of

  // The highest column the profile reads.
  int lastColumn() const;
  // What is missing for the profile to read a statement; empty when nothing.
  QString problem() const;
  bool operator==(const CsvProfile&) const = default;
};

// Three-letter names of date orders as the profile table stores them.
QString DateOrderCode(DateOrder order);
DateOrder DateOrderOfCode(const QString& code);
