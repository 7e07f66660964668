// Payment import: turns the payments of a Billwise payment file dated within a range into
// income records of one income account and one folder, marked as imported (IncImp).
// The earlier imports of the range are deleted first, so importing a range again
// replaces its earlier import; income entered by hand is never touched.
#pragma once

#include <QDate>
#include <QString>
#include <vector>

#include "PaymentFile.h"

class Database;
class ProgressSink;

struct ImportRequest {
  QString paymentFile;  // absolute, or relative to the data directory
  QDate first;          // inclusive
  QDate last;           // inclusive
  int account = 0;      // income account of the new records
  int folder = 0;       // folder of the new records
};

class PaymentImporter {
 public:
  struct Result {
    bool ok = false;
    QString message;   // what to tell the user when not ok
    int deleted = 0;   // earlier imports marked deleted (they wait for a pack)
    int imported = 0;  // income records appended
  };

  // db and progress must outlive the object.
  PaymentImporter(Database& db, ProgressSink& progress) : db_(db), progress_(progress) {}

  // Reads and checks the whole payment file (PaymentFile), and that every amount of the
  // range fits the income table's fields. Changes nothing; a refusal comes with its
  // message. REQUIRES: GSTINC1 open through OpenInc.
  Result Check(const ImportRequest& request);
  // Imports what the last successful Check read: marks deleted the imported records of
  // GSTINC1 dated within the range and appends one record per payment: "Payment on
  // Invoice #" and the invoice number, the payment's date, amount, tax and includes-tax
  // flag. Shows "Loading Payments" with progress and clears the status at the end. When
  // the engine fails part-way the result says so ("Import failed. Try again later."); the
  // records changed before stay changed, and importing the range again puts things right.
  // GSTINC1 is left in record-number order.
  // REQUIRES: Check returned ok; GSTINC1 open through OpenInc.
  Result Import();

 private:
  Database& db_;
  ProgressSink& progress_;
  ImportRequest request_;          // of the last successful Check
  std::vector<Payment> payments_;  // what it read
};
