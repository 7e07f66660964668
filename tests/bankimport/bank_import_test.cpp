// The import on books: rules in order, lines imported before recognised on an overlapping
// statement, the records written with their tax, and all or nothing when a write fails
// or the process dies part-way.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "BackupSet.h"
#include "BankImporter.h"
#include "BankTables.h"
#include "BookRecords.h"
#include "FaultFileSystem.h"
#include "InterruptedImport.h"
#include "InterruptedWork.h"
#include "ScriptedPrompts.h"
#include "StatementFile.h"
#include "TempDir.h"
#include "TestDatabase.h"
#include "xbase/TableCheck.h"

namespace {

StatementLine line(QDate date, double amount, const char* description, const char* id = "") {
  StatementLine l;
  l.date = date;
  l.amount = amount;
  l.description = QString::fromUtf8(description);
  l.bankId = QString::fromUtf8(id);
  return l;
}

Statement statement(std::vector<StatementLine> lines, const char* account = "CHEQUE") {
  int fileLine = 1;
  for (StatementLine& l : lines) l.fileLine = ++fileLine;
  return Statement{QString::fromLatin1(account), std::move(lines)};
}

BankRule rule(const char* pattern, EntryKind kind, int account, bool regex = false) {
  BankRule r;
  r.pattern = QString::fromUtf8(pattern);
  r.regex = regex;
  r.kind = kind;
  r.account = account;
  r.folder = 1;
  return r;
}

class BankImport : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int account : {11, 12, 13}) books::addAccount(db, books::Chart::Expense, account, "Exp");
    books::addAccount(db, books::Chart::Income, 3, QStringLiteral("Sales"));
    books::addFolder(db, 1, QStringLiteral("Shop"));
    db.settingsRecord().GSTRate = 10;
  }

  long count(const char* table) {
    return InterruptedImport::RecordCount(xbase::FileSystem::posix(), t.books.dir(), table);
  }

  // Imports statement with every line no rule matches made an expense of account 13.
  BankImporter::Result importAll(const Statement& s, const std::vector<BankRule>& rules = {}) {
    ImportPlan plan = importer.Plan(s, rules);
    for (PlannedLine& l : plan.lines) {
      if (l.rule < 0) l.kind = EntryKind::Expense, l.account = 13, l.folder = 1;
    }
    return importer.Import(plan);
  }

  TestDatabase t;
  Database& db = t.db;
  BankImporter importer{db, t.progress, t.clock};
};

TEST_F(BankImport, TheFirstMatchingRuleInOrderClassifiesALine) {
  BankRule small = rule("coffee", EntryKind::Expense, 11);
  small.maxAmount = 3.00;  // 3.45 is too much for it
  const std::vector<BankRule> rules = {
      small, rule("^COSTA", EntryKind::Expense, 12, true), rule("coffee", EntryKind::Expense, 13),
      rule("SALARY", EntryKind::Income, 3), rule("gas", EntryKind::Ignore, 0)};
  const StatementFile::Result read = StatementFile::Read(
      QStringLiteral(TEST_SOURCE_DIR "/bankimport/statements/uk_paid_out_in.csv"), std::nullopt);
  ASSERT_TRUE(read.ok);
  const ImportPlan plan = importer.Plan(read.statement, rules);
  ASSERT_EQ(plan.lines.size(), 4u);
  EXPECT_EQ(plan.lines[0].rule, 1);
  EXPECT_EQ(plan.lines[0].account, 12);
  EXPECT_EQ(plan.lines[1].kind, EntryKind::Income);
  EXPECT_EQ(plan.lines[2].status(), PlannedLine::Status::Ignored);
  // Without a rule a line keeps the kind its sign gives, no account, and the tax included.
  const ImportPlan bare = importer.Plan(read.statement, {});
  EXPECT_EQ(bare.lines[1].kind, EntryKind::Income);
  EXPECT_EQ(bare.lines[1].account, 0);
  EXPECT_TRUE(bare.lines[1].includesTax);
  EXPECT_EQ(bare.lines[0].status(), PlannedLine::Status::New);
}

