// The payment file of the companion invoicing program Billwise ("gstpmt.dbf"): a table
// another program writes, read here only, without its indexes, in record order. The
// fields read are PDATE (date), PAMT and GST (numbers), LGST (logical) and IVNO (invoice
// number); any other field, a memo file and a foreign version byte are left alone.
#pragma once

#include <QDate>
#include <QString>
#include <vector>

struct Payment {
  long record = 0;  // record number in the payment file
  QDate date;
  double amount = 0;
  double gst = 0;
  bool includesGst = false;
  QString invoice;  // trimmed
};

class PaymentFile {
 public:
  struct Result {
    bool ok = false;
    QString message;                // why nothing can be imported; empty when ok
    std::vector<Payment> payments;  // when ok: the live payments of the range, in order
  };

  // Reads the file at path, absolute or relative to directory; messages name it as path
  // is written. Takes every payment not marked deleted whose
  // PDATE is a valid date within first..last (inclusive); a blank or invalid PDATE is
  // never in the range. Refuses the whole file, with a message for the user, when it
  // cannot be opened or read, when one of the five fields is missing or of another kind,
  // or when a payment of the range holds an amount that is not a number (a blank amount
  // is 0). Nothing is ever written to the file.
  static Result Read(const QString& directory, const QString& path, const QDate& first,
                     const QDate& last);
};
