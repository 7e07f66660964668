// Report tests over transactions: books whose five tables are all open, as the widest
// report command leaves them, the fiscal year starting on 1 July, the tax named "GST",
// helpers that add expenses and income, and one small hand-made year of records that the
// detail, profit and ledger tests work their totals out from.
#pragma once

#include <QLocale>

#include "ReportTestSupport.h"

struct LedgerBooks {
  LedgerBooks() {
    db.OpenFolder();
    db.OpenExp();
    db.OpenInc();
    db.OpenAcc();
    db.OpenAccI();
    db.settingsRecord().FyMonth = 7;
    db.settingsRecord().FyDay = 1;
    db.settingsRecord().GSTString = QStringLiteral("GST   ");
  }
  ~LedgerBooks() { code4close(db.code()); }

  // Appends an expense; returns its record number.
  long addExpense(QDate date, int account, int folder, double amount, double gst = 0,
                  const QString& payTo = QStringLiteral("Payee"), const QString& memo = {},
                  long checkNo = 0, bool archived = false) {
    return books::expectAppended(db.AppendExp(
        {date, checkNo, account, folder, payTo, amount, gst != 0, gst, memo, archived}));
  }
  long addIncome(QDate date, int account, int folder, double amount, double gst = 0,
                 const QString& description = QStringLiteral("Receipt"), bool archived = false) {
    return books::expectAppended(
        db.AppendInc({account, date, description, amount, gst, folder, gst != 0, false, archived}));
  }
  // Marks a record deleted; the date and account tags drop it at once.
  static void markDeleted(DATA4* data, long record) {
    d4go(data, record);
    d4delete(data);
  }

  // The hand-made year. Folders 1 "Main Street" and 2 "Farm" are the ones reported, 3
  // "Other" never is. Expense accounts: 10 "Fuel" deductible, 20 "Bank Fees" not.
  // Income accounts: 1 "Sales" taxable, 2 "Interest" not; 9 is in no chart. The fiscal
  // year starts on 1 July 2023; the tests report 15 January to 10 March 2024.
  //
  //   Expenses                                    Income
  //   30/06/2023  10 f1  100.00  before the year  30/06/2023  1 f1 1000.00  before the year
  //   01/07/2023  10 f1  200.00  year's first day 01/07/2023  2 f1  300.00  year's first day
  //   14/01/2024  20 f1   40.00  day before start 14/01/2024  1 f2   50.00  day before start
  //   15/01/2024  10 f1  110.00 (GST 10) start    15/01/2024  1 f1  220.00 (GST 20) start
  //   15/01/2024  20 f2   20.00  start            20/02/2024  2 f2   80.00  archived
  //   01/02/2024  10 f3  999.00  other folder     21/02/2024  9 f1   15.00  no such account
  //   02/02/2024  10 f1  777.00  deleted          01/03/2024  1 f3  888.00  other folder
  //   29/02/2024  10 f1   55.00 (GST 5) archived  05/03/2024  1 f1   66.00  deleted
  //   10/03/2024  20 f2   30.00  end              10/03/2024  1 f1   40.00  end
  //   11/03/2024  10 f1  500.00  day after end    11/03/2024  1 f1  400.00  day after end
  //
  // The record of 15/01/2024 on account 10 has cheque 501 and the memo "Tank fill".
  void addSampleYear() {
    addFolder(db, 1, QStringLiteral("Main Street"));
    addFolder(db, 2, QStringLiteral("Farm"));
    addFolder(db, 3, QStringLiteral("Other"));
    addAccount(db, false, 10, QStringLiteral("Fuel"), true);
    addAccount(db, false, 20, QStringLiteral("Bank Fees"), false);
    addAccount(db, true, 1, QStringLiteral("Sales"), true);
    addAccount(db, true, 2, QStringLiteral("Interest"), false);

    // Appended out of date order, as entry allows; the reports walk the date tags.
    addExpense({2024, 3, 10}, 20, 2, 30.00, 0, QStringLiteral("Farm bank"));
    addExpense({2023, 6, 30}, 10, 1, 100.00);
    addExpense({2023, 7, 1}, 10, 1, 200.00);
    addExpense({2024, 1, 14}, 20, 1, 40.00);
    addExpense({2024, 1, 15}, 20, 2, 20.00, 0, QStringLiteral("Bank fee"));
    addExpense({2024, 1, 15}, 10, 1, 110.00, 10.00, QStringLiteral("Shell Kew"),
               QStringLiteral("  Tank fill "), 501);
    addExpense({2024, 2, 1}, 10, 3, 999.00);
    markDeleted(db.exp().data, addExpense({2024, 2, 2}, 10, 1, 777.00));
    addExpense({2024, 2, 29}, 10, 1, 55.00, 5.00, QStringLiteral("Caltex"), {}, 0, true);
    addExpense({2024, 3, 11}, 10, 1, 500.00);

    addIncome({2023, 6, 30}, 1, 1, 1000.00);
    addIncome({2023, 7, 1}, 2, 1, 300.00);
    addIncome({2024, 1, 14}, 1, 2, 50.00);
    addIncome({2024, 1, 15}, 1, 1, 220.00, 20.00, QStringLiteral("Counter sales"));
    addIncome({2024, 2, 20}, 2, 2, 80.00, 0, QStringLiteral("Term deposit"), true);
    addIncome({2024, 2, 21}, 9, 1, 15.00, 0, QStringLiteral("Refund"));
    addIncome({2024, 3, 1}, 1, 3, 888.00);
    markDeleted(db.inc().data, addIncome({2024, 3, 5}, 1, 1, 66.00));
    addIncome({2024, 3, 10}, 1, 1, 40.00, 0, QStringLiteral("Market stall"));
    addIncome({2024, 3, 11}, 1, 1, 400.00);
  }

  TestDatabase data;
  Database& db = data.db;
  RecordingReportHost host;
};

// A builder for start to end on books, today 15 June 2026 in en_AU, folders 1 and 2.
struct LedgerReport {
  LedgerReport(LedgerBooks& books, QDate start, QDate end)
      : builder(books.db, books.host,
                ReportRequest{start, end, QDate(2026, 6, 15),
                              QLocale(QLocale::English, QLocale::Australia)}) {
    builder.SelectedFolders = {1, 2};
  }
  const ReportDocument& document() const { return builder.Document(); }

  ReportBuilder builder;
};
