// The books as the program needs them: the engine's check of each table and its tags, and
// what only the program knows of them: the fields it reads, with their types, the tags it
// seeks by, and the settings record every report and window starts from.
#pragma once

#include <string>
#include <vector>

#include "Records.h"
#include "TableDefinitions.h"
#include "xbase/FileSystem.h"
#include "xbase/TableCheck.h"

class BooksCheck {
 public:
  // Everything wrong with table (one of TableDefinitions) in directory, found without
  // changing a byte. Findings marked indexMissing are mended by the next start.
  static std::vector<xbase::TableFinding> CheckTable(xbase::FileSystem& fs,
                                                     const std::string& directory,
                                                     const TableDefinition& table);
  // Why the table file at path (a backup, say) cannot stand in for table: unreadable, a
  // count that disagrees with its size, a field the program reads missing, records not
  // where the header says. Empty when it can. Reads every record; changes nothing.
  static std::string TableFileProblem(xbase::FileSystem& fs, const std::string& path,
                                      const TableDefinition& table);
  // Whether finding is about the settings record (which WriteDefaultSettings mends).
  static bool IsSettingsFinding(const xbase::TableFinding& finding);
  // Why settings cannot be used (a fiscal year start that is no day, a tax rate outside
  // 0 to 100, no tax name); empty when they can.
  static std::string SettingsProblem(const SettingsRecord& settings);
  // The settings new books and a repaired settings table start with.
  static SettingsRecord DefaultSettings();
  // Writes DefaultSettings into the settings table's first record, appending it when the
  // table holds none. Returns kSuccess or a negative engine code.
  // REQUIRES: no table open on directory.
  static int WriteDefaultSettings(xbase::FileSystem& fs, const std::string& directory);
};
