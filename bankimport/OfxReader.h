// OFX and QFX statements, version 1 (SGML: a header of NAME:VALUE lines, elements whose
// end tags may be left out) and version 2 (XML). The statement's transactions (STMTTRN)
// give the lines: DTPOSTED, TRNAMT, FITID (the bank's id), NAME and MEMO, CHECKNUM; the
// account is the first ACCTID.
#pragma once

#include <QString>

#include "Statement.h"

class OfxReader {
 public:
  // Throws StatementError for a file that is not OFX or a transaction it cannot read.
  static Statement Read(const QString& text);
};
