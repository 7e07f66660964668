// All or nothing for the bank statement import. Before it appends, the import writes a
// marker file naming each table it will append to with its record count; it removes the
// marker once every table is closed and on disk. A failure part-way, or a marker found at
// the next start (the process was killed), cuts the tables back to those counts and
// builds their index groups anew, so the books are as before the import.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "xbase/FileSystem.h"

class InterruptedImport {
 public:
  static constexpr char kMarker[] = "Tallyworth.importing";

  struct Count {
    std::string baseName;
    std::uint32_t records;
  };

  // The record count in the header of table baseName; 0 when it has no file.
  static std::uint32_t RecordCount(xbase::FileSystem& fs, const std::string& directory,
                                   const std::string& baseName);
  // Writes the marker with counts and forces it to disk. False when it could not.
  static bool Begin(xbase::FileSystem& fs, const std::string& directory,
                    const std::vector<Count>& counts);
  // The import stands: removes the marker. REQUIRES: its tables closed and synced.
  static bool End(xbase::FileSystem& fs, const std::string& directory);
  // When the marker is there: cuts every table it names back to its count, rebuilds that
  // table's index group and removes the marker. Returns one line per thing done, for the
  // user. REQUIRES: no table open.
  static std::vector<std::string> RollBack(xbase::FileSystem& fs, const std::string& directory);
};
