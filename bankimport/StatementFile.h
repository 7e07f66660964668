// A statement file of any format the import reads: OFX/QFX, QIF or CSV, told apart by
// what the file holds, its name only where the content leaves it open. Text is UTF-8, or
// Windows-1252 where it is not valid UTF-8 (older bank exports).
#pragma once

#include <QString>
#include <optional>

#include "CsvProfile.h"
#include "Statement.h"

class StatementFile {
 public:
  enum class Format { Csv, Qif, Ofx };

  struct Result {
    bool ok = false;
    QString message;              // why the file was refused: names the line and the fault
    bool datesAmbiguous = false;  // refused only because the day-month order is unknown
    bool columnsUnknown = false;  // CSV: refused because the profile lacks a column
    Format format = Format::Csv;
    CsvProfile profile;  // CSV: the profile read with (given or detected)
    Statement statement;
  };

  // Reads path. A CSV file is read with profile, or with the profile detected when none
  // is given; order, when not Unknown, says how the dates of a CSV or QIF file are written.
  static Result Read(const QString& path, const std::optional<CsvProfile>& profile,
                     DateOrder order = DateOrder::Unknown);
  // The same for the text of a file named name.
  static Result ReadText(const QString& text, const QString& name,
                         const std::optional<CsvProfile>& profile,
                         DateOrder order = DateOrder::Unknown);
  static QString Decode(const QByteArray& bytes);
};
