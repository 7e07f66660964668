// The accounts of both charts and the folders, as numbers with their names, for the
// choices of the preview and the rules and for checking a plan against the books.
#pragma once

#include <QString>
#include <vector>

#include "BankRule.h"

class Database;

struct NamedNumber {
  int number;
  QString name;
};

struct BookChoices {
  std::vector<NamedNumber> expenseAccounts;
  std::vector<NamedNumber> incomeAccounts;
  std::vector<NamedNumber> folders;

  // Reads the live records of ACC, ACCI and FOLDER in number order, then closes every
  // table. REQUIRES: no table open.
  static BookChoices Read(Database& db);
  // The accounts a line of kind takes (none for Ignore).
  const std::vector<NamedNumber>& accountsFor(EntryKind kind) const;
  static bool Holds(const std::vector<NamedNumber>& list, int number);
  // "  12 - Office Supplies", as the program's account and folder boxes show them.
  static QString Item(const NamedNumber& entry);
};
