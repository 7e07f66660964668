// Rate change: re-rates the expenses of one expense account within a date range after a
// retroactive change of the unit rate they were computed from, multiplying each amount
// by new rate / old rate. Where the amount includes tax (LGSTE), the tax amount (GSTE) is
// multiplied by the same factor, so the tax it contains stays right; every other field
// keeps its value. Either every amount of the range is changed or none is.
#pragma once

#include <QDate>
#include <QString>

class Database;

struct RateChangeRequest {
  int account = 0;
  double oldRate = 0;
  double newRate = 0;
  QDate first;  // inclusive, as chosen; moved into the year window before use
  QDate last;   // inclusive
};

class RateChanger {
 public:
  enum class Outcome {
    Applied,
    RatesZero,        // "RATES MUST BE NON-ZERO"
    RatesEqual,       // "RATES MUST NOT BE EQUAL"
    DatesOutOfOrder,  // "Beginning date must be on or before end date."
    AmountTooLarge,   // an amount would not fit its field: nothing changed
    WriteFailed,      // the engine could not write a change: the walk stopped there
  };
  struct Result {
    Outcome outcome = Outcome::Applied;
    int changed = 0;  // expenses whose amount was written
    QString message;  // what to tell the user: the outcome, or how many were changed
    int taxed = 0;    // of those changed, the ones whose tax amount was scaled with them
  };

  explicit RateChanger(Database& db) : db_(db) {}  // db must outlive the object

  // Checks the request in the order rates non-zero, rates different, dates in order;
  // then checks that every new amount and tax amount of the range fits its field, and only
  // then writes them. REQUIRES: GSTEXP1 open through OpenExp.
  Result Apply(RateChangeRequest request);

 private:
  // Calls visit() on each expense of request.account dated within the range, in date
  // order, starting with a seek to the first date. Stops early when visit returns
  // false. Returns the engine's last result (below 0: a failed read or write).
  template <class Visit>
  int walkRange(const RateChangeRequest& request, Visit visit);

  Database& db_;
};
