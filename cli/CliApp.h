// One run of tallyworth-cli: parses the command line, checks the data directory and the
// paths named, takes the data directory's lock for the whole run (the window program's
// lock, so neither runs while the other holds the books), does the start-up the window
// program does (missing indexes rebuilt, settings read) and hands over to the command.
//
// Everything the command line names is checked before anything is written: a usage error
// or a bad value exits 2 with one line on the error stream and the books as they were.
#pragma once

#include <QStringList>
#include <ostream>

class Clock;

class CliApp {
 public:
  // out, err and clock must outlive the object. terminal: err is a terminal, so
  // progress bars are drawn on it.
  CliApp(std::ostream& out, std::ostream& err, bool terminal, const Clock& clock)
      : out_(out), err_(err), terminal_(terminal), clock_(clock) {}

  // Runs the command of arguments (without the program name); returns the exit status.
  // REQUIRES: a QApplication (reports lay out text in fonts).
  int Run(const QStringList& arguments);

 private:
  std::ostream& out_;
  std::ostream& err_;
  const bool terminal_;
  const Clock& clock_;
};
