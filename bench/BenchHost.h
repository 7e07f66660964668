// What the benchmarks give the data layer: a host that turns a fatal error into an
// exception, and a progress sink that shows nothing.
#pragma once

#include <QString>
#include <stdexcept>

#include "ProgramHost.h"
#include "ProgressSink.h"

class ThrowingHost : public ProgramHost {
 public:
  void fatal(const QString& message) override { throw std::runtime_error(message.toStdString()); }
};

class NoProgress : public ProgressSink {
 public:
  void ShowStatus(const QString&) override {}
  void ShowProgress(int) override {}
};
