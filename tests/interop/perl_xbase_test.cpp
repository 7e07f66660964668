// The expense table and its tags as the engine writes them, read back by the independent
// Perl XBase module (read_xbase.pl): every record and field value, and every tag walked
// through its B-tree pages, must agree with what was stored and with the engine's own walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "PeerProcess.h"
#include "TableDefinitions.h"
#include "TempDir.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace {

using xbase::kEof;
using xbase::kSuccess;

struct Expense {
  std::string date;  // yyyymmdd; empty for no date
  long checkNo = 0;
  int accNo = 0;
  int folNo = 0;
  std::string payTo;
  long amountCents = 0;
  bool lgste = false;
  long gsteCents = 0;
  std::string memo;
  bool archive = false;
  bool deleted = false;
};

std::string money(long cents) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", static_cast<double>(cents) / 100);
  return buf;
}

std::string accText(int accNo) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%4d", accNo);
  return buf;
}

std::string dateKey(const Expense& e) { return e.date.empty() ? std::string(8, ' ') : e.date; }
std::string eDateKey(const Expense& e) { return dateKey(e) + accText(e.accNo); }
std::string eAccKey(const Expense& e) { return accText(e.accNo) + dateKey(e); }

// The record as read_xbase.pl prints it, fields in table order.
std::vector<std::string> canonical(const Expense& e) {
  return {e.date,  std::to_string(e.checkNo), std::to_string(e.accNo), std::to_string(e.folNo),
          e.payTo, money(e.amountCents),      e.lgste ? "T" : "F",     money(e.gsteCents),
          e.memo,  e.archive ? "T" : "F"};
}

struct PerlRecord {
  bool deleted = false;
  std::vector<std::string> values;
};

struct PerlTag {
  int keyLength = 0;
  std::vector<long> recnos;
  std::vector<std::string> keys;
};

struct PerlView {
  std::vector<PerlRecord> records;  // index recno - 1
  std::vector<PerlTag> tags;        // in the order the files were given
};

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return parts;
    start = tab + 1;
  }
}

PerlView parsePerl(const std::string& out) {
  PerlView view;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::string> f = splitTabs(line);
    if (f[0] == "R") {
      view.records.push_back({f[2] == "1", std::vector<std::string>(f.begin() + 3, f.end())});
    } else if (f[0] == "T") {
      view.tags.push_back({std::stoi(f[2]), {}, {}});
    } else if (f[0] == "K" && !view.tags.empty()) {
      view.tags.back().recnos.push_back(std::stol(f[1]));
      view.tags.back().keys.push_back(f[2]);
    }
  }
  return view;
}

