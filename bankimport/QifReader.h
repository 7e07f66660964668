// QIF statements (Quicken interchange): one transaction per record of D (date), T or U
// (amount), P (payee), M (memo) and N (cheque number) lines, ended by ^. Headers (!Type,
// !Account with its N name) and the lines of other codes (categories, splits, cleared
// marks) are passed over.
#pragma once

#include <QString>

#include "Statement.h"

class QifReader {
 public:
  // Throws StatementError for a transaction it cannot read, AmbiguousDates as CsvReader.
  static Statement Read(const QString& text, DateOrder order = DateOrder::Unknown);
};
