#include "RateChanger.h"

#include <QLocale>

#include "Database.h"
#include "TableWalk.h"
#include "xbase/Status.h"

namespace {

double reRated(double amount, const RateChangeRequest& request) {
  return amount * request.newRate / request.oldRate;  // multiplication first
}

QString money(double value) { return QLocale().toString(value, 'f', 2); }

}  // namespace

template <class Visit>
int RateChanger::walkRange(const RateChangeRequest& request, Visit visit) {
  ExpenseTable& exp = db_.exp();
  d4tagSelectP(exp.data, exp.eDate);
  // The seek stands on the first expense of the date, or else on the first after it.
  const int found = d4seek(exp.data, db_.DateToDTOS(request.first).toStdString());
  return WalkFrom(exp.data, found,
                  [&] {
                    db_.ReadExp();
                    const ExpenseRecord& record = db_.expRecord();
                    if (record.ExpDate > request.last) return false;
                    if (record.AccNo != request.account || !record.ExpDate.isValid() ||
                        record.ExpDate < request.first) {
                      return true;
                    }
                    return visit();
                  })
      .code;
}

RateChanger::Result RateChanger::Apply(RateChangeRequest request) {
  request.first = db_.WindowYear(request.first);
  request.last = db_.WindowYear(request.last);
  if (request.oldRate == 0 || request.newRate == 0) {
    return {Outcome::RatesZero, 0, QStringLiteral("RATES MUST BE NON-ZERO")};
  }
  if (request.oldRate == request.newRate) {
    return {Outcome::RatesEqual, 0, QStringLiteral("RATES MUST NOT BE EQUAL")};
  }
  if (request.first > request.last) {
    return {Outcome::DatesOutOfOrder, 0,
            QStringLiteral("Beginning date must be on or before end date.")};
  }

  // Every new amount must fit before the first is written, so that an account is never
  // left re-rated in part. A tax amount is never larger than its amount.
  FIELD4* amount = db_.exp().Amount;
  FIELD4* tax = db_.exp().GSTE;
  Result result;
  int rc = walkRange(request, [&] {
    const ExpenseRecord& record = db_.expRecord();
    const double newAmount = reRated(record.Amount, request);
    if (amount->fits(newAmount) && (!record.LGSTE || tax->fits(reRated(record.GSTE, request)))) {
      return true;
    }
    result = {Outcome::AmountTooLarge, 0,
              QStringLiteral("The expense of %1 dated %2 would become %3, which is too large "
                             "for its field.\r\nNo amount was changed.")
                  .arg(money(record.Amount),
                       QLocale().toString(record.ExpDate, QLocale::ShortFormat), money(newAmount))};
    return false;
  });
  if (result.outcome == Outcome::AmountTooLarge) return result;

  if (rc >= 0) {
    rc = walkRange(request, [&] {
      const ExpenseRecord& record = db_.expRecord();
      if (f4assignDouble(amount, reRated(record.Amount, request)) < 0) return false;
      ++result.changed;
      if (record.LGSTE && record.GSTE != 0) {
        if (f4assignDouble(tax, reRated(record.GSTE, request)) < 0) return false;
        ++result.taxed;
      }
      return true;
    });
  }
  if (rc < 0) {
    result.outcome = Outcome::WriteFailed;
    result.message = QStringLiteral(
                         "Unable to read or write the expense file: %1 amounts were changed "
                         "before the error.\r\nCheck the disk, restore a backup if needed and "
                         "try again.")
                         .arg(result.changed);
  } else {
    result.message = QStringLiteral("Expenses changed: %1, of which %2 with their tax amount.")
                         .arg(result.changed)
                         .arg(result.taxed);
  }
  return result;
}