class PerlXBaseInterop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!perlXBaseAvailable())
      GTEST_SKIP() << "perl with XBase (libdbd-xbase-perl) is not installed";
  }

  Expense randomExpense() {
    static const char* const kPayees[] = {
        "Officeworks", "Telstra", "Caf\xE9 Roma", "ATO", "Bunnings Warehouse", "Qantas", ""};
    static const char* const kMemos[] = {"", "stationery", "quarterly", "fuel + tolls"};
    Expense e;
    // 300 days and 12 accounts over thousands of records: many duplicate keys.
    if (rng_() % 100 != 0) {
      char buf[16];
      const int day = static_cast<int>(rng_() % 300);
      std::snprintf(buf, sizeof buf, "2023%02d%02d", 1 + day / 28, 1 + day % 28);
      e.date = buf;
    }
    e.checkNo = rng_() % 3 == 0 ? static_cast<long>(rng_() % 100000000) : 0;
    e.accNo = 1 + static_cast<int>(rng_() % 12);
    e.folNo = 1 + static_cast<int>(rng_() % 10);
    e.payTo = kPayees[rng_() % std::size(kPayees)];
    e.amountCents = static_cast<long>(rng_() % 1000000) - 5000;
    e.lgste = rng_() % 2 == 0;
    e.gsteCents = e.lgste ? e.amountCents / 11 : 0;
    e.memo = kMemos[rng_() % std::size(kMemos)];
    e.archive = rng_() % 10 == 0;
    return e;
  }

  static void store(xbase::Table* t, const Expense& e) {
    ASSERT_EQ(t->field(fields::kExpDate)->assign(e.date), kSuccess);
    ASSERT_EQ(t->field(fields::kCheckNo)->assignInteger(e.checkNo), kSuccess);
    ASSERT_EQ(t->field(fields::kAccNo)->assignInteger(e.accNo), kSuccess);
    ASSERT_EQ(t->field(fields::kFolNo)->assignInteger(e.folNo), kSuccess);
    ASSERT_EQ(t->field(fields::kPayTo)->assign(e.payTo), kSuccess);
    ASSERT_EQ(t->field(fields::kAmount)->assignDouble(e.amountCents / 100.0), kSuccess);
    ASSERT_EQ(t->field(fields::kLGSTE)->assign(e.lgste ? "T" : "F"), kSuccess);
    ASSERT_EQ(t->field(fields::kGSTE)->assignDouble(e.gsteCents / 100.0), kSuccess);
    ASSERT_EQ(t->field(fields::kEMemo)->assign(e.memo), kSuccess);
    ASSERT_EQ(t->field(fields::kArchive)->assign(e.archive ? "T" : "F"), kSuccess);
    if (e.deleted) t->markDeleted();
  }

  void append(xbase::Table* t, const Expense& e) {
    ASSERT_EQ(t->appendBlank(), kSuccess);
    store(t, e);
    expenses_.push_back(e);
    ASSERT_EQ(t->recNo(), static_cast<long>(expenses_.size()));
  }

  // A new GSTEXP1 of count random records (every 17th deleted) with its index group.
  void createIndexedTable(int count) {
    int error = 0;
    auto file = xbase::FileSystem::posix().open(dir_.file("GSTEXP1.dbf"), xbase::OpenMode::Create,
                                                xbase::LockMode::None, &error);
    ASSERT_TRUE(file);
    ASSERT_TRUE(
        xbase::DbfFile::create(std::move(file), TableDefinitions::expenses().fields, &error));
    xbase::Table* t = engine_.open(tables::kExpenses);
    ASSERT_NE(t, nullptr);
    for (int i = 0; i < count; ++i) {
      Expense e = randomExpense();
      e.deleted = i % 17 == 5;
      append(t, e);
    }
    ASSERT_EQ(t->createIndexGroup("GSTEXP1", TableDefinitions::expenses().tags), kSuccess);
    ASSERT_EQ(engine_.close(t), kSuccess);
  }

  // Live records ordered by key, then record number: what a tag must walk.
  std::vector<std::pair<std::string, long>> expectedTag(std::string (*key)(const Expense&)) const {
    std::vector<std::pair<std::string, long>> entries;
    for (std::size_t i = 0; i < expenses_.size(); ++i)
      if (!expenses_[i].deleted) entries.emplace_back(key(expenses_[i]), static_cast<long>(i + 1));
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  std::vector<long> engineWalk(const std::string& tagName) {
    std::vector<long> recnos;
    xbase::Table* t = engine_.open(tables::kExpenses);
    EXPECT_NE(t, nullptr);
    if (!t) return recnos;
    t->selectTag(t->tag(tagName));
    EXPECT_NE(t->selectedTag(), nullptr);
    for (int rc = t->top(); rc != kEof; rc = t->skip()) {
      EXPECT_EQ(rc, kSuccess);
      if (rc != kSuccess) break;
      recnos.push_back(t->recNo());
    }
    engine_.close(t);
    return recnos;
  }

  // Runs the Perl reader over the table and both tags and checks everything it saw.
  void expectPeersAgree() {
    const PeerResult perl =
        runPeer("perl " + shellWord(peerScript("read_xbase.pl")) + " " +
                shellWord(dir_.file("GSTEXP1.dbf")) + " " + shellWord(dir_.file("EDate.ntx")) +
                " " + shellWord(dir_.file("EAcc.ntx")));
    ASSERT_EQ(perl.exitCode, 0) << perl.out;
    const PerlView view = parsePerl(perl.out);

    ASSERT_EQ(view.records.size(), expenses_.size());
    for (std::size_t i = 0; i < expenses_.size(); ++i) {
      EXPECT_EQ(view.records[i].deleted, expenses_[i].deleted) << "record " << i + 1;
      EXPECT_EQ(view.records[i].values, canonical(expenses_[i])) << "record " << i + 1;
    }

    ASSERT_EQ(view.tags.size(), 2u);
    const char* const names[] = {"EDate", "EAcc"};
    std::string (*const keys[])(const Expense&) = {eDateKey, eAccKey};
    for (int tag = 0; tag < 2; ++tag) {
      SCOPED_TRACE(names[tag]);
      std::vector<long> recnos;
      std::vector<std::string> keyTexts;
      for (const auto& [key, recno] : expectedTag(keys[tag])) {
        keyTexts.push_back(key);
        recnos.push_back(recno);
      }
      EXPECT_EQ(view.tags[tag].keyLength, 12);
      EXPECT_EQ(view.tags[tag].recnos, recnos);
      EXPECT_EQ(view.tags[tag].keys, keyTexts);
      EXPECT_EQ(engineWalk(names[tag]), recnos);
    }
  }

  TempDir dir_;
  xbase::Engine engine_{xbase::FileSystem::posix(), dir_.path()};
  std::mt19937 rng_{20240601};
  std::vector<Expense> expenses_;  // index recno - 1
};

