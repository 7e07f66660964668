// The check command: every table of the books against its header and every tag of its
// index group (xbase CheckTable), one line per finding; with repair, every table with a
// finding mended (RepairTable: the header's record count, the index group rebuilt from
// the table definitions) and the books checked again.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "xbase/FileSystem.h"

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
  // Checks every table; prints the findings (prefixed with prefix) and returns the base
  // names of the tables that have any.
  std::vector<std::string> checkAll(const char* prefix);

  xbase::FileSystem& fs_;
  const std::string directory_;
  std::ostream& out_;
  std::ostream& err_;
};
