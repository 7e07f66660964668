// The disk filling up at every single write of a command, one run per write: the first n
// writes succeed and every later one fails, as when the last free block goes. Whichever
// write it is, the command must say so (or be refused), every table must hold exactly its
// records from before or from after the command, with no half-written one, and every tag
// must agree with its table.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "BooksState.h"
#include "DiskBooks.h"
#include "EngineMessages.h"
#include "FaultFileSystem.h"
#include "StartupRecovery.h"

namespace {

using Records = std::map<std::string, std::vector<std::string>>;

class WriteFailureSweep : public testing::Test {
 protected:
  void SetUp() override {
    const QDir books(QString::fromStdString(dir()));
    for (const QString& name : books.entryList(QDir::Files)) {
      QFile file(books.filePath(name));
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      files.setBytes(books.filePath(name).toStdString(), file.readAll().toStdString());
    }
    start = files.snapshot();
    before = storedRecords(files, dir());
  }

  std::string dir() const { return b.books.dir(); }

  struct Point {
    QStringList messages;                 // what the user was told
    Records records;                      // the tables afterwards (after the next start's repair)
    std::vector<std::string> unrepaired;  // disagreements the failure itself left
    std::vector<std::string> findings;    // disagreements left after the next start
    bool sameFiles;                       // no file appeared or went
  };
  using Fault = void (xbase::test::FaultFileSystem::*)(int);
  // The disk fills up: no file can grow any more, rewriting in place still works.
  static constexpr Fault kDiskFills = &xbase::test::FaultFileSystem::fillDiskAfter;
  // Every write fails from then on, in place or not (a failing device).
  static constexpr Fault kWritesFail = &xbase::test::FaultFileSystem::failWritesAfter;

  // Runs command on the books once without a fault, counting its writes, then once with
  // the fault after each write count below that. Returns what each faulty run left, and
  // in *done the records of the run without a fault.
  std::vector<Point> sweep(const std::function<void(Database&)>& command, Fault fault,
                           Records* done) {
    std::vector<Point> points;
    int writes = 0;
    for (int n = -1; n < writes; ++n) {
      files.restore(start);
      if (n >= 0) (files.*fault)(n);
      TestHost host;
      RecordingProgress progress;
      {
        Database db(dir(), host, progress, b.clock, files);
        try {
          command(db);
        } catch (const TestProgramEnd&) {
        }
      }  // the program ends: its tables close on the same full disk
      files.clearFaults();
      if (n < 0) {
        writes = files.writeCount();
        EXPECT_TRUE(host.messages.isEmpty()) << host.messages.join(' ').toStdString();
        *done = storedRecords(files, dir());
        continue;
      }
      Point point{host.messages, {}, tagFindings(files, dir()), {}, true};
      // A program that ended on the error leaves its session marker standing, so the next
      // start checks every table and mends the tags of those the failure left behind.
      for (const RepairedTable& repaired : StartupRecovery::CheckAndRepair(files, dir())) {
        EXPECT_EQ(repaired.result, xbase::kSuccess) << repaired.baseName;
      }
      point.records = storedRecords(files, dir());
      point.findings = tagFindings(files, dir());
      const auto now = files.snapshot();
      point.sameFiles = now.size() == start.size();
      for (const auto& [path, bytes] : start) point.sameFiles = point.sameFiles && now.count(path);
      points.push_back(point);
    }
    return points;
  }

  // Every failing run told the user (or was refused where noted), kept every table as
  // before or as after, and its tags in step.
  void expectEveryPointWhole(const std::vector<Point>& points, const Records& after,
                             const std::function<bool(const Point&)>& toldOrRefused) {
    ASSERT_FALSE(points.empty());
    for (std::size_t n = 0; n < points.size(); ++n) {
      const Point& p = points[n];
      EXPECT_TRUE(toldOrRefused(p))
          << "disk full after write " << n << ": told " << p.messages.join(" | ").toStdString();
      for (const auto& [table, rows] : p.records) {
        EXPECT_TRUE(rows == before.at(table) || rows == after.at(table))
            << table << " half changed, disk full after write " << n;
      }
      EXPECT_EQ(p.findings, std::vector<std::string>()) << "disk full after write " << n;
      // A program that goes on ends cleanly later, and no start-up check follows.
      if (p.messages.isEmpty()) {
        EXPECT_EQ(p.unrepaired, std::vector<std::string>()) << "disk full after write " << n;
      }
      EXPECT_TRUE(p.sameFiles) << "a file left behind or lost, disk full after write " << n;
    }
  }

