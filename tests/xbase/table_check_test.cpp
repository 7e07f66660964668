// The table check finds each way a table and its tags can disagree without changing a
// byte, and the repair mends each without losing a record.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "AllocationMeter.h"
#include "ByteCoding.h"
#include "FaultFileSystem.h"
#include "ItemsTable.h"
#include "NtxIndex.h"
#include "NtxKeySorter.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"
#include "xbase/TableCheck.h"

using namespace xbase;
using xbase::test::FaultFileSystem;

namespace {

const std::vector<TagSpec>& kTags = xbase::test::kItemsTags;
constexpr int kRecords = 12;

class TableCheckTest : public ::testing::Test {
 protected:
  // Records R1..R12 with NUM = 100 - i; R3, R6, R9 and R12 deleted.
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(xbase::test::makeItemsTable(fs, kRecords, 100));
    original = records();
  }

  // Checks, asserting that checking changed nothing on disk.
  std::vector<TableFinding> check(const std::string& group = "Items") {
    auto before = fs.snapshot();
    auto findings = CheckTable(fs, "/books", "ITEMS", group);
    EXPECT_EQ(fs.snapshot(), before) << "the check changed a file";
    return findings;
  }

  // Whether a finding about file contains text.
  static bool has(const std::vector<TableFinding>& findings, const std::string& file,
                  const std::string& text) {
    return std::any_of(findings.begin(), findings.end(), [&](const TableFinding& f) {
      return f.file == file && f.problem.find(text) != std::string::npos;
    });
  }

  // Every record's bytes in record order, read from the table file alone.
  std::vector<std::string> records() {
    int rc = 0;
    auto dbf =
        DbfFile::open(fs.open("/books/ITEMS.dbf", OpenMode::ReadOnly, LockMode::None, &rc), &rc);
    EXPECT_TRUE(dbf);
    std::vector<std::string> out;
    if (!dbf) return out;
    std::string rec(dbf->recordLength(), ' ');
    for (std::uint32_t n = 1; n <= dbf->recordCount(); ++n) {
      EXPECT_EQ(dbf->readRecord(n, rec.data()), kSuccess);
      out.push_back(rec);
    }
    return out;
  }

  // Repairs and expects every record as it was and nothing left to find.
  void repairAndExpectWhole() {
    ASSERT_EQ(RepairTable(fs, "/books", "ITEMS", "Items", kTags), kSuccess);
    EXPECT_EQ(records(), original);
    auto after = check();
    EXPECT_TRUE(after.empty()) << after.front().file << ": " << after.front().problem;
  }

  // Changes record n behind the tags' back, as a process dying between the table write
  // and the index writes would leave it.
  void writeRecordOnly(std::uint32_t n, const std::function<void(std::string&)>& change) {
    int rc = 0;
    auto dbf =
        DbfFile::open(fs.open("/books/ITEMS.dbf", OpenMode::ReadWrite, LockMode::None, &rc), &rc);
    ASSERT_TRUE(dbf);
    std::string rec(dbf->recordLength(), ' ');
    ASSERT_EQ(dbf->readRecord(n, rec.data()), kSuccess);
    change(rec);
    ASSERT_EQ(dbf->writeRecord(n, rec.data()), kSuccess);
    original[n - 1] = rec;
  }

  // The counted records' bytes as the file holds them: a 97-byte header (two fields) and
  // 14-byte records.
  std::string recordBytes() { return fs.bytes("/books/ITEMS.dbf").substr(97, kRecords * 14); }

  void setCount(std::uint32_t count) {
    std::string bytes = fs.bytes("/books/ITEMS.dbf");
    writeU32(bytes.data() + 4, count);
    fs.setBytes("/books/ITEMS.dbf", bytes);
  }

  FaultFileSystem fs;
  std::vector<std::string> original;
};

TEST_F(TableCheckTest, ASoundTableHasNoFindings) {
  EXPECT_TRUE(check().empty());
  EXPECT_TRUE(check("").empty());
  ASSERT_EQ(RepairTable(fs, "/books", "ITEMS", "Items", kTags), kSuccess);
  EXPECT_EQ(records(), original);
  EXPECT_TRUE(check().empty());
}

