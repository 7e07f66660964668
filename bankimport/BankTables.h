// The import's own tables in the books folder (TableDefinitions::bank()): made with their
// index groups when first needed, read and written here. Rules are kept in their order
// (SEQ 1, 2, ...); profiles by name.
#pragma once

#include <vector>

#include "BankRule.h"
#include "CsvProfile.h"
#include "TableAccess.h"

class Database;
struct TableDefinition;

class BankTables {
 public:
  // Makes table's file when the books lack it, and its index group when any of its index
  // files is missing (a restore brings tables without them). False, with the engine's
  // error pending, when that failed. REQUIRES: table not open.
  static bool Ensure(CODE4* code, const TableDefinition& table);
  // Ensure, then opens table with its tags; null with the error pending on failure.
  static DATA4* Open(CODE4* code, const TableDefinition& table);

  // The rules in order; none when the books have no rule table or it cannot be read.
  // Leaves it closed.
  static std::vector<BankRule> LoadRules(Database& db);
  // Replaces the stored rules with rules, in their order. False when the table could not
  // be written. REQUIRES: no table open; every rule without problem().
  static bool SaveRules(Database& db, const std::vector<BankRule>& rules);

  static std::vector<CsvProfile> LoadProfiles(Database& db);
  // The profile named name (any case), when stored.
  static std::optional<CsvProfile> FindProfile(Database& db, const QString& name);
  // Stores profile under its name, replacing one of the same name (any case).
  static bool SaveProfile(Database& db, const CsvProfile& profile);
};
