// The small table the index and key expression fuzzers work against: every field type
// the engine reads, a handful of records (one deleted), built by the engine itself in an
// in-memory file system so each run starts from the same bytes.
#pragma once

#include <string>
#include <vector>

#include "FaultFileSystem.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace fuzz {

inline const char kDirectory[] = "/books";
inline const char kTableName[] = "SMALL";

inline std::vector<xbase::FieldSpec> smallFields() {
  return {{"NAME", 'C', 10},
          {"AMOUNT", 'N', 9, 2},
          {"DAY", 'D', 8},
          {"PAID", 'L', 1},
          {"NO", 'N', 4, 0}};
}

struct SmallRow {
  const char* name;
  const char* amount;
  const char* day;
  const char* paid;
  const char* no;
  bool deleted;
};

inline const std::vector<SmallRow>& smallRows() {
  static const std::vector<SmallRow> rows{
      {"Smith", "12.50", "20240131", "T", "7", false},
      {"adams", "-3.25", "19991231", "F", "12", false},
      {"Smith", "0", "", "", "", false},
      {"", "999999.99", "20000229", "T", "9999", true},
      {"Zed", "1", "20240101", "F", "-999", false},
  };
  return rows;
}

// Writes the table (no index group) into fs under kDirectory. Returns false when the
// engine refused, which only a broken build can cause.
inline bool writeSmallTable(xbase::FileSystem& fs) {
  const std::string path = std::string(kDirectory) + "/" + kTableName + ".dbf";
  int error = 0;
  auto file = fs.open(path, xbase::OpenMode::Create, xbase::LockMode::None, &error);
  if (!file || !xbase::DbfFile::create(std::move(file), smallFields(), &error)) return false;
  xbase::Engine engine(fs, kDirectory);
  xbase::Table* table = engine.open(kTableName);
  if (table == nullptr) return false;
  for (const SmallRow& row : smallRows()) {
    if (table->appendBlank() != xbase::kSuccess) return false;
    const char* values[] = {row.name, row.amount, row.day, row.paid, row.no};
    for (int i = 0; i < table->fieldCount(); ++i) table->field(i)->assign(values[i]);
    if (row.deleted) table->markDeleted();
  }
  return engine.closeAll() == xbase::kSuccess;
}

}  // namespace fuzz
