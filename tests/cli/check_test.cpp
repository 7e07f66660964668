// The check command finds each kind of damage a crash or a foreign program leaves (a tag
// missing a record, a tag holding a deleted record, a header whose record count disagrees
// with the file), changes nothing while it looks, and --repair mends the damage without
// losing a record.
#include <gtest/gtest.h>

#include "CliBooks.h"
#include "CliProcess.h"
#include "StartupRecovery.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

namespace {

// The table alone, without its index group, so changes bypass the tags.
struct BareTable {
  BareTable(const std::string& directory, const std::string& name)
      : engine(xbase::FileSystem::posix(), directory) {
    engine.autoOpen = false;
    table = engine.open(name);
  }
  ~BareTable() { engine.closeAll(); }
  xbase::Engine engine;
  xbase::Table* table = nullptr;
};

long recordCount(const std::string& directory, const std::string& name) {
  BareTable bare(directory, name);
  return bare.table ? bare.table->recCount() : -1;
}

class Check : public testing::Test {
 protected:
  // Checks the damaged books: a finding naming file, nothing changed; then repairs them,
  // and a second check finds the books whole.
  void expectFoundAndMended(const QString& file) {
    const auto before = fingerprints(books.dir());
    const CliRun found = runCli({"check"}, books.dir());
    EXPECT_EQ(found.status, 1);
    // Named as on disk, whose case the engine's resolution decides.
    EXPECT_TRUE(
        QString::fromLatin1(found.out).contains(file + QStringLiteral(": "), Qt::CaseInsensitive))
        << found.out.toStdString();
    EXPECT_EQ(fingerprints(books.dir()), before) << "check changed the books";

    const CliRun repaired = runCli({"check", "--repair"}, books.dir());
    EXPECT_EQ(repaired.status, 0) << repaired.out.toStdString() << repaired.err.toStdString();
    const CliRun again = runCli({"check"}, books.dir());
    EXPECT_EQ(again.status, 0) << again.out.toStdString();
    EXPECT_EQ(again.out, QByteArray("All tables and their tags agree.\n"));
  }

  // Appends an expense of 16 January 2024 to folder 1 that no tag knows of.
  void appendExpenseBehindTheTags(double amount) {
    BareTable bare(books.dir(), "GSTEXP1");
    ASSERT_NE(bare.table, nullptr);
    ASSERT_EQ(bare.table->appendBlank(), 0);
    ASSERT_EQ(bare.table->field("ExpDate")->assign("20240116"), 0);
    ASSERT_EQ(bare.table->field("AccNo")->assignInteger(10), 0);
    ASSERT_EQ(bare.table->field("FolNo")->assignInteger(1), 0);
    ASSERT_EQ(bare.table->field("Amount")->assignDouble(amount), 0);
  }

  // The expense detail of that day, which lists the record once the date tag holds it.
  CliRun expenseDetailOfTheDay() {
    return runCli({"report", "expense-detail", "--from", "2024-01-16", "--to", "2024-01-16",
                   "--folders", "1", "--format", "tab"},
                  books.dir());
  }

  CliBooks books;
};

TEST_F(Check, WholeBooksAgreeAndStayUntouched) {
  const auto before = fingerprints(books.dir());
  const CliRun run = runCli({"check"}, books.dir());
  EXPECT_EQ(run.status, 0) << run.out.toStdString();
  EXPECT_EQ(run.out, QByteArray("All tables and their tags agree.\n"));
  EXPECT_EQ(fingerprints(books.dir()), before);
}

TEST_F(Check, ATagMissingARecordIsFoundAndTheRecordIndexedAgain) {
  const long count = recordCount(books.dir(), "GSTEXP1");
  ASSERT_NO_FATAL_FAILURE(appendExpenseBehindTheTags(12.34));
  ASSERT_EQ(recordCount(books.dir(), "GSTEXP1"), count + 1);

  expectFoundAndMended(QStringLiteral("EDate.ntx"));
  EXPECT_EQ(recordCount(books.dir(), "GSTEXP1"), count + 1);
  // The record is in the date tag again: the expense detail of its day lists it.
  const CliRun detail = expenseDetailOfTheDay();
  EXPECT_EQ(detail.status, 0) << detail.err.toStdString();
  EXPECT_TRUE(detail.out.contains("12.34")) << detail.out.toStdString();
}

// A session that died with the books open leaves its marker; the next run of any command
// mends the books before it reads them, as the window program's start does.
TEST_F(Check, ACommandAfterADeadSessionMendsTheBooksFirst) {
  ASSERT_NO_FATAL_FAILURE(appendExpenseBehindTheTags(56.78));
  const QString marker = books.file(StartupRecovery::kMarkerFileName);
  {
    QFile file(marker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  const CliRun detail = expenseDetailOfTheDay();
  EXPECT_EQ(detail.status, 0) << detail.err.toStdString();
  EXPECT_TRUE(detail.out.contains("56.78")) << detail.out.toStdString();
  EXPECT_FALSE(QFile::exists(marker)) << "a clean end removes the marker";
  EXPECT_EQ(runCli({"check"}, books.dir()).status, 0);
}

TEST_F(Check, ATagHoldingADeletedRecordIsFoundAndTheRecordLeavesTheTag) {
  const long count = recordCount(books.dir(), "GSTINC1");
  {
    BareTable bare(books.dir(), "GSTINC1");
    ASSERT_NE(bare.table, nullptr);
    ASSERT_EQ(bare.table->go(1), 0);
    bare.table->markDeleted();
    ASSERT_EQ(bare.table->flush(), 0);
  }

  expectFoundAndMended(QStringLiteral("IncDate.ntx"));
  EXPECT_EQ(recordCount(books.dir(), "GSTINC1"), count);
  BareTable bare(books.dir(), "GSTINC1");
  ASSERT_EQ(bare.table->go(1), 0);
  EXPECT_TRUE(bare.table->deleted()) << "the repair must not recall a deleted record";
}

TEST_F(Check, AHeaderCountBeyondTheRecordsIsFoundAndSetToTheRecordsInTheFile) {
  const long count = recordCount(books.dir(), "FOLDER");
  {
    QFile file(books.file("FOLDER.dbf"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(4));
    const quint32 wrong = static_cast<quint32>(count + 2);
    const char bytes[4] = {char(wrong & 0xFF), char((wrong >> 8) & 0xFF),
                           char((wrong >> 16) & 0xFF), char(wrong >> 24)};
    ASSERT_EQ(file.write(bytes, 4), 4);
  }

  expectFoundAndMended(QStringLiteral("FOLDER.dbf"));
  EXPECT_EQ(recordCount(books.dir(), "FOLDER"), count);
  const CliRun ledger = runCli({"report", "general-ledger", "--from", "2024-01-15", "--to",
                                "2024-03-10", "--folders", "1,2,3", "--format", "tab"},
                               books.dir());
  EXPECT_EQ(ledger.status, 0) << "every folder must still be there: " << ledger.err.toStdString();
}

}  // namespace
