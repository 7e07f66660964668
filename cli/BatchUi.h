// The user of a script: nobody to ask. Every message goes to the error stream as plain
// lines; a question is answered Cancel (OK/Cancel) or No (Yes/No), so an operation that
// would ask (a full or write-protected disk during a backup) gives up. Modal windows are
// never shown (Rejected) and no dialog is opened. A fatal error of the data layer and the
// end of the program unwind to the tool's main as BatchEnd.
#pragma once

#include <ostream>

#include "ProgramHost.h"
#include "Ui.h"

// Thrown to end the run with status.
struct BatchEnd {
  int status;
};

class BatchUi : public Ui, public ProgramHost {
 public:
  // err must outlive the object.
  explicit BatchUi(std::ostream& err) : err_(err) {}

  // Writes text to the error stream, one line per line of text (CR LF becomes LF).
  void Tell(const QString& text);

  Answer message(Type type, Buttons buttons, const QString& text) override;
  int showModal(QDialog& form) override;
  void errorBox(const QString& text) override { Tell(text); }
  QFont chooseFont(const QFont& initial) override { return initial; }
  bool pageSetup(QPrinter&) override { return false; }
  QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
  QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
  QString directory(const QString&, const QString&) override { return {}; }
  void showHelp(int) override {}
  void showHelpContents() override {}

  // Tells message and ends the run with status 1.
  [[noreturn]] void fatal(const QString& message) override;

 protected:
  [[noreturn]] void end(int exitCode) override { throw BatchEnd{exitCode}; }

 private:
  std::ostream& err_;
};
