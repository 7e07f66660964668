// How the data layer ends the program: the owner (the main window) shows the message and
// quits. Tests install a host that records the message and throws.
#pragma once

#include <QString>
#include <stdexcept>

class ProgramHost {
 public:
  virtual ~ProgramHost() = default;
  // Shows message in an information box with an OK button, then ends the program.
  // Must not return; a host that returns makes the caller throw FatalErrorReturned.
  virtual void fatal(const QString& message) = 0;
};

// Thrown when ProgramHost::fatal returned, so that no caller goes on past a fatal error.
class FatalErrorReturned : public std::logic_error {
 public:
  FatalErrorReturned() : std::logic_error("ProgramHost::fatal returned") {}
};