  static bool toldWriteError(const Point& p) {
    return p.messages.size() == 1 && isWriteError(p.messages.front());
  }

  DiskBooks b;
  xbase::test::FaultFileSystem files;
  std::map<std::string, std::string> start;
  Records before;
};

TEST_F(WriteFailureSweep, EditAndCommit) {
  Records after;
  const auto points = sweep(
      [](Database& db) {
        db.OpenExp();
        ASSERT_EQ(d4go(db.exp().data, 12), xbase::kSuccess);
        db.ReadExp();
        db.expRecord().ExpDate = QDate(2026, 2, 1);  // moves its key in both tags
        db.expRecord().AccNo = 50;
        db.expRecord().Amount = 4321.00;
        db.WriteExp();
        code4close(db.code());
        error4exitTest(db.code(), db.host());
      },
      kWritesFail, &after);
  expectEveryPointWhole(points, after, toldWriteError);
}

// Thirty appends, each committed, so that the disk also fills up while a tag splits a page.
TEST_F(WriteFailureSweep, AppendAndCommit) {
  Records after;
  int refused = 0;
  const auto points = sweep(
      [&refused](Database& db) {
        db.OpenExp();
        for (int i = 0; i < 30; ++i) {
          // The entry form stops at a refused append ("Unable to Add Record at this time").
          if (d4appendBlank(db.exp().data) != xbase::kSuccess) {
            ++refused;
            code4errorCode(db.code(), 0);
            break;
          }
          db.expRecord() = {};
          db.expRecord().ExpDate = QDate(2026, 3, 1 + i % 28);
          db.expRecord().AccNo = 10 * (i % 5);
          db.expRecord().PayTo = QStringLiteral("New payee %1").arg(i);
          db.expRecord().Amount = 77.70 + i;
          db.WriteExp();
        }
        code4close(db.code());
        error4exitTest(db.code(), db.host());
      },
      kDiskFills, &after);
  EXPECT_GT(refused, 0);
  const std::vector<std::string>& all = after[tables::kExpenses];
  const std::size_t old = before[tables::kExpenses].size();
  ASSERT_EQ(all.size(), old + 30);
  for (std::size_t n = 0; n < points.size(); ++n) {
    const Point& p = points[n];
    EXPECT_TRUE(p.messages.isEmpty() || toldWriteError(p))
        << "disk full after write " << n << ": told " << p.messages.join(" | ").toStdString();
    // The records committed before the disk filled, in full; a blank one only where the
    // user was told the commit of what they typed into it failed.
    std::vector<std::string> rows = p.records.at(tables::kExpenses);
    if (!p.messages.isEmpty() && rows.size() > old && rows.back()[1] == ' ') rows.pop_back();
    ASSERT_GE(rows.size(), old) << "disk full after write " << n;
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), all.begin()))
        << "a record lost or half written, disk full after write " << n;
    for (const char* table : {tables::kAcc, tables::kAccI, tables::kFolder, tables::kIncome}) {
      EXPECT_EQ(p.records.at(table), before.at(table)) << table;
    }
    EXPECT_EQ(p.findings, std::vector<std::string>()) << "disk full after write " << n;
    if (p.messages.isEmpty()) {
      EXPECT_EQ(p.unrepaired, std::vector<std::string>()) << "disk full after write " << n;
    }
    EXPECT_TRUE(p.sameFiles) << "disk full after write " << n;
  }
}

TEST_F(WriteFailureSweep, PackAllTables) {
  Records after;
  const auto points = sweep(
      [](Database& db) {
        db.PackAllTables();
        error4exitTest(db.code(), db.host());
      },
      kWritesFail, &after);
  EXPECT_NE(after, before) << "the pack removed nothing";
  expectEveryPointWhole(points, after, toldWriteError);
}

TEST_F(WriteFailureSweep, FullIndexRebuildKeepsEveryRecord) {
  Records after;
  const auto points =
      sweep([](Database& db) { db.RebuildIndexes(RebuildMode::Full); }, kWritesFail, &after);
  ASSERT_FALSE(points.empty());
  for (std::size_t n = 0; n < points.size(); ++n) {
    EXPECT_TRUE(toldWriteError(points[n])) << "disk full after write " << n;
    EXPECT_EQ(points[n].records, before) << "disk full after write " << n;
  }
}

}  // namespace
