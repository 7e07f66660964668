// What the benchmarks give the data layer: a host that turns a fatal error into an
// exception, and a progress sink that shows nothing.
#pragma once

#include <QString>
#include <stdexcept>

#include "ProgramHost.h"
#include "ProgressSink.h"

class ThrowingHost : public ProgramHost {
 protected:
  void tell(const QString& message) override { message_ = message; }
  void endWith(int) override { throw std::runtime_error(message_.toStdString()); }

 private:
  QString message_;
};

class NoProgress : public ProgressSink {
 public:
  void ShowStatus(const QString&) override {}
  void ShowProgress(int) override {}
};
