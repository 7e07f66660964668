// Books for the command-line tests: the report tests' hand-made year (SummaryBooks) with
// their settings stored, as the tool reads them from TALY1.
#pragma once

#include "SummaryBooks.h"

// SummaryBooks with the settings the report tests use (fiscal year from 1 July, the tax
// named GST) stored in TALY1, every index built and every table closed, as the window
// program leaves books between commands.
struct CliBooks : SummaryBooks {
  CliBooks() {
    code4close(db.code());
    db.OpenSettings();
    db.WriteSettings();
    code4close(db.code());
  }
  std::string dir() const { return data.books.dir(); }
  QString file(const char* name) const { return QString::fromStdString(data.books.path(name)); }
};
