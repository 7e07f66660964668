// The data layer's program host over the Ui: a fatal error is an information box with an
// OK button, then the end of the program.
#pragma once

#include "ProgramHost.h"

class Ui;

class UiProgramHost : public ProgramHost {
 public:
  explicit UiProgramHost(Ui& ui) : ui_(ui) {}  // ui must outlive this object
  [[noreturn]] void fatal(const QString& message) override;

 private:
  Ui& ui_;
};
