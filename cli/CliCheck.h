// The check command: every table of the books against its header and every tag of its
// index group, and against what the program needs of it (BooksCheck), one line per
// finding; index files that are merely missing are noted, since every start builds them.
// With repair, every table with a finding mended (RepairTable: the header's record count
// without losing a record, the index group rebuilt from the table definitions; default
// settings written into a settings table without valid ones), each step said, and the
// books checked again.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "xbase/FileSystem.h"

struct TableDefinition;

class CliCheck {
 public:
  // fs, out and err must outlive the object.
  CliCheck(xbase::FileSystem& fs, std::string directory, std::ostream& out, std::ostream& err)
      : fs_(fs), directory_(std::move(directory)), out_(out), err_(err) {}

  // Prints each finding as "FILE: problem" on the output stream. Without repair returns
  // kExitOk when there is none, else kExitFailed, having changed nothing. With repair
  // mends the tables with findings, prints what the check after finds still wrong and
  // returns kExitOk only when that is nothing. REQUIRES: no table open.
  int Run(bool repair);

 private:
  struct Faulty {
    const TableDefinition* definition;
    bool tableWrong;     // the table or its tags need the repair
    bool settingsWrong;  // the settings record needs writing
  };
  // Checks every table; prints the findings (prefixed with prefix) and returns the tables
  // that have any beyond missing index files.
  std::vector<Faulty> checkAll(const char* prefix);
  // Mends one table, printing what was done; false when a step failed.
  bool repair(const Faulty& faulty);

  xbase::FileSystem& fs_;
  const std::string directory_;
  std::ostream& out_;
  std::ostream& err_;
};
