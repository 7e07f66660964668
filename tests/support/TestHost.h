// A program host that records the fatal message and throws TestProgramEnd instead of
// ending the test program.
#pragma once

#include <QString>
#include <stdexcept>

#include "ProgramHost.h"

struct TestProgramEnd : std::runtime_error {
  explicit TestProgramEnd(const QString& message) : std::runtime_error(message.toStdString()) {}
};

class TestHost : public ProgramHost {
 public:
  void fatal(const QString& message) override {
    messages.append(message);
    throw TestProgramEnd(message);
  }
  QStringList messages;  // every fatal message, in order
};
