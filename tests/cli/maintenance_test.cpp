// The maintenance commands do what the maintenance page does: archive and dearchive the
// range, back up and restore the five tables (with the indexes rebuilt after), pack the
// deleted records away and import payments into the chosen account and folder; a failure
// exits 1 and says why.
#include <gtest/gtest.h>

#include "CliBooks.h"
#include "CliProcess.h"
#include "PaymentFiles.h"
#include "TempDir.h"

namespace {

// Walks a table of books in record order, calling visit on each record read.
template <typename Visit>
void eachExpense(CliBooks& books, Visit visit) {
  Database& db = books.db;
  db.OpenExp();
  for (long record = 1; record <= d4recCountDo(db.exp().data); ++record) {
    d4go(db.exp().data, record);
    db.ReadExp();
    visit(db.expRecord());
  }
  code4close(db.code());
}

// The income records dated within [first, last].
int incomeWithin(CliBooks& books, const QDate& first, const QDate& last) {
  Database& db = books.db;
  db.OpenInc();
  int within = 0;
  for (long record = 1; record <= d4recCountDo(db.inc().data); ++record) {
    d4go(db.inc().data, record);
    db.ReadInc();
    within += db.incRecord().IncDate >= first && db.incRecord().IncDate <= last;
  }
  code4close(db.code());
  return within;
}

long records(CliBooks& books, bool (Database::*open)(), DATA4* (*data)(Database&)) {
  (books.db.*open)();
  const long count = d4recCountDo(data(books.db));
  code4close(books.db.code());
  return count;
}

DATA4* folderData(Database& db) { return db.folder().data; }
DATA4* expenseData(Database& db) { return db.exp().data; }
DATA4* incomeData(Database& db) { return db.inc().data; }

TEST(Maintenance, ArchiveMarksTheRangeAndDearchiveClearsItAgain) {
  CliBooks books;
  const QDate first(2024, 1, 1), last(2024, 1, 31);
  const CliRun archived =
      runCli({"archive", "--from", "2024-01-01", "--to", "2024-01-31"}, books.dir());
  ASSERT_EQ(archived.status, 0) << archived.err.toStdString();
  int inRange = 0;
  eachExpense(books, [&](const ExpenseRecord& r) {
    const bool within = r.ExpDate >= first && r.ExpDate <= last;
    inRange += within;
    // The record of 29/02/2024 was archived before and stays so; the rest of the year not.
    EXPECT_EQ(r.Archive, within || r.ExpDate == QDate(2024, 2, 29))
        << r.ExpDate.toString().toStdString();
  });
  EXPECT_GT(inRange, 2);
  const int marked = inRange + incomeWithin(books, first, last);
  EXPECT_EQ(archived.out, QByteArray::number(marked) + " records archived.\n");

  const CliRun cleared =
      runCli({"dearchive", "--from", "2024-01-01", "--to", "2024-01-31"}, books.dir());
  ASSERT_EQ(cleared.status, 0) << cleared.err.toStdString();
  EXPECT_EQ(cleared.out, QByteArray::number(marked) + " records de-archived.\n");
  eachExpense(books, [&](const ExpenseRecord& r) {
    EXPECT_EQ(r.Archive, r.ExpDate == QDate(2024, 2, 29)) << r.ExpDate.toString().toStdString();
  });
}

TEST(Maintenance, ABackupRestoredPutsTheBooksBackWithTheirIndexes) {
  CliBooks books;
  TempDir backup;
  const CliRun saved = runCli({"backup", QString::fromStdString(backup.path())}, books.dir());
  ASSERT_EQ(saved.status, 0) << saved.err.toStdString();
  EXPECT_TRUE(saved.out.startsWith("Backed up 5 tables to ")) << saved.out.toStdString();
  for (const char* name : {"ACC.bak", "ACCI.bak", "FOLDER.bak", "GSTEXP1.bak", "GSTINC1.bak"}) {
    EXPECT_TRUE(QFile::exists(QString::fromStdString(backup.file(name)))) << name;
  }
  const long folders = records(books, &Database::OpenFolder, folderData);
  books::addFolder(books.db, 4, QStringLiteral("After the backup"));
  ASSERT_EQ(records(books, &Database::OpenFolder, folderData), folders + 1);

  const CliRun restored = runCli({"restore", QString::fromStdString(backup.path())}, books.dir());
  ASSERT_EQ(restored.status, 0) << restored.err.toStdString();
  EXPECT_TRUE(restored.out.startsWith("Restored 5 tables from ")) << restored.out.toStdString();
  EXPECT_EQ(records(books, &Database::OpenFolder, folderData), folders);
  const CliRun check = runCli({"check"}, books.dir());
  EXPECT_EQ(check.status, 0) << "indexes not rebuilt after the restore: "
                             << check.out.toStdString();
}

TEST(Maintenance, ARestoreWithoutABackupFailsAndKeepsTheTables) {
  CliBooks books;
  TempDir empty;
  const QByteArray before = fileBytes(books.file("GSTEXP1.dbf"));
  const CliRun run = runCli({"restore", QString::fromStdString(empty.path())}, books.dir());
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("Restore Failed"))) << run.err.toStdString();
  EXPECT_EQ(fileBytes(books.file("GSTEXP1.dbf")), before);
}

TEST(Maintenance, PackRemovesTheDeletedRecordsForGood) {
  CliBooks books;  // one expense and one income record are deleted
  const long expenses = records(books, &Database::OpenExp, expenseData);
  const long income = records(books, &Database::OpenInc, incomeData);
  const CliRun run = runCli({"pack"}, books.dir());
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, QByteArray("Packed the five indexed tables: 2 deleted records removed.\n"));
  EXPECT_EQ(records(books, &Database::OpenExp, expenseData), expenses - 1);
  EXPECT_EQ(records(books, &Database::OpenInc, incomeData), income - 1);
  eachExpense(books, [](const ExpenseRecord& r) { EXPECT_NE(r.Amount, 777.00); });
}

TEST(Maintenance, ImportPaymentsBringsTheRangesPaymentsIntoTheAccountAndFolder) {
  CliBooks books;
  TempDir billwise;
  const std::string file = billwise.file("gstpmt.dbf");
  writePaymentFile(file, billwiseFields(),
                   {{"20240110", "110.00", "10.00", "T", "INV-1"},
                    {"20240120", "55.00", "0.00", "F", "INV-2"},
                    {"20240301", "99.00", "9.00", "T", "INV-3"}});  // after the range
  const long income = records(books, &Database::OpenInc, incomeData);

  const CliRun run = runCli({"import-payments", QString::fromStdString(file), "--from",
                             "2024-01-01", "--to", "2024-01-31", "--account", "2", "--folder", "3"},
                            books.dir());
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, QByteArray("2 payments imported, 0 earlier imports replaced\n"));
  Database& db = books.db;
  db.OpenInc();
  ASSERT_EQ(d4recCountDo(db.inc().data), income + 2);
  for (long record = income + 1; record <= income + 2; ++record) {
    d4go(db.inc().data, record);
    db.ReadInc();
    EXPECT_EQ(db.incRecord().IncAcc, 2);
    EXPECT_EQ(db.incRecord().FolNo, 3);
    EXPECT_TRUE(db.incRecord().IncImp);
  }
  code4close(db.code());
}

}  // namespace
