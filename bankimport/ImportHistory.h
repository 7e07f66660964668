// The lines imported before (BANKHIST): one record per statement line imported, keyed by
// the statement's account with the line's date, amount and description, and by the
// account with the bank's transaction id. A later statement that overlaps is recognised
// by seeks in these keys, never by reading the table through.
#pragma once

#include <QString>

#include "BankRule.h"
#include "Statement.h"
#include "TableAccess.h"

class ImportHistory {
 public:
  // data: BANKHIST open with its tags (BankTables::Open).
  explicit ImportHistory(DATA4* data);

  // How many imported lines of account have line's date, amount and description.
  int CountSame(const QString& account, const StatementLine& line);
  // Whether a line of account with the bank id id was imported.
  bool HasId(const QString& account, const QString& id);
  // Records line of account as imported as kind into record recno on date today. False
  // when the table refused the append.
  bool Add(const QString& account, const StatementLine& line, EntryKind kind, long recno,
           const QDate& today);

 private:
  std::string text(FIELD4* field, const QString& value) const;
  std::string lineKey(const QString& account, const StatementLine& line) const;

  DATA4* data_;
  FIELD4* account_;
  FIELD4* date_;
  FIELD4* amount_;
  FIELD4* description_;
  FIELD4* id_;
  FIELD4* kind_;
  FIELD4* recno_;
  FIELD4* imported_;
  TAG4* byLine_;
  TAG4* byId_;
};
