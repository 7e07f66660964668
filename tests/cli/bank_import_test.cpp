// import-bank as a script runs it: the dry run writes nothing, lines no rule matches are
// listed and left out unless the command says where they go, a statement imported again
// brings nothing new (exit 1), a bad line refuses the file.
#include <gtest/gtest.h>

#include <QFile>

#include "CliBooks.h"
#include "CliProcess.h"
#include "TempDir.h"

namespace {

class ImportBank : public testing::Test {
 protected:
  void SetUp() override {
    QFile file(statement);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "Date,Description,Debit,Credit\r\n"
        "2024-02-01,HARDWARE STORE,45.00,\r\n"
        "2024-02-02,\"PLUMBER, J BLOGGS\",180.00,\r\n");
  }

  CliBooks books;
  TempDir dir;
  QString statement = QString::fromStdString(dir.file("statement.csv"));
};

TEST_F(ImportBank, UnmatchedLinesAreListedAndLeftOutUnlessTheCommandPlacesThem) {
  const auto before = fingerprints(books.dir());
  const CliRun dry = runCli({"import-bank", statement, "--dry-run", "--unmatched-account", "30",
                             "--unmatched-folder", "1"},
                            books.dir());
  EXPECT_EQ(dry.status, 0) << dry.err.toStdString();
  EXPECT_TRUE(
      dry.out.contains("line 3: 2024-02-02 -180.00 PLUMBER, J BLOGGS -> expense account 30"));
  EXPECT_EQ(fingerprints(books.dir()), before);

  const CliRun unplaced = runCli({"import-bank", statement}, books.dir());
  EXPECT_EQ(unplaced.status, 1);
  EXPECT_TRUE(unplaced.out.contains("no rule matches line 2: 2024-02-01 -45.00 HARDWARE STORE"));

  const CliRun placed =
      runCli({"import-bank", statement, "--unmatched-account", "30", "--unmatched-folder", "1"},
             books.dir());
  EXPECT_EQ(placed.status, 0) << placed.err.toStdString();
  EXPECT_EQ(placed.out, "Imported 2 expense(s) and 0 income record(s); 0 line(s) not imported.\n");
  const CliRun again =
      runCli({"import-bank", statement, "--unmatched-account", "30", "--unmatched-folder", "1"},
             books.dir());
  EXPECT_EQ(again.status, 1);
}

TEST_F(ImportBank, ABadLineRefusesTheFileAndWritesNothing) {
  QFile file(statement);
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write("2024-02-31,NOT A DAY,1.00,\r\n2024-03-01,FINE,2.00,\r\n");
  file.close();
  const auto before = fingerprints(books.dir());
  const CliRun run =
      runCli({"import-bank", statement, "--unmatched-account", "30", "--unmatched-folder", "1"},
             books.dir());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, QStringLiteral("Line 4: '2024-02-31' is not a date\nNothing was imported.\n"));
  EXPECT_EQ(fingerprints(books.dir()), before);
}

TEST_F(ImportBank, AnUnknownProfileOrAHalfPlacementIsAUsageError) {
  EXPECT_EQ(runCli({"import-bank", statement, "--profile", "Nobank"}, books.dir()).status, 2);
  EXPECT_EQ(runCli({"import-bank", statement, "--unmatched-account", "30"}, books.dir()).status, 2);
}

}  // namespace
