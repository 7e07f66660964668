// Test books for the maintenance tests: a TestDatabase with helpers that add accounts,
// folders, expenses and income through the record layer, and read files and tables back.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <vector>

#include "TestDatabase.h"
#include "xbase/Status.h"

struct MaintenanceBooks : TestDatabase {
  // Each adder opens its table, appends and writes one record and closes every table.
  void addAccount(bool income, int number, const QString& name) {
    income ? db.OpenAccI() : db.OpenAcc();
    AccountTable& table = income ? db.accI() : db.acc();
    ASSERT_EQ(d4appendBlank(table.data), xbase::kSuccess);
    (income ? db.accIRecord() : db.accRecord()) = {number, name, false};
    income ? db.WriteAccI() : db.WriteAcc();
    code4close(db.code());
  }
  void addFolder(int number, const QString& name) {
    db.OpenFolder();
    ASSERT_EQ(d4appendBlank(db.folder().data), xbase::kSuccess);
    db.folderRecord() = {number, name};
    db.WriteFolder();
    code4close(db.code());
  }
  // Returns the new record's number.
  long addExpense(QDate date, int account, double amount, double gst = 0, int folder = 1) {
    db.OpenExp();
    EXPECT_EQ(d4appendBlank(db.exp().data), xbase::kSuccess);
    ExpenseRecord& r = db.expRecord();
    r = {};
    r.ExpDate = date;
    r.AccNo = account;
    r.FolNo = folder;
    r.PayTo = QStringLiteral("Payee");
    r.Amount = amount;
    r.GSTE = gst;
    r.LGSTE = gst != 0;
    db.WriteExp();
    const long recNo = d4recNo(db.exp().data);
    code4close(db.code());
    return recNo;
  }
  long addIncome(QDate date, int account, double amount, bool imported = false,
                 const QString& description = QStringLiteral("By hand"), int folder = 1) {
    db.OpenInc();
    EXPECT_EQ(d4appendBlank(db.inc().data), xbase::kSuccess);
    IncomeRecord& r = db.incRecord();
    r = {};
    r.IncDate = date;
    r.IncAcc = account;
    r.FolNo = folder;
    r.IncDesc = description;
    r.IncAmt = amount;
    r.IncImp = imported;
    db.WriteInc();
    const long recNo = d4recNo(db.inc().data);
    code4close(db.code());
    return recNo;
  }
  void setFiscalYear(int month, int day) {
    db.settingsRecord().FyMonth = month;
    db.settingsRecord().FyDay = day;
  }

  // Every expense (or income) record in record order, deleted ones included.
  std::vector<ExpenseRecord> expenses() {
    std::vector<ExpenseRecord> all;
    db.OpenExp();
    d4tagSelectP(db.exp().data, nullptr);
    for (int rc = d4top(db.exp().data); rc == xbase::kSuccess; rc = d4skip(db.exp().data)) {
      db.ReadExp();
      all.push_back(db.expRecord());
    }
    code4close(db.code());
    return all;
  }
  std::vector<IncomeRecord> income(bool liveOnly = true) {
    std::vector<IncomeRecord> all;
    db.OpenInc();
    d4tagSelectP(db.inc().data, nullptr);
    for (int rc = d4top(db.inc().data); rc == xbase::kSuccess; rc = d4skip(db.inc().data)) {
      if (liveOnly && d4deleted(db.inc().data)) continue;
      db.ReadInc();
      all.push_back(db.incRecord());
    }
    code4close(db.code());
    return all;
  }

  QString path(const char* fileName) const { return QString::fromStdString(books.path(fileName)); }
  QByteArray bytes(const char* fileName) const { return fileBytes(path(fileName)); }
  static QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};