TEST_F(BankImport, RecordsCarryTheAmountTheTaxAndTheDescription) {
  const std::vector<BankRule> rules = {rule("Sales", EntryKind::Income, 3)};
  const BankImporter::Result result = importAll(
      statement({line(QDate(2024, 5, 2), -110.00, "HARDWARE WHOLESALE SUPPLIES PTY LTD INV 4471"),
                 line(QDate(2024, 5, 3), 55.00, "Sales at the market")}),
      rules);
  ASSERT_TRUE(result.ok) << result.message.toStdString();
  EXPECT_EQ(
      BankImporter::CompletionMessage(result),
      QStringLiteral("Imported 1 expense(s) and 1 income record(s); 0 line(s) not imported."));
  db.OpenExp();
  d4bottom(db.exp().data);
  db.ReadExp();
  EXPECT_EQ(db.expRecord().ExpDate, QDate(2024, 5, 2));
  EXPECT_DOUBLE_EQ(db.expRecord().Amount, 110.00);
  EXPECT_DOUBLE_EQ(db.expRecord().GSTE, 10.00);
  EXPECT_EQ(db.expRecord().PayTo.trimmed(), QStringLiteral("HARDWARE WHOLESALE SUPPLIES PT"));
  EXPECT_EQ(db.expRecord().EMemo.trimmed(), QStringLiteral("Y LTD INV 4471"));
  db.OpenInc();
  d4bottom(db.inc().data);
  db.ReadInc();
  EXPECT_DOUBLE_EQ(db.incRecord().IncAmt, 55.00);
  EXPECT_DOUBLE_EQ(db.incRecord().GstI, 5.00);
  EXPECT_EQ(db.incRecord().IncAcc, 3);
  code4close(db.code());
}

TEST_F(BankImport, AnOverlappingStatementImportsOnlyItsNewLines) {
  const StatementLine coffee = line(QDate(2024, 1, 5), -3.45, "COSTA COFFEE");
  const StatementLine gas = line(QDate(2024, 1, 6), -88.20, "BRITISH GAS");
  const StatementLine later = line(QDate(2024, 1, 9), -20.00, "NEWSAGENT");
  // Two equal coffees on one day are two lines, both imported.
  ASSERT_TRUE(importAll(statement({coffee, coffee, gas})).ok);
  const long expenses = count(tables::kExpenses);

  ImportPlan plan = importer.Plan(statement({coffee, coffee, coffee, gas, later}), {});
  std::vector<PlannedLine::Status> statuses;
  for (const PlannedLine& l : plan.lines) statuses.push_back(l.status());
  using S = PlannedLine::Status;
  EXPECT_EQ(statuses, (std::vector<S>{S::InBooks, S::InBooks, S::New, S::InBooks, S::New}));

  ASSERT_TRUE(importAll(statement({coffee, coffee, coffee, gas, later})).ok);
  EXPECT_EQ(count(tables::kExpenses), expenses + 2);
  // A line of the books may still be imported on purpose.
  plan = importer.Plan(statement({gas}), {});
  plan.lines[0].skip = false;
  plan.lines[0].account = 13;
  plan.lines[0].folder = 1;
  ASSERT_TRUE(importer.Import(plan).ok);
  EXPECT_EQ(count(tables::kExpenses), expenses + 3);
}

TEST_F(BankImport, TheBanksOwnIdRecognisesALineWhateverItsText) {
  ASSERT_TRUE(importAll(statement({line(QDate(2024, 2, 3), -129.99, "ADOBE", "FT01")})).ok);
  const ImportPlan again =
      importer.Plan(statement({line(QDate(2024, 2, 4), -129.99, "ADOBE *CC", "FT01"),
                               line(QDate(2024, 2, 4), -129.99, "ADOBE *CC", "FT02")}),
                    {});
  EXPECT_TRUE(again.lines[0].inBooks);
  EXPECT_FALSE(again.lines[1].inBooks);
  // Another account's statement shares no ids.
  EXPECT_FALSE(
      importer.Plan(statement({line(QDate(2024, 2, 3), -129.99, "ADOBE", "FT01")}, "CARD"), {})
          .lines[0]
          .inBooks);
}

