// The window program's host: a fatal message is an information box with an OK button;
// the end leaves the process at once.
#pragma once

#include "ProgramHost.h"

class Ui;

class UiProgramHost : public ProgramHost {
 public:
  explicit UiProgramHost(Ui& ui) : ui_(ui) {}  // ui must outlive this object

 protected:
  void tell(const QString& message) override;
  [[noreturn]] void endWith(int exitCode) override;

 private:
  Ui& ui_;
};