TEST_F(TableCheckTest, ATagMissingARecordIsFoundAndRebuilt) {
  int rc = 0;
  auto index =
      NtxIndex::open(fs.open("/books/ByNum.ntx", OpenMode::ReadWrite, LockMode::None, &rc), &rc);
  ASSERT_TRUE(index);
  ASSERT_EQ(index->remove("   96", 4), kSuccess);
  index.reset();
  auto findings = check();
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_TRUE(has(findings, "ByNum.ntx", "record 4 missing from the tag"));
  repairAndExpectWhole();
}

TEST_F(TableCheckTest, ADeletedRecordLeftInTheTagsIsFound) {
  writeRecordOnly(5, [](std::string& rec) { rec[0] = '*'; });
  auto findings = check();
  EXPECT_TRUE(has(findings, "ByName.ntx", "record 5 does not belong in the tag"));
  EXPECT_TRUE(has(findings, "ByNum.ntx", "record 5 does not belong in the tag"));
  repairAndExpectWhole();
}

TEST_F(TableCheckTest, ARecalledRecordAbsentFromTheTagsIsFound) {
  writeRecordOnly(6, [](std::string& rec) { rec[0] = ' '; });
  auto findings = check();
  EXPECT_TRUE(has(findings, "ByName.ntx", "record 6 missing from the tag"));
  EXPECT_TRUE(has(findings, "ByNum.ntx", "record 6 missing from the tag"));
  repairAndExpectWhole();
}

TEST_F(TableCheckTest, AStaleKeyIsFoundInTheTagOnThatField) {
  writeRecordOnly(2, [](std::string& rec) { rec.replace(1, 8, "CHANGED "); });
  auto findings = check();
  EXPECT_TRUE(has(findings, "ByName.ntx", "record 2 has a stale key"));
  EXPECT_FALSE(has(findings, "ByNum.ntx", "record 2"));
  repairAndExpectWhole();
}

TEST_F(TableCheckTest, KeysOutOfOrderAreFoundAsADamagedPage) {
  // Swap the key text of two entries in the page, leaving their record numbers.
  std::string bytes = fs.bytes("/books/ByName.ntx");
  std::size_t a = bytes.find("R1      "), b = bytes.find("R2      ");
  ASSERT_NE(a, std::string::npos);
  ASSERT_NE(b, std::string::npos);
  std::swap_ranges(bytes.begin() + a, bytes.begin() + a + 8, bytes.begin() + b);
  fs.setBytes("/books/ByName.ntx", bytes);
  auto findings = check();
  // The page reader refuses a page out of order, so the walk stops there.
  EXPECT_TRUE(has(findings, "ByName.ntx", "damaged page"));
  EXPECT_TRUE(has(findings, "ByName.ntx", "record 1 has a stale key"));
  repairAndExpectWhole();
}

TEST_F(TableCheckTest, ACountBeyondTheDataIsFoundAndCutBackToTheWholeRecords) {
  setCount(kRecords + 2);
  auto findings = check();
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].file, "ITEMS.dbf");
  EXPECT_NE(findings[0].problem.find("counts 14 records but the file holds 12"), std::string::npos);
  repairAndExpectWhole();
}

TEST_F(TableCheckTest, AnUncountedRecordPastTheDataIsFoundAndCutOff) {
  // An append that died before its count was written: record and marker, count unchanged.
  std::string bytes = fs.bytes("/books/ITEMS.dbf");
  std::string extra(original[0]);
  extra.replace(1, 8, "GHOST   ");
  bytes.insert(bytes.size() - 1, extra);
  fs.setBytes("/books/ITEMS.dbf", bytes);
  auto findings = check();
  EXPECT_TRUE(has(findings, "ITEMS.dbf", "bytes past the 12 counted records"));
  repairAndExpectWhole();
  EXPECT_EQ(fs.bytes("/books/ITEMS.dbf").back(), '\x1A');
}

