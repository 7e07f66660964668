#include "PaymentImporter.h"

#include <QLocale>

#include "Database.h"
#include "PaymentFile.h"
#include "ProgressSink.h"
#include "TableWalk.h"
#include "xbase/Status.h"

namespace {

const QString kImportFailed = QStringLiteral("Import failed. Try again later.");

// The payment that would not fit an income record, or null when all fit.
const Payment* firstTooLarge(const std::vector<Payment>& payments, const IncomeTable& inc) {
  for (const Payment& payment : payments) {
    if (!inc.IncAmt->fits(payment.amount) || !inc.GstI->fits(payment.gst)) return &payment;
  }
  return nullptr;
}

}  // namespace

PaymentImporter::Result PaymentImporter::Check(const ImportRequest& request) {
  payments_.clear();
  PaymentFile::Result read = PaymentFile::Read(QString::fromStdString(db_.code()->directory()),
                                               request.paymentFile, request.first, request.last);
  if (!read.ok) return {false, read.message, 0, 0};
  IncomeTable& inc = db_.inc();
  if (const Payment* payment = firstTooLarge(read.payments, inc)) {
    return {false,
            QStringLiteral("The payment on invoice #%1 dated %2 (%3, tax %4) is too large for an "
                           "income record.\r\nNothing was imported.")
                .arg(payment->invoice, QLocale().toString(payment->date, QLocale::ShortFormat),
                     QLocale().toString(payment->amount, 'f', 2),
                     QLocale().toString(payment->gst, 'f', 2)),
            0, 0};
  }
  request_ = request;
  payments_ = std::move(read.payments);
  return {true, QString(), 0, 0};
}

PaymentImporter::Result PaymentImporter::Import() {
  const ImportRequest& request = request_;
  IncomeTable& inc = db_.inc();
  Result result;
  progress_.ShowStatus(QStringLiteral("Loading Payments"));
  d4tagSelectP(inc.data, nullptr);
  const long count = d4recCountDo(inc.data);
  long visited = 0;
  const WalkResult walk = WalkAll(inc.data, [&] {
    db_.ReadInc();
    const IncomeRecord& record = db_.incRecord();
    if (record.IncImp && !d4deleted(inc.data) && record.IncDate.isValid() &&
        record.IncDate >= request.first && record.IncDate <= request.last) {
      d4delete(inc.data);  // written as the walk moves on
      ++result.deleted;
    }
    progress_.ShowProgress(static_cast<int>(++visited * 100 / count));
  });

  bool ok = !walk.failed();
  if (ok) {
    for (const Payment& payment : payments_) {
      IncomeRecord record;
      record.IncAcc = request.account;
      record.FolNo = request.folder;
      record.IncImp = true;
      record.Archive = false;
      record.IncDate = payment.date;
      record.IncAmt = payment.amount;
      record.GstI = payment.gst;
      record.lGstI = payment.includesGst;
      record.IncDesc = QStringLiteral("Payment on Invoice #") + payment.invoice;
      if (db_.AppendInc(record) == Database::kNotAppended) {
        ok = false;
        break;
      }
      ++result.imported;
      progress_.ShowProgress(
          static_cast<int>(result.imported * 100 / static_cast<long>(payments_.size())));
    }
  }
  progress_.ShowStatus(QString());
  result.ok = ok;
  if (!result.ok) result.message = kImportFailed;
  return result;
}
