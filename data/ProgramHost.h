// The one way the program ends, for the windows, the command line and the data layer
// alike. The window program ends its process; the command line unwinds to its main; tests
// unwind to the test.
#pragma once

#include <QString>
#include <cstdlib>

class ProgramHost {
 public:
  virtual ~ProgramHost() = default;

  // Ends the program with exitCode. Tables must be closed before.
  [[noreturn]] void end(int exitCode) {
    endWith(exitCode);
    std::abort();  // a host whose endWith returned must not let its caller go on
  }
  // Tells the user message (an information box with an OK button), then ends with 1.
  [[noreturn]] void fatal(const QString& message) {
    tell(message);
    end(1);
  }

 protected:
  virtual void tell(const QString& message) = 0;
  // Ends the process, or throws to unwind to the run's or the test's end.
  virtual void endWith(int exitCode) = 0;
};