TEST_F(PerlXBaseInterop, FreshlyBuiltTablesAndTagsReadTheSame) {
  ASSERT_NO_FATAL_FAILURE(createIndexedTable(4000));
  expectPeersAgree();
}

// Inserts on one hot key and spread over the table split pages; deleting a whole range of
// dates and a run of one account empties pages that must then merge or borrow; changing
// keys and recalling records do both. XBase must still walk every page in order.
TEST_F(PerlXBaseInterop, TagsStayReadableAfterSplitsAndMerges) {
  ASSERT_NO_FATAL_FAILURE(createIndexedTable(4000));
  xbase::Table* t = engine_.open(tables::kExpenses);
  ASSERT_NE(t, nullptr);
  for (int i = 0; i < 1500; ++i) {
    Expense e = randomExpense();
    if (i % 3 != 0) {
      e.date = "20230615";
      e.accNo = 7;
    }
    ASSERT_NO_FATAL_FAILURE(append(t, e));
  }
  std::uniform_int_distribution<long> anyRecord(1, static_cast<long>(expenses_.size()));
  for (long n = 1; n <= static_cast<long>(expenses_.size()); ++n) {
    Expense& e = expenses_[n - 1];
    const bool early = !e.date.empty() && e.date < "20230401";
    if (e.deleted || !(early || (e.accNo == 3 && n % 3 != 0))) continue;
    ASSERT_EQ(t->go(n), kSuccess);
    t->markDeleted();
    e.deleted = true;
  }
  for (int i = 0; i < 300; ++i) {
    const long n = anyRecord(rng_);
    Expense& e = expenses_[n - 1];
    Expense moved = randomExpense();
    e.date = moved.date;
    e.accNo = moved.accNo;
    if (i % 3 == 0) e.deleted = false;
    ASSERT_EQ(t->go(n), kSuccess);
    if (i % 3 == 0) t->recall();
    ASSERT_NO_FATAL_FAILURE(store(t, e));
  }
  ASSERT_EQ(engine_.close(t), kSuccess);
  expectPeersAgree();
}

TEST_F(PerlXBaseInterop, PackedTableAndRebuiltTagsReadTheSame) {
  ASSERT_NO_FATAL_FAILURE(createIndexedTable(3000));
  engine_.exclusive = true;
  xbase::Table* t = engine_.open(tables::kExpenses);
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->pack(), kSuccess);
  ASSERT_EQ(engine_.close(t), kSuccess);
  engine_.exclusive = false;
  std::erase_if(expenses_, [](const Expense& e) { return e.deleted; });
  expectPeersAgree();
}

}  // namespace