// Whole records past a damaged count are data: an open refuses the table (an append would
// overwrite them), the check counts them, and the repair counts them back in, every byte
// kept. The bytes are compared as the file holds them, not through the engine.
TEST_F(TableCheckTest, RecordsPastADamagedCountAreRefusedFoundAndCountedBackIn) {
  const std::string records = recordBytes();
  for (std::uint32_t count : {0u, 2u}) {
    setCount(count);
    Engine engine(fs, "/books");
    EXPECT_EQ(engine.open("ITEMS"), nullptr);
    EXPECT_EQ(engine.errorFile(), "/books/ITEMS.dbf");
    EXPECT_EQ(engine.takeError(), kErrUncounted);
    const std::string past = std::to_string(kRecords - count);
    EXPECT_TRUE(has(check(), "ITEMS.dbf",
                    past + " whole records lie past the " + std::to_string(count) + " counted"));
    std::vector<std::string> done;
    ASSERT_EQ(RepairTable(fs, "/books", "ITEMS", "Items", kTags, &done), kSuccess);
    ASSERT_FALSE(done.empty());
    EXPECT_EQ(done[0], "counted in the " + past + " records past the header's count of " +
                           std::to_string(count));
    EXPECT_EQ(readU32(fs.bytes("/books/ITEMS.dbf").data() + 4), std::uint32_t(kRecords));
    EXPECT_EQ(recordBytes(), records);
    EXPECT_TRUE(check().empty());
  }
}

TEST_F(TableCheckTest, APartRecordCutByTheRepairIsSavedBesideTheTable) {
  std::string bytes = fs.bytes("/books/ITEMS.dbf");
  const std::string part = " R99 ";
  bytes.insert(bytes.size() - 1, part);  // before the end-of-file marker
  fs.setBytes("/books/ITEMS.dbf", bytes);
  std::vector<std::string> done;
  ASSERT_EQ(RepairTable(fs, "/books", "ITEMS", "Items", kTags, &done), kSuccess);
  std::vector<std::string> saved;
  for (const auto& [path, data] : fs.snapshot()) {
    if (path.rfind("/books/ITEMS.dbf.", 0) == 0 && path.size() > 4 &&
        path.compare(path.size() - 4, 4, ".cut") == 0) {
      EXPECT_EQ(data, part + "\x1A");
      saved.push_back(path.substr(7));
    }
  }
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(done[0], "saved the 6 bytes past the records to " + saved[0] + " and cut them off");
  EXPECT_EQ(records(), original);
}

// A header length or record length that no longer matches the field list would have every
// record read shifted: the check says so and the repair refuses, changing no byte.
TEST_F(TableCheckTest, AHeaderThatMisplacesTheRecordsIsFoundAndNotRepaired) {
  const std::string sound = fs.bytes("/books/ITEMS.dbf");
  for (auto [offset, delta] : {std::pair{8, 5}, std::pair{10, 1}, std::pair{8, 32}}) {
    std::string bytes = sound;
    writeU16(bytes.data() + offset,
             static_cast<std::uint16_t>(readU16(bytes.data() + offset) + delta));
    fs.setBytes("/books/ITEMS.dbf", bytes);
    EXPECT_TRUE(has(check(), "ITEMS.dbf", "header damaged")) << offset << "+" << delta;
    const auto before = fs.snapshot();
    EXPECT_EQ(RepairTable(fs, "/books", "ITEMS", "Items", kTags), kErrData);
    EXPECT_EQ(fs.snapshot(), before) << offset << "+" << delta;
  }
}

TEST_F(TableCheckTest, RecordBytesTheirFieldsCannotHoldAreFound) {
  writeRecordOnly(4, [](std::string& rec) { rec[10] = 'x'; });  // in NUM
  writeRecordOnly(7, [](std::string& rec) { rec[0] = 'Q'; });   // no deletion flag
  const auto findings = check();
  EXPECT_TRUE(has(findings, "ITEMS.dbf", "record 4: NUM holds bytes its type does not allow"));
  EXPECT_TRUE(has(findings, "ITEMS.dbf", "record 7 does not start where the header says"));
}

TEST(TableCheckSpecialFiles, APipeInPlaceOfATableIsFoundWithoutWaitingForAWriter) {
  char dir[] = "/tmp/tablecheckXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string fifo = std::string(dir) + "/ITEMS.dbf";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const auto findings = CheckTable(FileSystem::posix(), dir, "ITEMS", "");
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].problem, "cannot be opened: not a regular file");
  std::remove(fifo.c_str());
  rmdir(dir);
}

