// Expected lines of an exported report, written by hand: each text at the character
// position worked out from its column (a right-aligned "R67" amount of 13 characters
// starts at 54), blanks filling the gaps.
#pragma once

#include <QString>
#include <QStringList>

#include "ReportDocument.h"
#include "ReportExport.h"

class ExportedText {
 public:
  // Appends text at 0-based position; directly after the line when it is already longer.
  ExportedText& at(int position, const QString& text) {
    line_ = line_.leftJustified(position, QLatin1Char(' ')) + text;
    return *this;
  }
  operator QString() const { return line_; }

 private:
  QString line_;
};

inline QStringList fixedColumns(const ReportDocument& document) {
  return ReportExport::Lines(document, ReportExport::Layout::FixedColumns);
}

inline QStringList tabDelimited(const ReportDocument& document) {
  return ReportExport::Lines(document, ReportExport::Layout::TabDelimited);
}
