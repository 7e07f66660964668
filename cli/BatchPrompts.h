// The user of a script: nobody to ask. Every message goes to the error stream as plain
// lines; a question is answered Cancel (OK/Cancel) or No (Yes/No), so an operation that
// would ask (a full or write-protected disk during a backup) gives up. A fatal error of the
// data layer and the end of the program unwind to the tool's main as BatchEnd.
#pragma once

#include <ostream>

#include "ProgramHost.h"
#include "Prompts.h"

// Thrown to end the run with status.
struct BatchEnd {
  int status;
};

class BatchPrompts : public Prompts, public ProgramHost {
 public:
  // err must outlive the object.
  explicit BatchPrompts(std::ostream& err) : err_(err) {}

  // Writes text to the error stream, one line per line of text (CR LF becomes LF).
  void Tell(const QString& text);

  Answer message(Type type, Buttons buttons, const QString& text) override;
  void errorBox(const QString& text) override { Tell(text); }

 protected:
  void tell(const QString& message) override { Tell(message); }
  [[noreturn]] void endWith(int exitCode) override { throw BatchEnd{exitCode}; }

 private:
  std::ostream& err_;
};
