// Table-wide maintenance: rebuilding the index files from the table definitions and
// packing deleted records away. Each call opens and closes the tables itself; no table
// may be open when it starts.
#pragma once

#include <string>

#include "TableAccess.h"

class ProgramHost;
class ProgressSink;
struct TableDefinition;

enum class RebuildMode {
  Full,         // every table (user command, after a restore), with progress
  MissingOnly,  // only tables with an index file missing (start-up), silently
};

class IndexMaintenance {
 public:
  // The referenced objects must outlive this one.
  IndexMaintenance(CODE4& code, ProgramHost& host, ProgressSink& progress)
      : code_(code), host_(host), progress_(progress) {}

  // Re-creates the index groups of the five indexed tables and of the bank import's
  // tables the books have. A table that cannot be opened or indexed ends the program
  // through the host. Returns the number of tables whose indexes were rebuilt.
  int RebuildIndexes(RebuildMode mode);
  // Removes the deleted records of table baseName for good and rebuilds its tags. When the
  // table cannot be opened or packed its error is left pending for the caller.
  // Returns the number of records removed.
  long PackTable(const std::string& baseName);
  // Packs the five indexed tables, showing progress. Stops at the first table whose pack
  // failed, with its error left pending for the caller's error4exitTest.
  // Returns the number of records removed.
  long PackAllTables();

 private:
  bool anyIndexFileMissing(const TableDefinition& table);
  // Re-creates table's index group; ends the program through the host when it cannot.
  void rebuild(const TableDefinition& table);

  CODE4& code_;
  ProgramHost& host_;
  ProgressSink& progress_;
};
