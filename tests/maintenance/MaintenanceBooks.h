// Test books for the maintenance tests: a TestDatabase with helpers that add expenses and
// income through the shared adders, and read files and tables back.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <vector>

#include "BookRecords.h"
#include "TableWalk.h"
#include "TestDatabase.h"
#include "xbase/Status.h"

struct MaintenanceBooks : TestDatabase {
  // Adders for the records the maintenance tests vary, over the shared adders
  // (BookRecords.h). Each works with no table open and leaves none open.
  long addExpense(QDate date, int account, double amount, double gst = 0, int folder = 1) {
    return books::addExpense(db, {.ExpDate = date,
                                  .AccNo = account,
                                  .FolNo = folder,
                                  .PayTo = QStringLiteral("Payee"),
                                  .Amount = amount,
                                  .LGSTE = gst != 0,
                                  .GSTE = gst,
                                  .EMemo = {}});
  }
  long addIncome(QDate date, int account, double amount, bool imported = false,
                 const QString& description = QStringLiteral("By hand"), int folder = 1) {
    return books::addIncome(db, {.IncAcc = account,
                                 .IncDate = date,
                                 .IncDesc = description,
                                 .IncAmt = amount,
                                 .FolNo = folder,
                                 .IncImp = imported});
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
    WalkAll(db.exp().data, [&] {
      db.ReadExp();
      all.push_back(db.expRecord());
    });
    code4close(db.code());
    return all;
  }
  std::vector<IncomeRecord> income(bool liveOnly = true) {
    std::vector<IncomeRecord> all;
    db.OpenInc();
    d4tagSelectP(db.inc().data, nullptr);
    WalkAll(db.inc().data, [&] {
      if (liveOnly && d4deleted(db.inc().data)) return;
      db.ReadInc();
      all.push_back(db.incRecord());
    });
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
