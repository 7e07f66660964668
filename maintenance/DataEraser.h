// Erasing the data (to clear the sample data the program is delivered with): a chain of
// questions, each an OK/Cancel box, that empties the income and expense tables and then,
// only where the records using them are gone, the charts of accounts and the folders.
#pragma once

class Database;
class Prompts;

class DataEraser {
 public:
  // db and ui must outlive the object.
  DataEraser(Database& db, Prompts& ui) : db_(db), ui_(ui) {}

  // Asks in turn "ERASE ALL INCOME DATA?" and "ERASE ALL EXPENSE DATA?"; then, only when
  // income was erased, "ERASE ALL INCOME ACCOUNT DEFINITIONS?"; only when expenses were,
  // "ERASE ALL EXPENSE ACCOUNT DEFINITIONS?"; only when both were, "ERASE ALL FOLDER
  // DEFINITIONS?". Each OK removes every record of its table; a table that could not be
  // emptied counts as not erased. Leaves every table closed.
  // REQUIRES: no table open.
  void EraseData();

 private:
  Database& db_;
  Prompts& ui_;
};
