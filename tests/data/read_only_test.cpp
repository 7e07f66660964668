// The record layer on books the user may not write (run as nobody when the tests run as
// root). The window program refuses such books at start-up; should the layer meet them
// anyway, every writing operation ends with a message or leaves the books alone, and not
// one byte changes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <map>

#include "BooksState.h"
#include "ChildProcess.h"
#include "DirectoryBytes.h"
#include "DiskBooks.h"
#include "ReadOnlyDirectory.h"

namespace {

class ReadOnlyBooks : public testing::Test {
 protected:
  // Runs command on the read-only books in a child; returns the messages it ended with,
  // or "went through".
  std::string run(const std::function<void(Database&)>& command) {
    ReadOnlyDirectory readOnly(b.books.dir());
    return runInChild([&] {
      TestHost host;
      RecordingProgress progress;
      Database db(b.books.dir(), host, progress, b.clock);
      try {
        command(db);
      } catch (const TestProgramEnd&) {
        return host.messages.join(QStringLiteral(" | ")).toStdString();
      }
      return std::string("went through");
    });
  }

  void TearDown() override {
    EXPECT_EQ(directoryBytes(b.books.dir()), before);
    EXPECT_EQ(tagFindings(xbase::FileSystem::posix(), b.books.dir()), std::vector<std::string>());
  }

  DiskBooks b;
  std::map<QString, QByteArray> before = directoryBytes(b.books.dir());
};

TEST_F(ReadOnlyBooks, ACommitEndsNamingTheTableItCannotOpen) {
  EXPECT_EQ(run([](Database& db) {
              db.OpenExp();
              d4appendBlank(db.exp().data);
              db.WriteExp();
            }),
            "Unable to open file GSTEXP1.DBF\r\nGSTEXP1.dbf: permission denied (the file or its "
            "disk is read-only)\r\nProgram will now terminate.");
}

TEST_F(ReadOnlyBooks, AnIndexRebuildEndsWithTheOpenError) {
  EXPECT_EQ(run([](Database& db) { db.RebuildIndexes(RebuildMode::Full); }),
            "Database error -62 in ACC.dbf: permission denied (the file or its disk is "
            "read-only)\r\nThe books will be checked when Tallyworth next starts.\r\n"
            "Program will now terminate.");
}

TEST_F(ReadOnlyBooks, APackThatCannotOpenATableSaysSoAndLeavesEveryTableAsItWas) {
  EXPECT_EQ(run([](Database& db) {
              db.PackAllTables();
              error4exitTest(db.code(), db.host());
            }),
            "Database error -62 in GSTINC1.dbf: permission denied (the file or its disk is "
            "read-only)\r\nThe books will be checked when Tallyworth next starts.\r\n"
            "Program will now terminate.");
}

}  // namespace