TEST_F(BankImport, ALineWithoutAccountStopsTheWholeImport) {
  ImportPlan plan = importer.Plan(
      statement({line(QDate(2024, 1, 5), -3.45, "A"), line(QDate(2024, 1, 6), -4.00, "B")}), {});
  plan.lines[0].account = 13;
  plan.lines[0].folder = 1;
  const BankImporter::Result result = importer.Import(plan);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message.toStdString(),
            "Line 3 (2024-01-06, B) has no account.\r\nNothing was imported.");
  EXPECT_EQ(count(tables::kExpenses), 0);
}

TEST_F(BankImport, RulesAreStoredInTheirOrder) {
  BankRule ranged = rule("^RENT", EntryKind::Expense, 12, true);
  ranged.minAmount = 100;
  const std::vector<BankRule> rules = {ranged, rule("Sales", EntryKind::Income, 3)};
  ASSERT_TRUE(BankTables::SaveRules(db, rules));
  EXPECT_EQ(BankTables::LoadRules(db), rules);
  ASSERT_TRUE(BankTables::SaveRules(db, {rules[1]}));
  EXPECT_EQ(BankTables::LoadRules(db), std::vector<BankRule>{rules[1]});
}

TEST_F(BankImport, RulesAndHistoryAreBackedUpAndRestoredWithTheBooks) {
  ScriptedPrompts ui;
  TempDir before, withRules;
  ASSERT_TRUE(
      BackupSet(db, ui, t.progress)
          .CopyDataFiles(BackupSet::Direction::Backup, QString::fromStdString(before.path())));
  const std::vector<BankRule> rules = {rule("Sales", EntryKind::Income, 3)};
  ASSERT_TRUE(BankTables::SaveRules(db, rules));
  ASSERT_TRUE(importAll(statement({line(QDate(2024, 1, 1), -1.00, "FIRST")})).ok);
  BackupSet set(db, ui, t.progress);
  ASSERT_TRUE(
      set.CopyDataFiles(BackupSet::Direction::Backup, QString::fromStdString(withRules.path())));
  EXPECT_EQ(set.Copied(), 7) << "the five tables, the rules and the history (no profile yet)";
  ASSERT_TRUE(BankTables::SaveRules(db, {}));

  ASSERT_TRUE(
      set.CopyDataFiles(BackupSet::Direction::Restore, QString::fromStdString(withRules.path())));
  EXPECT_EQ(set.Copied(), 7);
  db.RebuildIndexes(RebuildMode::Full);
  EXPECT_EQ(BankTables::LoadRules(db), rules);
  EXPECT_TRUE(
      importer.Plan(statement({line(QDate(2024, 1, 1), -1.00, "FIRST")}), {}).lines[0].inBooks);
  // Books backed up before they had the tables come back without them.
  ASSERT_TRUE(
      BackupSet(db, ui, t.progress)
          .CopyDataFiles(BackupSet::Direction::Restore, QString::fromStdString(before.path())));
  EXPECT_TRUE(BankTables::LoadRules(db).empty());
  EXPECT_EQ(count(tables::kBankHistory), 0);
}

