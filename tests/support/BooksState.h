// The state of a set of books as a test compares it before and after a failure: every
// record of every table as stored, every disagreement between a table and its tags, and
// the names of the files in the data directory.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "TableDefinitions.h"
#include "xbase/Engine.h"
#include "xbase/FileSystem.h"
#include "xbase/Status.h"
#include "xbase/Table.h"
#include "xbase/TableCheck.h"

// Each table's records in record order, each as its deletion flag and its field texts; a
// table that will not open, or a record that will not read, shows as a line saying so.
inline std::map<std::string, std::vector<std::string>> storedRecords(xbase::FileSystem& fs,
                                                                     const std::string& dir) {
  xbase::Engine engine(fs, dir);
  engine.autoOpen = false;
  std::map<std::string, std::vector<std::string>> tables;
  for (const TableDefinition* definition : TableDefinitions::all()) {
    std::vector<std::string>& rows = tables[definition->baseName];
    xbase::Table* table = engine.open(definition->baseName);
    if (table == nullptr) {
      rows.push_back(std::string("cannot open: ") + xbase::statusText(engine.takeError()));
      continue;
    }
    for (long recno = 1; recno <= table->recCount(); ++recno) {
      if (table->go(recno) != xbase::kSuccess) {
        rows.push_back("record " + std::to_string(recno) + " unreadable");
        continue;
      }
      std::string row = table->deleted() ? "*" : " ";
      for (int i = 0; i < table->fieldCount(); ++i) row += table->field(i)->str() + "|";
      rows.push_back(row);
    }
    engine.close(table);
  }
  return tables;
}

// What is wrong between each indexed table and its tags, one "file: problem" line each;
// empty when every tag agrees with its table.
inline std::vector<std::string> tagFindings(xbase::FileSystem& fs, const std::string& dir) {
  std::vector<std::string> lines;
  for (const TableDefinition* definition : TableDefinitions::indexed()) {
    for (const xbase::TableFinding& finding :
         xbase::CheckTable(fs, dir, definition->baseName, definition->groupName)) {
      lines.push_back(finding.file + ": " + finding.problem);
    }
  }
  return lines;
}

// The names of the files in a directory on the machine's disk.
inline std::set<std::string> fileNames(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}
