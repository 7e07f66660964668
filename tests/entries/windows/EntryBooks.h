// Test books for the entry windows and browse lists: a Database on fresh tables (fixed
// date 15 June 2026), helpers that store accounts, folders, expenses and income through
// the record layer, and the application state, scripted Ui and tax settings the windows
// share.
#pragma once

#include <QDate>
#include <QString>

#include "AppState.h"
#include "ScriptedUi.h"
#include "TestDatabase.h"

struct EntryBooks : TestDatabase {
  EntryBooks() { setTax(10, QStringLiteral("GST")); }

  // The settings the windows read: rate in percent and the tax's name.
  void setTax(double rate, const QString& name = QStringLiteral("GST")) {
    db.settingsRecord().GSTRate = rate;
    db.settingsRecord().GSTString = name;
  }

  // Each adder works with no table open and leaves none open.
  void addAccount(int number, const QString& name, bool incomeChart = false) {
    incomeChart ? db.OpenAccI() : db.OpenAcc();
    AccountTable& table = incomeChart ? db.accI() : db.acc();
    EXPECT_EQ(d4appendBlank(table.data), 0);
    (incomeChart ? db.accIRecord() : db.accRecord()) = {number, name, true};
    incomeChart ? db.WriteAccI() : db.WriteAcc();
    code4close(db.code());
  }
  void addFolder(int number, const QString& name) {
    db.OpenFolder();
    EXPECT_EQ(d4appendBlank(db.folder().data), 0);
    db.folderRecord() = {number, name};
    db.WriteFolder();
    code4close(db.code());
  }
  // Returns the new record's number.
  long addExpense(const ExpenseRecord& record) {
    db.OpenExp();
    EXPECT_EQ(d4appendBlank(db.exp().data), 0);
    db.expRecord() = record;
    db.WriteExp();
    const long number = d4recNo(db.exp().data);
    code4close(db.code());
    return number;
  }
  long addExpense(QDate date, int account, int folder, double amount, bool archived = false) {
    ExpenseRecord record;
    record.ExpDate = date;
    record.AccNo = account;
    record.FolNo = folder;
    record.Amount = amount;
    record.PayTo = QStringLiteral("Payee %1").arg(account);
    record.Archive = archived;
    return addExpense(record);
  }
  long addIncome(const IncomeRecord& record) {
    db.OpenInc();
    EXPECT_EQ(d4appendBlank(db.inc().data), 0);
    db.incRecord() = record;
    db.WriteInc();
    const long number = d4recNo(db.inc().data);
    code4close(db.code());
    return number;
  }
  long addIncome(QDate date, int account, int folder, double amount, bool archived = false) {
    IncomeRecord record;
    record.IncDate = date;
    record.IncAcc = account;
    record.FolNo = folder;
    record.IncAmt = amount;
    record.IncDesc = QStringLiteral("Sale %1").arg(account);
    record.Archive = archived;
    return addIncome(record);
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
    for (int rc = d4top(data); rc == 0; rc = d4skip(data, 1)) numbers.push_back(d4recNo(data));
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
