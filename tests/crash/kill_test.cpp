// Kills each operation that changes the books at many points and proves, after the
// start-up recovery, that every committed record is there and intact, that no record is
// half-written, and that every table agrees with its tags.
//
// By default a sample of kill points runs; TALLYWORTH_CRASH_ALL=1 (scripts/crashtest, the
// CTest label "crash") kills after every change and at 100 random instants per operation.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "BackupSet.h"
#include "BankImporter.h"
#include "CrashBooks.h"
#include "KillHarness.h"
#include "MasterTables.h"
#include "PaymentImporter.h"
#include "ScriptedUi.h"

namespace crash {
namespace {

namespace stdfs = std::filesystem;

struct Case {
  const char* name;
  Operation run;
  std::map<std::string, Grain> grains;  // tables the operation changes
};

void appendExpenses(xbase::FileSystem& fs, const std::string& dir, Reporter& report) {
  ChildDatabase child(dir, fs);
  Database& db = child.db;
  for (int i = 1; i <= 3; ++i) {
    const long recno = books::addExpense(db, {.ExpDate = QDate(2026, 7, i),
                                              .AccNo = 12,
                                              .FolNo = 2,
                                              .PayTo = QStringLiteral("New payee %1").arg(i),
                                              .Amount = 1000.0 + i,
                                              .EMemo = {}});
    report.line("GSTEXP1 " + std::to_string(recno));
  }
}

void editExpenses(xbase::FileSystem& fs, const std::string& dir, Reporter& report) {
  ChildDatabase child(dir, fs);
  Database& db = child.db;
  for (long recno : {2, 9, 16}) {
    db.OpenExp();
    d4go(db.exp().data, recno);
    db.ReadExp();
    ExpenseRecord& r = db.expRecord();
    r.PayTo = QStringLiteral("Edited payee");
    r.ExpDate = r.ExpDate.addDays(-40);  // moves it in both tags
    r.AccNo = 15;
    r.Amount += 0.25;
    db.WriteExp();
    code4close(db.code());
    report.line("GSTEXP1 " + std::to_string(recno));
  }
}

void deleteExpenses(xbase::FileSystem& fs, const std::string& dir, Reporter& report) {
  ChildDatabase child(dir, fs);
  Database& db = child.db;
  for (long recno : {3, 10, 17}) {
    db.OpenExp();
    d4go(db.exp().data, recno);
    d4delete(db.exp().data);
    db.CommitRecord(db.exp().data, "EXP");
    code4close(db.code());
    report.line("GSTEXP1 " + std::to_string(recno));
  }
}

void packExpenses(xbase::FileSystem& fs, const std::string& dir, Reporter& report) {
  ChildDatabase child(dir, fs);
  child.db.PackTable(tables::kExpenses);
  report.line("ALL");
}

void rebuildIndexes(xbase::FileSystem& fs, const std::string& dir, Reporter& report) {
  ChildDatabase child(dir, fs);
  child.db.RebuildIndexes(RebuildMode::Full);
  report.line("ALL");
}

// What the account window does on saving account `from` under the number `to`: the
// expenses move along; when `to` is taken, its account gives way (a merge).
void renumberAccount(Database& db, int from, int to) {
  db.OpenExp();
  MasterTables::reassign(db, db.exp().data, db.exp().AccNo, from, to);
  d4close(db.code(), db.exp().data);
  db.OpenAcc();
  DATA4* acc = db.acc().data;
  if (MasterTables::seekLive(acc, db.acc().AccNo, to)) d4delete(acc);
  MasterTables::seekLive(acc, db.acc().AccNo, from);
  db.ReadAcc();
  db.accRecord().AccNo = to;
  db.WriteAcc();
  code4close(db.code());
}

void renumber(xbase::FileSystem& fs, const std::string& dir, Reporter& report) {
  ChildDatabase child(dir, fs);
  renumberAccount(child.db, 11, 21);
  report.line("ALL");
}

void merge(xbase::FileSystem& fs, const std::string& dir, Reporter& report) {
  ChildDatabase child(dir, fs);
  renumberAccount(child.db, 12, 13);
  report.line("ALL");
}

void importPayments(xbase::FileSystem& fs, const std::string& dir, Reporter& report) {
  ChildDatabase child(dir, fs);
  Database& db = child.db;
  db.OpenInc();
  db.OpenFolder();
  db.OpenAccI();
  PaymentImporter importer(db, child.progress);
  const QString file = QString::fromStdString(dir + "/GSTPMT.DBF");
  PaymentImporter::Result result =
      importer.Check({file, QDate(2024, 1, 1), QDate(2024, 1, 31), 3, 2});
  if (result.ok) result = importer.Import();
  code4close(db.code());
  if (result.ok) report.line("ALL");
}

// A bank statement of expenses and income: all of it or none of it may stand.
void importBankStatement(xbase::FileSystem& fs, const std::string& dir, Reporter& report) {
  ChildDatabase child(dir, fs);
  Statement statement{QStringLiteral("CHEQUE"), {}};
  for (int i = 1; i <= 6; ++i) {
    StatementLine line;
    line.fileLine = i + 1;
    line.date = QDate(2026, 8, i);
    line.amount = i % 3 == 0 ? 200.0 + i : -(20.0 + i);
    line.description = QStringLiteral("Statement line %1").arg(i);
    statement.lines.push_back(line);
  }
  BankImporter importer(child.db, child.progress, child.clock);
  ImportPlan plan = importer.Plan(statement, {});
  for (PlannedLine& line : plan.lines) {
    line.account = line.kind == EntryKind::Expense ? 12 : 3;
    line.folder = 1;
  }
  if (importer.Import(plan).ok) report.line("ALL");
}

void restore(xbase::FileSystem& fs, const std::string& dir, Reporter& report) {
  ChildDatabase child(dir, fs);
  ScriptedUi ui;
  const bool ok =
      BackupSet(child.db, ui, child.progress)
          .CopyDataFiles(BackupSet::Direction::Restore, QString::fromStdString(dir + "/../backup"));
  child.db.RebuildIndexes(RebuildMode::Full);
  if (ok) report.line("ALL");
}

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"append", appendExpenses, {{tables::kExpenses, Grain::Record}}},
      {"edit", editExpenses, {{tables::kExpenses, Grain::Record}}},
      {"delete", deleteExpenses, {{tables::kExpenses, Grain::Record}}},
      {"pack", packExpenses, {{tables::kExpenses, Grain::Table}}},
      {"rebuild", rebuildIndexes, {}},
      {"renumber", renumber, {{tables::kExpenses, Grain::Record}, {tables::kAcc, Grain::Record}}},
      {"merge", merge, {{tables::kExpenses, Grain::Record}, {tables::kAcc, Grain::Record}}},
      {"import", importPayments, {{tables::kIncome, Grain::Record}}},
      {"bankimport",
       importBankStatement,
       {{tables::kExpenses, Grain::Table}, {tables::kIncome, Grain::Table}}},
      {"restore",
       restore,
       {{tables::kAcc, Grain::Table},
        {tables::kAccI, Grain::Table},
        {tables::kFolder, Grain::Table},
        {tables::kExpenses, Grain::Table},
        {tables::kIncome, Grain::Table}}},
  };
  return all;
}

