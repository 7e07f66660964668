// What the main window takes from the machine: the user (through the Ui), the end of the program,
// the clocks, the file system, the data directory and the way to other books. The program entry
// passes the real ones; tests pass stand-ins.
#pragma once

#include <string>

#include "Clock.h"
#include "WaitClock.h"
#include "xbase/FileSystem.h"

class BooksChooser;
class ProgramHost;
class Ui;

struct Environment {
  Ui& ui;
  ProgramHost& host;     // the end of the program
  const Clock& clock;    // today's date: year window, current month
  WaitClock& waitClock;  // the splash's minimum time
  xbase::FileSystem& files;
  std::string dataDirectory;  // the directory holding the six tables
  // Other books for the File menu's Open Books and recent books; none: the menu offers
  // only Exit.
  BooksChooser* books = nullptr;
  // Where the backup chooser starts, outside the books (made on first use); empty: the
  // folder "Tallyworth-backups" in the user's home.
  std::string backupsDirectory;
};
