// CSV statements as banks write them: comma, semicolon or tab separated, fields quoted or
// not (quoted ones may hold separators, doubled quotes and line breaks), a byte-order mark,
// CRLF or LF, lines of account details before the columns start.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "CsvProfile.h"
#include "Statement.h"

class CsvReader {
 public:
  struct Row {
    int line;  // of the file, from 1
    QStringList fields;
  };

  // The rows of text split at separator; empty lines left out.
  static std::vector<Row> Rows(const QString& text, QChar separator);
  // A profile for text: the separator, the header row and the columns found from the
  // header's names or, without one, from what the columns hold; dateOrder stays Unknown.
  // problem() of the result says what could not be found.
  static CsvProfile Detect(const QString& text);
  // Reads text as profile says. order overrides the profile's date order when not
  // Unknown. Throws StatementError for a line it cannot read, AmbiguousDates when the
  // dates could be either way round and nothing says which.
  static Statement Read(const QString& text, const CsvProfile& profile,
                        DateOrder order = DateOrder::Unknown);
};
