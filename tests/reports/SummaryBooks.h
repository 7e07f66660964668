// The summary reports' books: LedgerBooks' hand-made year (fiscal year from 1 July 2023,
// reported 15 January to 10 March 2024, folders 1 and 2) with four more expense accounts
// that only totals per account bring out:
//
//   30 "Repairs" deductible       16/01/2024 f1 10.10, 17/01/2024 f2 20.20, 18/01/2024 f1
//                                 -30.30: nets to zero in the period, which as doubles it
//                                 misses by a rounding residue
//   40 "Entertainment" not        30/06/2023 f1 75.00 (before the year), 11/03/2024 f2 60.00
//                                 (after the end)
//   50 "Tools" deductible         no record
//   60 "Adjustments" deductible   20/01/2024 f1 amount 0.00 with GST 2.50
//
// Account 60 is appended before 30, so the account walks must go by number.
#pragma once

#include "LedgerBooks.h"

struct SummaryBooks : LedgerBooks {
  SummaryBooks() {
    addSampleYear();
    addAccount(db, false, 60, QStringLiteral("Adjustments"), true);
    addAccount(db, false, 30, QStringLiteral("Repairs"), true);
    addAccount(db, false, 40, QStringLiteral("Entertainment"), false);
    addAccount(db, false, 50, QStringLiteral("Tools"), true);
    addExpense({2024, 1, 16}, 30, 1, 10.10);
    addExpense({2024, 1, 17}, 30, 2, 20.20);
    addExpense({2024, 1, 18}, 30, 1, -30.30);
    addExpense({2023, 6, 30}, 40, 1, 75.00);
    addExpense({2024, 3, 11}, 40, 2, 60.00);
    addExpense({2024, 1, 20}, 60, 1, 0.00, 2.50);
  }
};

// Amount text as "%13.2n" prints it in en_AU.
inline QString amount(const char* text) { return QString::fromLatin1(text).rightJustified(13); }
