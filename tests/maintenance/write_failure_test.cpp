// When the disk refuses a write part-way, the maintenance operations say so instead of
// ending as if all went well.
#include <gtest/gtest.h>

#include <QDir>

#include "Archiver.h"
#include "FaultFileSystem.h"
#include "PaymentFiles.h"
#include "RateChanger.h"
#include "TempDir.h"

namespace {

// The books copied into a file system whose writes can be made to fail.
class FailingDisk : public testing::Test {
 protected:
  void SetUp() override {
    books.addExpense(QDate(2024, 1, 1), 7, 100.00);
    books.addExpense(QDate(2024, 1, 2), 7, 100.00);
    books.addIncome(QDate(2024, 1, 3), 3, 50.00);
    const QDir dir(QString::fromStdString(books.books.dir()));
    for (const QString& name : dir.entryList(QDir::Files)) {
      files.setBytes(dir.filePath(name).toStdString(),
                     MaintenanceBooks::fileBytes(dir.filePath(name)).toStdString());
    }
  }

  MaintenanceBooks books;
  xbase::test::FaultFileSystem files;
  Database db{books.books.dir(), books.host, books.progress, books.clock, files};
};

TEST_F(FailingDisk, ARateChangeThatCannotWriteSaysSo) {
  db.OpenAcc();
  db.OpenExp();
  files.failWritesAfter(0);
  const RateChanger::Result result =
      RateChanger(db).Apply({7, 0.5, 0.55, QDate(2024, 1, 1), QDate(2024, 12, 31)});
  EXPECT_EQ(result.outcome, RateChanger::Outcome::WriteFailed);
  EXPECT_TRUE(result.message.startsWith(QStringLiteral("Unable to read or write the expense file")))
      << result.message.toStdString();
  files.clearFaults();
  code4close(db.code());
}

TEST_F(FailingDisk, ArchivingThatCannotWriteSaysSo) {
  files.failWritesAfter(0);
  EXPECT_FALSE(Archiver(db, books.progress).Run({QDate(2024, 1, 1), QDate(2024, 12, 31), true}));
  EXPECT_EQ(books.progress.statuses.back(), QString()) << "the status was left showing";
}

TEST_F(FailingDisk, AnImportThatCannotAppendSaysSo) {
  TempDir elsewhere;
  writePaymentFile(elsewhere.file("gstpmt.dbf"), billwiseFields(),
                   {{"20240110", "10.00", "1.00", "T", "A1"}});
  db.OpenInc();
  PaymentImporter importer(db, books.progress);
  ASSERT_TRUE(importer
                  .Check({QString::fromStdString(elsewhere.file("gstpmt.dbf")), QDate(2024, 1, 1),
                          QDate(2024, 1, 31), 3, 2})
                  .ok);
  files.failWritesAfter(0);
  const PaymentImporter::Result result = importer.Import();
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, QStringLiteral("Import failed. Try again later."));
  EXPECT_EQ(result.imported, 0);
  files.clearFaults();
  code4close(db.code());
}

}  // namespace