bool exhaustive() {
  const char* all = std::getenv("TALLYWORTH_CRASH_ALL");
  return all != nullptr && std::string(all) == "1";
}

class KillTest : public ::testing::TestWithParam<int> {
 protected:
  // The books (books/) and a backup set of other books (backup/), made once.
  static void SetUpTestSuite() {
    root_ = new QTemporaryDir();
    const std::string books = template_() + "/books";
    stdfs::create_directories(books);
    makeBooks(books);
    writePayments(books + "/GSTPMT.DBF");
    // The backup: the same books after a day of other work.
    const std::string other = template_() + "/other";
    stdfs::copy(books, other);
    ChildDatabase child(other, xbase::FileSystem::posix());
    renumberAccount(child.db, 14, 24);
    stdfs::create_directories(template_() + "/backup");
    for (const char* name : {"ACC", "ACCI", "FOLDER", "GSTEXP1", "GSTINC1"})
      stdfs::copy_file(other + "/" + name + ".dbf", template_() + "/backup/" + name + ".bak");
  }
  static void TearDownTestSuite() { delete root_; }
  static std::string template_() { return root_->path().toStdString(); }

  static void writePayments(const std::string& path) {
    int error = 0;
    auto file = xbase::FileSystem::posix().open(path, xbase::OpenMode::Create,
                                                xbase::LockMode::None, &error);
    xbase::DbfFile::create(std::move(file),
                           {{"IVNO", 'C', 10},
                            {"PDATE", 'D', 8},
                            {"PAMT", 'N', 10, 2},
                            {"GST", 'N', 10, 2},
                            {"LGST", 'L', 1}},
                           &error);
    xbase::Engine engine(xbase::FileSystem::posix(), path.substr(0, path.rfind('/')));
    engine.autoOpen = false;
    xbase::Table* table = engine.open("GSTPMT");
    for (int i = 1; i <= 6; ++i) {
      table->appendBlank();
      table->field("IVNO")->assign("INV-" + std::to_string(i));
      table->field("PDATE")->assign("202401" + std::string(i < 5 ? "0" : "1") + std::to_string(i));
      table->field("PAMT")->assignDouble(50.0 * i);
      table->field("GST")->assignDouble(5.0 * i);
      table->field("LGST")->assign("T");
    }
  }

