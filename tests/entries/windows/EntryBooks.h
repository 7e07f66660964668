// Test books for the entry windows and browse lists: a Database on fresh tables (fixed
// date 15 June 2026), helpers that store expenses and income through the shared adders,
// and the application state, scripted Ui and tax settings the windows share.
#pragma once

#include <QDate>
#include <QString>

#include "AppState.h"
#include "BookRecords.h"
#include "ScriptedUi.h"
#include "TableWalk.h"
#include "TestDatabase.h"

struct EntryBooks : TestDatabase {
  EntryBooks() { setTax(10, QStringLiteral("GST")); }

  // The settings the windows read: rate in percent and the tax's name.
  void setTax(double rate, const QString& name = QStringLiteral("GST")) {
    db.settingsRecord().GSTRate = rate;
    db.settingsRecord().GSTString = name;
  }

  // Adders for the records the entry tests vary; the shared adders (BookRecords.h) add
  // the rest. Each works with no table open and leaves none open.
  long addExpense(QDate date, int account, int folder, double amount, bool archived = false) {
    return books::addExpense(db, {.ExpDate = date,
                                  .AccNo = account,
                                  .FolNo = folder,
                                  .PayTo = QStringLiteral("Payee %1").arg(account),
                                  .Amount = amount,
                                  .EMemo = {},
                                  .Archive = archived});
  }
  long addIncome(QDate date, int account, int folder, double amount, bool archived = false) {
    return books::addIncome(db, {.IncAcc = account,
                                 .IncDate = date,
                                 .IncDesc = QStringLiteral("Sale %1").arg(account),
                                 .IncAmt = amount,
                                 .FolNo = folder,
                                 .Archive = archived});
  }

  // The tables the main window's loops open, in their order.
  void openExpenseTables() {
    db.OpenExp();
    db.OpenFolder();
    db.OpenAcc();
  }
  void openIncomeTables() {
    db.OpenInc();
    db.OpenFolder();
    db.OpenAccI();
  }
  void closeAll() { code4close(db.code()); }

  // The expense stored as record number, read by a fresh open. REQUIRES: no table open.
  ExpenseRecord storedExpense(long number) {
    db.OpenExp();
    EXPECT_EQ(d4go(db.exp().data, number), 0);
    db.ReadExp();
    code4close(db.code());
    return db.expRecord();
  }
  IncomeRecord storedIncome(long number) {
    db.OpenInc();
    EXPECT_EQ(d4go(db.inc().data, number), 0);
    db.ReadInc();
    code4close(db.code());
    return db.incRecord();
  }
  // Record numbers of GSTEXP1 (or GSTINC1) walked in tag's order. REQUIRES: no table open.
  std::vector<long> walk(bool income, const char* tag) {
    income ? db.OpenInc() : db.OpenExp();
    DATA4* data = income ? db.inc().data : db.exp().data;
    d4tagSelectP(data, d4tag(data, tag));
    std::vector<long> numbers;
    WalkAll(data, [&] { numbers.push_back(d4recNo(data)); });
    code4close(db.code());
    return numbers;
  }
  // The record number d4seek finds for key in tag, or 0 when the key is not there.
  long seek(bool income, const char* tag, const std::string& key) {
    income ? db.OpenInc() : db.OpenExp();
    DATA4* data = income ? db.inc().data : db.exp().data;
    d4tagSelectP(data, d4tag(data, tag));
    const long found = d4seek(data, key) == 0 ? d4recNo(data) : 0;
    code4close(db.code());
    return found;
  }
  long recordCount(bool income) {
    income ? db.OpenInc() : db.OpenExp();
    const long count = d4recCountDo(income ? db.inc().data : db.exp().data);
    code4close(db.code());
    return count;
  }

  AppState state;
  ScriptedUi ui;
};
