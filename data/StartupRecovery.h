// Start-up care for books whose last session died (power cut, killed process) with tables
// open. A marker file in the data directory exists exactly while a session may be writing;
// finding it at start-up is the cheap sign that the last session did not end cleanly, and
// only then is every table checked against its tags, and mended where they disagree,
// before anything uses them. Used by the window program and the command-line tool.
#pragma once

#include <string>
#include <vector>

#include "xbase/FileSystem.h"
#include "xbase/TableCheck.h"

struct RepairedTable {
  std::string baseName;                       // e.g. "GSTEXP1"
  std::vector<xbase::TableFinding> findings;  // what the check found
  int result = 0;                             // RepairTable's: 0, or a negative Status code
  std::vector<std::string> done;              // what the repair did, one line each
};

class StartupRecovery {
 public:
  // Present while a session may write; holds nothing.
  static constexpr char kMarkerFileName[] = "Tallyworth.open";

  // Starts a session on directory: finishes what an interrupted restore or pack left
  // (InterruptedWork; its lines go to *notes when given); when the marker is there, checks
  // the six tables and repairs each that disagrees with its tags (a full scan, only after
  // a session died), and otherwise repairs any table whose header count disagrees with its
  // file's length (a header read each); then, with mark, leaves the marker in place for
  // this session (a session that only reads needs none: MarkSession when it must write).
  // Returns the tables found wrong and the outcome of each repair; empty after a clean
  // end. *marked (when given) tells whether the marker could be written (not on
  // read-only books). REQUIRES: the directory's lock is held and no table is open.
  static std::vector<RepairedTable> BeginSession(xbase::FileSystem& fs,
                                                 const std::string& directory,
                                                 bool* marked = nullptr,
                                                 std::vector<std::string>* notes = nullptr,
                                                 bool mark = true);
  // Writes the marker, forced to disk, before a session's first write. False when it
  // could not be written.
  static bool MarkSession(xbase::FileSystem& fs, const std::string& directory);
  // Checks the six tables and repairs those that disagree, whatever the marker says.
  // Returns what BeginSession returns. REQUIRES: as for BeginSession.
  static std::vector<RepairedTable> CheckAndRepair(xbase::FileSystem& fs,
                                                   const std::string& directory);
  // Ends the session: removes the marker. Returns false when it was there and stays.
  // REQUIRES: every table closed (closing them forced their files to disk).
  static bool EndSession(xbase::FileSystem& fs, const std::string& directory);
  // Whether the marker is there: the last session has not ended cleanly.
  static bool LastSessionDied(xbase::FileSystem& fs, const std::string& directory);
};
