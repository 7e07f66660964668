// A program host that records the fatal message and throws TestProgramEnd instead of
// ending the test program.
#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

#include "ProgramHost.h"

struct TestProgramEnd : std::runtime_error {
  explicit TestProgramEnd(const QString& message) : std::runtime_error(message.toStdString()) {}
};

class TestHost : public ProgramHost {
 public:
  QStringList messages;  // every fatal message, in order

 protected:
  void tell(const QString& message) override { messages.append(message); }
  void endWith(int) override { throw TestProgramEnd(messages.value(messages.size() - 1)); }
};