  // A fresh copy of the books for one run; returns its data directory.
  std::string freshBooks() {
    run_ = std::make_unique<QTemporaryDir>();
    const std::string root = run_->path().toStdString();
    stdfs::copy(template_(), root, stdfs::copy_options::recursive);
    return root + "/books";
  }

  static QTemporaryDir* root_;
  std::unique_ptr<QTemporaryDir> run_;
};

QTemporaryDir* KillTest::root_ = nullptr;

TEST_P(KillTest, EveryCommittedRecordSurvivesAndTheIndexesAgree) {
  const Case& c = cases()[GetParam()];
  // The operation run to its end gives the state every commit must reach.
  BookState before, after;
  long changes = 0;
  long durationUs = 0;
  {
    const std::string dir = freshBooks();
    before = readState(dir);
    const auto start = std::chrono::steady_clock::now();
    ChildRun full = runChild(dir, c.run, 0);
    durationUs = std::chrono::duration_cast<std::chrono::microseconds>(
                     std::chrono::steady_clock::now() - start)
                     .count();
    ASSERT_TRUE(full.finished) << full.trouble;
    ASSERT_TRUE(full.trouble.empty()) << full.trouble;
    ASSERT_FALSE(full.reports.empty());
    EXPECT_TRUE(checkAll(dir).empty());
    EXPECT_FALSE(StartupRecovery::LastSessionDied(xbase::FileSystem::posix(), dir));
    after = readState(dir);
    changes = full.changes;
  }
  // (A rebuild changes no record; its tables must simply stay as they were.)
  ASSERT_TRUE(c.grains.empty() || before != after) << "the operation changed nothing";

  // Kill points: every change, or a spread sample of them; then random instants.
  std::vector<long> points;
  const long sample = exhaustive() ? changes : std::min<long>(changes, 6);
  for (long i = 1; i <= sample; ++i) points.push_back(i * changes / sample);
  const int randomKills = exhaustive() ? 100 : 2;
  std::mt19937 random(GetParam() + 1);
  std::uniform_int_distribution<long> instant(0, durationUs);

  int tried = 0, survived = 0, repairedRuns = 0, randomTried = 0, randomSurvived = 0;
  std::vector<std::string> failures;
  auto attempt = [&](long killAt, long killAfterUs) {
    const std::string dir = freshBooks();
    ChildRun run = runChild(dir, c.run, killAt, killAfterUs);
    // The start-up of the next session.
    auto repaired = StartupRecovery::BeginSession(xbase::FileSystem::posix(), dir);
    StartupRecovery::EndSession(xbase::FileSystem::posix(), dir);
    if (!repaired.empty()) ++repairedRuns;
    std::string wrong = run.trouble;
    for (const auto& r : repaired)
      if (r.result != xbase::kSuccess) wrong += "repair of " + r.baseName + " failed; ";
    for (const auto& line : checkAll(dir)) wrong += line + "; ";
    wrong += judge(before, after, readState(dir), c.grains, run.reports);
    const std::string where = killAfterUs >= 0 ? "at " + std::to_string(killAfterUs) + " us"
                                               : "after change " + std::to_string(killAt);
    if (wrong.empty()) return true;
    if (failures.size() < 5) failures.push_back(where + ": " + wrong);
    return false;
  };
  for (long killAt : points) {
    ++tried;
    if (attempt(killAt, -1)) ++survived;
  }
  for (int i = 0; i < randomKills; ++i) {
    ++randomTried;
    if (attempt(0, instant(random))) ++randomSurvived;
  }
  std::printf(
      "kill %-8s changes %4ld  kill points tried %4d survived %4d  random instants "
      "tried %3d survived %3d  runs needing repair %d\n",
      c.name, changes, tried, survived, randomTried, randomSurvived, repairedRuns);
  for (const auto& f : failures) ADD_FAILURE() << c.name << " killed " << f;
  EXPECT_EQ(survived, tried);
  EXPECT_EQ(randomSurvived, randomTried);
}

INSTANTIATE_TEST_SUITE_P(Operations, KillTest, ::testing::Range(0, 10),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(cases()[info.param].name);
                         });

}  // namespace
}  // namespace crash