TEST_F(BankImport, ARestoreCutShortTakesAwayTheBankTablesItBrought) {
  xbase::FileSystem& fs = xbase::FileSystem::posix();
  ASSERT_TRUE(BankTables::SaveRules(db, {rule("Sales", EntryKind::Income, 3)}));
  // Where the restore stood: the rule table placed, the books having had none, the marker.
  const std::string table = t.books.path("BANKRULE.dbf");
  for (const std::string& file :
       {table + InterruptedWork::kAbsent, t.books.path(InterruptedWork::kRestoreMarker)}) {
    int rc = 0;
    ASSERT_TRUE(fs.open(file, xbase::OpenMode::Create, xbase::LockMode::None, &rc));
  }
  InterruptedWork::Finish(fs, t.books.dir());
  EXPECT_FALSE(fs.exists(table));
  EXPECT_FALSE(fs.exists(table + InterruptedWork::kAbsent));
  EXPECT_TRUE(BankTables::LoadRules(db).empty());
}

// The books as files of the fault-injecting file system, and a Database on them.
class FailingImport : public BankImport {
 protected:
  void mirror() {
    code4close(db.code());
    const QDir dir(QString::fromStdString(t.books.dir()));
    for (const QString& name : dir.entryList(QDir::Files)) {
      QFile file(dir.filePath(name));
      file.open(QIODevice::ReadOnly);
      files.setBytes(dir.filePath(name).toStdString(), file.readAll().toStdString());
    }
  }
  std::uint32_t countOn(const char* table) {
    return InterruptedImport::RecordCount(files, t.books.dir(), table);
  }

  xbase::test::FaultFileSystem files;
};

TEST_F(FailingImport, AWriteFailingPartWayLeavesTheBooksAsBefore) {
  ASSERT_TRUE(importAll(statement({line(QDate(2024, 1, 1), -1.00, "FIRST")})).ok);
  mirror();
  Database failing(t.books.dir(), t.host, t.progress, t.clock, files);
  failing.settingsRecord().GSTRate = 10;
  BankImporter onFailingDisk(failing, t.progress, t.clock);
  std::vector<StatementLine> lines;
  for (int i = 1; i <= 40; ++i) lines.push_back(line(QDate(2024, 2, 1).addDays(i), -i, "LINE"));
  ImportPlan plan = onFailingDisk.Plan(statement(lines), {});
  for (PlannedLine& l : plan.lines) l.account = 13, l.folder = 1;
  files.shortWriteAt(60);
  const BankImporter::Result result = onFailingDisk.Import(plan);
  files.clearFaults();
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(countOn(tables::kExpenses), 1u);
  EXPECT_EQ(countOn(tables::kBankHistory), 1u);
  EXPECT_FALSE(files.exists(t.books.dir() + "/" + InterruptedImport::kMarker));
  for (const TableDefinition* table :
       {&TableDefinitions::expenses(), &TableDefinitions::bankHistory()})
    EXPECT_TRUE(xbase::CheckTable(files, t.books.dir(), table->baseName, table->groupName).empty());
}

TEST_F(BankImport, AnImportKilledPartWayIsUndoneAtTheNextStart) {
  ASSERT_TRUE(importAll(statement({line(QDate(2024, 1, 1), -1.00, "FIRST")})).ok);
  xbase::FileSystem& fs = xbase::FileSystem::posix();
  ASSERT_TRUE(InterruptedImport::Begin(fs, t.books.dir(),
                                       {{tables::kExpenses, 1}, {tables::kBankHistory, 1}}));
  // What the killed import got written: appends counted and keyed.
  db.OpenExp();
  for (int i = 0; i < 5; ++i)
    books::expectAppended(db.AppendExpBatched(
        {.ExpDate = QDate(2024, 3, 1), .AccNo = 13, .FolNo = 1, .PayTo = {}, .EMemo = {}}));
  code4close(db.code());
  const std::vector<std::string> done = InterruptedWork::Finish(fs, t.books.dir());
  ASSERT_FALSE(done.empty());
  EXPECT_EQ(count(tables::kExpenses), 1);
  EXPECT_TRUE(xbase::CheckTable(fs, t.books.dir(), tables::kExpenses, "GSTEXP1").empty());
  EXPECT_FALSE(fs.exists(t.books.dir() + "/" + InterruptedImport::kMarker));
}

}  // namespace