TEST_F(TableCheckTest, AMissingTagFileOrGroupFileIsFound) {
  fs.remove("/books/ByNum.ntx");
  EXPECT_TRUE(has(check(), "ByNum.ntx", "tag file missing"));
  repairAndExpectWhole();
  fs.remove("/books/Items.cgp");
  EXPECT_TRUE(has(check(), "Items.cgp", "index group file missing"));
  repairAndExpectWhole();
}

TEST_F(TableCheckTest, ATagOfAnotherTableIsFound) {
  // The header claims 6-byte keys of NUM, which keys 5 bytes in this table.
  int rc = 0;
  NtxKeySorter none(6);
  none.finish();
  ASSERT_TRUE(NtxIndex::build(fs.open("/books/ByName.ntx", OpenMode::Create, LockMode::None, &rc),
                              NtxInfo{"NUM", "", "ByName", 6}, none, &rc));
  EXPECT_TRUE(has(check(), "ByName.ntx", "does not fit the table"));
  repairAndExpectWhole();
}

TEST_F(TableCheckTest, ManyProblemsInOneFileAreSummedUp) {
  int rc = 0;
  NtxKeySorter none(5);
  none.finish();
  ASSERT_TRUE(NtxIndex::build(fs.open("/books/ByNum.ntx", OpenMode::Create, LockMode::None, &rc),
                              NtxInfo{"STR(NUM, 5)", ".NOT. DELETED()", "ByNum", 5}, none, &rc));
  // An empty tag misses all 8 live records: no summary line yet.
  EXPECT_EQ(check().size(), 8u);
  for (int i = 0; i < 30; ++i) {
    Engine engine(fs, "/books");
    engine.autoOpen = false;
    Table* t = engine.open("ITEMS");
    ASSERT_EQ(t->appendBlank(), kSuccess);
    t->field("NUM")->assignInteger(i);
  }
  // 38 live records missing from ByNum, the 30 new ones from ByName too.
  std::vector<std::string> byNum, byName;
  for (const TableFinding& f : check())
    (f.file == "ByNum.ntx" ? byNum : byName).push_back(f.problem);
  ASSERT_EQ(byNum.size(), 21u);
  EXPECT_EQ(byNum.back(), "18 more problems");
  ASSERT_EQ(byName.size(), 21u);
  EXPECT_EQ(byName.back(), "10 more problems");
}

TEST_F(TableCheckTest, RepairWaitsForNoOtherHandle) {
  writeRecordOnly(5, [](std::string& rec) { rec[0] = '*'; });
  auto before = fs.snapshot();
  Engine other(fs, "/books");
  ASSERT_NE(other.open("ITEMS"), nullptr);
  EXPECT_EQ(RepairTable(fs, "/books", "ITEMS", "Items", kTags), kErrLocked);
  EXPECT_EQ(fs.snapshot(), before);
}

}  // namespace

namespace {

// The check keeps a key fingerprint and a few bits per record, not the records: a large
// table is checked in a few megabytes, as start-up must after a crash on any machine.
// (Holding the records and their keys takes over 20 MB here.)
TEST(TableCheckMemory, ATableOf200000RecordsIsCheckedInBoundedMemory) {
  constexpr std::uint32_t kMany = 200000;
  FaultFileSystem fs;
  int rc = 0;
  auto dbf = DbfFile::create(fs.open("/books/ITEMS.dbf", OpenMode::Create, LockMode::None, &rc),
                             {{"NAME", 'C', 8, 0}, {"NUM", 'N', 5, 0}}, &rc);
  ASSERT_TRUE(dbf);
  std::string records;
  for (std::uint32_t i = 0; i < kMany; ++i) {
    char rec[15];
    std::snprintf(rec, sizeof rec, " R%-7u%5u", i, i % 99999);
    records.append(rec, 14);
  }
  std::uint32_t first = 0;
  ASSERT_EQ(dbf->appendRecords(records.data(), kMany, &first), kSuccess);
  dbf.reset();
  {
    Engine engine(fs, "/books");
    Table* table = engine.open("ITEMS");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->createIndexGroup("Items", kTags), kSuccess);
  }
  allocation_meter::resetPeak();
  EXPECT_TRUE(CheckTable(fs, "/books", "ITEMS", "Items").empty());
  EXPECT_LT(allocation_meter::peakSinceReset(), 8u << 20);
}

}  // namespace
