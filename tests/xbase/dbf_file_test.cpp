#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>

#include "ByteCoding.h"
#include "FaultFileSystem.h"
#include "xbase/DbfFile.h"
#include "xbase/Status.h"

namespace xbase {
namespace {

using test::FaultFileSystem;

const std::vector<FieldSpec> kExpenseFields = {
    {"ExpDate", 'D', 8},   {"AccNo", 'N', 4}, {"PayTo", 'C', 30},
    {"Amount", 'N', 9, 2}, {"LGSTE", 'L', 1},
};

std::unique_ptr<DbfFile> createTable(FaultFileSystem& fs, const std::string& path,
                                     const std::vector<FieldSpec>& fields) {
  int err = 0;
  auto dbf = DbfFile::create(fs.open(path, OpenMode::Create, LockMode::None, &err), fields, &err);
  EXPECT_NE(dbf, nullptr) << err;
  return dbf;
}

std::unique_ptr<DbfFile> openTable(FaultFileSystem& fs, const std::string& path, int* err) {
  *err = 0;
  return DbfFile::open(fs.open(path, OpenMode::ReadWrite, LockMode::None, err), err);
}

// A record with the given field texts (numeric text right-aligned, others left-aligned).
std::string record(const DbfFile& dbf, const std::map<std::string, std::string>& values) {
  std::string rec(dbf.recordLength(), '?');
  dbf.blankRecord(rec.data());
  for (const auto& [name, text] : values) {
    int i = dbf.fieldIndex(name);
    EXPECT_GE(i, 0) << name;
    const FieldDesc& f = dbf.fields()[i];
    int pad = f.type == 'N' ? f.width - static_cast<int>(text.size()) : 0;
    rec.replace(f.offset + pad, text.size(), text);
  }
  return rec;
}

std::string readAt(DbfFile& dbf, std::uint32_t recno) {
  std::string buf(dbf.recordLength(), '\0');
  EXPECT_EQ(dbf.readRecord(recno, buf.data()), kSuccess);
  return buf;
}

std::uint32_t u32(const std::string& b, std::size_t at) {
  auto u = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[i]));
  };
  return u(at) | u(at + 1) << 8 | u(at + 2) << 16 | u(at + 3) << 24;
}

void expectTodayIn(const std::string& bytes) {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), tm.tm_year);
  EXPECT_EQ(static_cast<unsigned char>(bytes[2]), tm.tm_mon + 1);
  EXPECT_EQ(static_cast<unsigned char>(bytes[3]), tm.tm_mday);
}

TEST(DbfCreate, WritesDbase3HeaderAndDescriptors) {
  FaultFileSystem fs;
  auto dbf = createTable(fs, "t.dbf", kExpenseFields);
  ASSERT_NE(dbf, nullptr);
  const std::string b = fs.bytes("t.dbf");
  const int headerLength = 32 + 5 * 32 + 1;
  const int recordLength = 1 + 8 + 4 + 30 + 9 + 1;
  ASSERT_EQ(b.size(), headerLength + 1u);
  EXPECT_EQ(b[0], 0x03);
  expectTodayIn(b);
  EXPECT_EQ(u32(b, 4), 0u);
  EXPECT_EQ(static_cast<unsigned char>(b[8]) | static_cast<unsigned char>(b[9]) << 8, headerLength);
  EXPECT_EQ(static_cast<unsigned char>(b[10]) | static_cast<unsigned char>(b[11]) << 8,
            recordLength);
  EXPECT_EQ(b.substr(32, 11), std::string("EXPDATE\0\0\0\0", 11));
  EXPECT_EQ(b[32 + 11], 'D');
  EXPECT_EQ(b[32 + 3 * 32 + 16], 9);  // AMOUNT width
  EXPECT_EQ(b[32 + 3 * 32 + 17], 2);  // and decimals
  EXPECT_EQ(b[headerLength - 1], 0x0D);
  EXPECT_EQ(b[headerLength], 0x1A);

  EXPECT_EQ(dbf->recordCount(), 0u);
  EXPECT_EQ(dbf->headerLength(), headerLength);
  EXPECT_EQ(dbf->recordLength(), recordLength);
  ASSERT_EQ(dbf->fields().size(), 5u);
  EXPECT_EQ(dbf->fields()[3].name, "AMOUNT");
  EXPECT_EQ(dbf->fields()[3].offset, 1 + 8 + 4 + 30);
  EXPECT_EQ(dbf->fieldIndex("payto"), 2);
  EXPECT_EQ(dbf->fieldIndex("PAYT"), -1);
}

TEST(DbfCreate, RejectsFieldsTheFormatCannotHold) {
  FaultFileSystem fs;
  const std::vector<std::vector<FieldSpec>> bad = {
      {},
      {{"NAMETOOLONG", 'C', 5}},
      {{"", 'C', 5}},
      {{"A", 'C', 0}},
      {{"A", 'C', 256}},
      {{"A", 'N', 4, 4}},
  };
  for (const auto& fields : bad) {
    int err = 0;
    auto dbf =
        DbfFile::create(fs.open("x.dbf", OpenMode::Create, LockMode::None, &err), fields, &err);
    EXPECT_EQ(dbf, nullptr);
    EXPECT_EQ(err, kErrData);
  }
}

TEST(DbfRecords, AppendReadWriteSurviveReopen) {
  FaultFileSystem fs;
  std::vector<std::string> recs;
  {
    auto dbf = createTable(fs, "t.dbf", kExpenseFields);
    recs.push_back(record(*dbf, {{"EXPDATE", "20010302"},
                                 {"ACCNO", "12"},
                                 {"PAYTO", "Shop"},
                                 {"AMOUNT", "12.50"},
                                 {"LGSTE", "T"}}));
    recs.push_back(record(*dbf, {{"EXPDATE", "19991231"}, {"AMOUNT", "-0.05"}}));
    recs.push_back(record(*dbf, {{"PAYTO", "Third"}, {"LGSTE", "F"}}));
    for (std::uint32_t i = 0; i < recs.size(); ++i) {
      std::uint32_t recno = 0;
      ASSERT_EQ(dbf->appendRecord(recs[i].data(), &recno), kSuccess);
      EXPECT_EQ(recno, i + 1);
    }
    recs[1][0] = '*';
    recs[1].replace(dbf->fields()[2].offset, 6, "Edited");
    ASSERT_EQ(dbf->writeRecord(2, recs[1].data()), kSuccess);
    EXPECT_EQ(readAt(*dbf, 2), recs[1]);
  }
  const std::string b = fs.bytes("t.dbf");
  EXPECT_EQ(u32(b, 4), 3u);
  EXPECT_EQ(b.back(), 0x1A);

  int err = 0;
  auto dbf = openTable(fs, "t.dbf", &err);
  ASSERT_NE(dbf, nullptr) << err;
  EXPECT_EQ(b.size(), dbf->headerLength() + 3u * dbf->recordLength() + 1);
  ASSERT_EQ(dbf->recordCount(), 3u);
  for (std::uint32_t i = 0; i < 3; ++i) EXPECT_EQ(readAt(*dbf, i + 1), recs[i]);

  std::string buf(dbf->recordLength(), '\0');
  EXPECT_EQ(dbf->readRecord(0, buf.data()), kErrRecordNo);
  EXPECT_EQ(dbf->readRecord(4, buf.data()), kErrRecordNo);
  EXPECT_EQ(dbf->writeRecord(4, buf.data()), kErrRecordNo);
}

TEST(DbfRecords, AppendAndTouchStampTodaysDate) {
  FaultFileSystem fs;
  createTable(fs, "t.dbf", kExpenseFields);
  std::string b = fs.bytes("t.dbf");
  b[1] = 90, b[2] = 1, b[3] = 1;  // 1990-01-01
  fs.setBytes("t.dbf", b);
  int err = 0;
  auto dbf = openTable(fs, "t.dbf", &err);
  ASSERT_NE(dbf, nullptr);
  std::string rec(dbf->recordLength(), ' ');
  std::uint32_t recno = 0;
  ASSERT_EQ(dbf->appendRecord(rec.data(), &recno), kSuccess);
  expectTodayIn(fs.bytes("t.dbf"));

  b = fs.bytes("t.dbf");
  b[1] = 90;
  fs.setBytes("t.dbf", b);
  ASSERT_EQ(dbf->touch(), kSuccess);
  expectTodayIn(fs.bytes("t.dbf"));
  EXPECT_EQ(u32(fs.bytes("t.dbf"), 4), 1u);
}

TEST(DbfRecords, TruncateCutsRecordsAndRewritesCount) {
  FaultFileSystem fs;
  auto dbf = createTable(fs, "t.dbf", kExpenseFields);
  std::string rec = record(*dbf, {{"PAYTO", "x"}});
  std::uint32_t recno = 0;
  for (int i = 0; i < 5; ++i) ASSERT_EQ(dbf->appendRecord(rec.data(), &recno), kSuccess);
  ASSERT_EQ(dbf->truncateTo(2), kSuccess);
  EXPECT_EQ(dbf->recordCount(), 2u);
  std::string b = fs.bytes("t.dbf");
  EXPECT_EQ(u32(b, 4), 2u);
  EXPECT_EQ(b.size(), dbf->headerLength() + 2u * dbf->recordLength() + 1);
  EXPECT_EQ(b.back(), 0x1A);
  EXPECT_EQ(dbf->truncateTo(3), kErrRecordNo);
  // Appending after a cut lands right after the kept records.
  ASSERT_EQ(dbf->appendRecord(rec.data(), &recno), kSuccess);
  EXPECT_EQ(recno, 3u);
  int err = 0;
  EXPECT_EQ(openTable(fs, "t.dbf", &err)->recordCount(), 3u);
}

TEST(DbfRecords, SequentialWalkReadsWholeBlocksAndStaysCoherent) {
  FaultFileSystem fs;
  auto dbf = createTable(fs, "t.dbf", {{"N", 'N', 6}, {"TEXT", 'C', 93}});  // 100-byte records
  const int n = 2000;
  std::uint32_t recno = 0;
  for (int i = 1; i <= n; ++i) {
    std::string rec = record(*dbf, {{"N", std::to_string(i)}});
    ASSERT_EQ(dbf->appendRecord(rec.data(), &recno), kSuccess);
  }
  int err = 0;
  auto reader = openTable(fs, "t.dbf", &err);
  ASSERT_NE(reader, nullptr);
  int before = fs.readCount();
  for (int i = 1; i <= n; ++i) {
    ASSERT_EQ(readAt(*reader, i), record(*reader, {{"N", std::to_string(i)}}));
  }
  // 200 KB of records: a read per block, not per record.
  EXPECT_LE(fs.readCount() - before, 200000 / 16384 + 2);

  // Writes through the same handle are seen by later reads, cached or not.
  std::srand(7);
  std::vector<int> model(n + 1);
  for (int i = 1; i <= n; ++i) model[i] = i;
  for (int step = 0; step < 3000; ++step) {
    int r = 1 + std::rand() % n;
    if (std::rand() % 3 == 0) {
      model[r] = 100000 + step;
      std::string rec = record(*reader, {{"N", std::to_string(model[r])}});
      ASSERT_EQ(reader->writeRecord(r, rec.data()), kSuccess);
    } else {
      ASSERT_EQ(readAt(*reader, r), record(*reader, {{"N", std::to_string(model[r])}}));
    }
  }
  // Appends through the handle too, although the last block was cached short.
  std::string extra = record(*reader, {{"N", "777777"}});
  ASSERT_EQ(reader->appendRecord(extra.data(), &recno), kSuccess);
  EXPECT_EQ(readAt(*reader, n + 1), extra);
  EXPECT_EQ(readAt(*reader, n), record(*reader, {{"N", std::to_string(model[n])}}));
}

TEST(DbfRecords, FailedReadReportsErrRead) {
  FaultFileSystem fs;
  auto dbf = createTable(fs, "t.dbf", kExpenseFields);
  std::string rec = record(*dbf, {});
  std::uint32_t recno = 0;
  ASSERT_EQ(dbf->appendRecord(rec.data(), &recno), kSuccess);
  int err = 0;
  auto reader = openTable(fs, "t.dbf", &err);
  fs.failReads(true);
  EXPECT_EQ(reader->readRecord(1, rec.data()), kErrRead);
  EXPECT_EQ(openTable(fs, "t.dbf", &err), nullptr);
  EXPECT_EQ(err, kErrRead);
}

// A table with two records, and what opening it must still show after a failed append.
class DbfFailedAppend : public ::testing::Test {
 protected:
  void SetUp() override {
    auto dbf = createTable(fs_, "t.dbf", kExpenseFields);
    for (const char* name : {"one", "two"}) {
      recs_.push_back(record(*dbf, {{"PAYTO", name}, {"ACCNO", "7"}}));
      std::uint32_t recno = 0;
      ASSERT_EQ(dbf->appendRecord(recs_.back().data(), &recno), kSuccess);
    }
    int err = 0;
    dbf_ = openTable(fs_, "t.dbf", &err);
    ASSERT_NE(dbf_, nullptr);
    newRec_ = record(*dbf_, {{"PAYTO", "three"}});
  }
  void expectOldRecordsOnDisk() {
    int err = 0;
    auto again = openTable(fs_, "t.dbf", &err);
    ASSERT_NE(again, nullptr) << err;
    ASSERT_EQ(again->recordCount(), 2u);
    for (std::uint32_t i = 0; i < 2; ++i) EXPECT_EQ(readAt(*again, i + 1), recs_[i]);
  }
  // After the fault clears, the same handle appends in the right place.
  void expectAppendWorksAgain() {
    fs_.clearFaults();
    EXPECT_EQ(dbf_->recordCount(), 2u);
    std::uint32_t recno = 0;
    ASSERT_EQ(dbf_->appendRecord(newRec_.data(), &recno), kSuccess);
    EXPECT_EQ(recno, 3u);
    int err = 0;
    auto again = openTable(fs_, "t.dbf", &err);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->recordCount(), 3u);
    EXPECT_EQ(readAt(*again, 3), newRec_);
    EXPECT_EQ(readAt(*again, 2), recs_[1]);
  }
  FaultFileSystem fs_;
  std::vector<std::string> recs_;
  std::unique_ptr<DbfFile> dbf_;
  std::string newRec_;
};

TEST_F(DbfFailedAppend, DiskFullBeforeTheRecord) {
  fs_.failWritesAfter(0);
  std::uint32_t recno = 99;
  EXPECT_EQ(dbf_->appendRecord(newRec_.data(), &recno), kErrWrite);
  EXPECT_EQ(recno, 99u);
  expectOldRecordsOnDisk();
  expectAppendWorksAgain();
}

TEST_F(DbfFailedAppend, ShortRecordWrite) {
  fs_.shortWriteAt(1);
  std::uint32_t recno = 0;
  EXPECT_EQ(dbf_->appendRecord(newRec_.data(), &recno), kErrWrite);
  expectOldRecordsOnDisk();
  expectAppendWorksAgain();
}

TEST_F(DbfFailedAppend, DiskFullAtTheCount) {
  fs_.failWritesAfter(1);
  std::uint32_t recno = 0;
  EXPECT_EQ(dbf_->appendRecord(newRec_.data(), &recno), kErrWrite);
  expectOldRecordsOnDisk();
  expectAppendWorksAgain();
}

TEST_F(DbfFailedAppend, ShortCountWrite) {
  fs_.shortWriteAt(2);
  std::uint32_t recno = 0;
  EXPECT_EQ(dbf_->appendRecord(newRec_.data(), &recno), kErrWrite);
  expectOldRecordsOnDisk();
  expectAppendWorksAgain();
}

TEST_F(DbfFailedAppend, FailedRecordWriteKeepsTheOldBytes) {
  std::string changed = recs_[0];
  changed[0] = '*';
  fs_.failWritesAfter(0);
  EXPECT_EQ(dbf_->writeRecord(1, changed.data()), kErrWrite);
  EXPECT_EQ(dbf_->touch(), kErrWrite);
  expectOldRecordsOnDisk();
}

// Damage done to a good two-record table, and the error opening it must give.
struct Damage {
  const char* name;
  void (*apply)(std::string& bytes);
  int error;
};
void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

void setU16(std::string& b, std::size_t at, unsigned v) {
  writeU16(b.data() + at, static_cast<std::uint16_t>(v));
}

// The good table: 3 fields (C 10, N 5, D 8), header 129 bytes, records 24 bytes.
const Damage kDamages[] = {
    {"ShorterThanHeader", [](std::string& b) { b.resize(20); }, kErrData},
    {"TruncatedInsideRecords", [](std::string& b) { b.resize(129 + 24 + 10); }, kErrLength},
    {"CountBeyondFile", [](std::string& b) { b[4] = 3; }, kErrLength},
    {"HugeCount", [](std::string& b) { b[7] = '\x7F'; }, kErrLength},
    {"HeaderLengthBeyondFile", [](std::string& b) { setU16(b, 8, 60000); }, kErrLength},
    {"HeaderLengthTooSmall", [](std::string& b) { setU16(b, 8, 32); }, kErrData},
    {"MissingTerminator", [](std::string& b) { b[128] = ' '; }, kErrData},
    {"HeaderEndsInsideDescriptor", [](std::string& b) { setU16(b, 8, 100); }, kErrData},
    {"FieldOverrunsRecord", [](std::string& b) { b[32 + 32 + 16] = 20; }, kErrData},
    {"ZeroWidthField", [](std::string& b) { b[32 + 16] = 0; }, kErrData},
    {"WidthsShortOfRecord", [](std::string& b) { setU16(b, 10, 30); }, kErrData},
    {"NoFields", [](std::string& b) { b[32] = 0x0D; }, kErrData},
};

class DbfDamaged : public ::testing::TestWithParam<Damage> {};

TEST_P(DbfDamaged, RefusesToOpenAndWritesNothing) {
  FaultFileSystem fs;
  {
    auto dbf = createTable(fs, "t.dbf", {{"NAME", 'C', 10}, {"NUM", 'N', 5}, {"D", 'D', 8}});
    ASSERT_EQ(dbf->headerLength(), 129);
    ASSERT_EQ(dbf->recordLength(), 24);
    std::string rec(24, ' ');
    std::uint32_t recno = 0;
    for (int i = 0; i < 2; ++i) ASSERT_EQ(dbf->appendRecord(rec.data(), &recno), kSuccess);
  }
  std::string bytes = fs.bytes("t.dbf");
  GetParam().apply(bytes);
  fs.setBytes("t.dbf", bytes);
  const int writesBefore = fs.writeCount();
  int err = 0;
  EXPECT_EQ(openTable(fs, "t.dbf", &err), nullptr);
  EXPECT_EQ(err, GetParam().error) << statusText(err);
  EXPECT_EQ(fs.bytes("t.dbf"), bytes);
  EXPECT_EQ(fs.writeCount(), writesBefore);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DbfDamaged, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

// A FoxPro-style table: version 0x30, foreign field types, 263 bytes of padding after the
// terminator, a duplicate field name, and an uncounted record left by a crash.
std::string foreignTable() {
  struct F {
    const char* name;
    char type;
    int width;
  };
  const F fields[] = {{"ID", 'I', 4}, {"MEMO", 'M', 10}, {"NAME", 'C', 5}, {"NAME", 'B', 8}};
  const int headerLength = 32 + 4 * 32 + 1 + 263;
  const int recordLength = 1 + 4 + 10 + 5 + 8;
  std::string b(headerLength, '\0');
  b[0] = 0x30;
  b[1] = 120, b[2] = 6, b[3] = 15;
  b[4] = 1;
  setU16(b, 8, headerLength);
  setU16(b, 10, recordLength);
  b[28] = 0x03;  // a FoxPro table flag byte, foreign to dBASE III
  for (int i = 0; i < 4; ++i) {
    std::size_t d = 32 + 32 * i;
    b.replace(d, std::strlen(fields[i].name), fields[i].name);
    b[d + 11] = fields[i].type;
    b[d + 16] = static_cast<char>(fields[i].width);
  }
  b[32 + 4 * 32] = 0x0D;
  b += std::string(" \x01\x02\x03\x04") + "0000000012" + "Alice" +
       std::string("\xFF\xFE\xFD\xFC\x00\x01\x02\x03", 8);
  b += std::string(" \x05\x06\x07\x08") + "0000000013" + "Bob  " + "12345678";  // uncounted
  b += '\x1A';
  return b;
}

TEST(DbfForeign, OpensFoxProTableAndReadsForeignFieldsRaw) {
  FaultFileSystem fs;
  const std::string original = foreignTable();
  fs.setBytes("f.dbf", original);
  int err = 0;
  auto dbf = openTable(fs, "f.dbf", &err);
  ASSERT_NE(dbf, nullptr) << statusText(err);
  EXPECT_EQ(fs.bytes("f.dbf"), original);
  EXPECT_EQ(dbf->recordCount(), 1u);
  ASSERT_EQ(dbf->fields().size(), 4u);
  EXPECT_EQ(dbf->fields()[0].type, 'I');
  EXPECT_EQ(dbf->fields()[3].name, "NAME");
  EXPECT_EQ(dbf->fields()[3].offset, 20);
  EXPECT_EQ(dbf->fieldIndex("name"), 2);  // the first of the duplicates
  std::string rec = readAt(*dbf, 1);
  EXPECT_EQ(rec.substr(1, 4), "\x01\x02\x03\x04");
  EXPECT_EQ(rec.substr(5, 10), "0000000012");
  EXPECT_EQ(rec.substr(20, 8), std::string("\xFF\xFE\xFD\xFC\x00\x01\x02\x03", 8));

  // An append overwrites the uncounted leftover and keeps every foreign header byte.
  std::string mine = rec;
  mine[15] = 'Z';
  std::uint32_t recno = 0;
  ASSERT_EQ(dbf->appendRecord(mine.data(), &recno), kSuccess);
  EXPECT_EQ(recno, 2u);
  std::string after = fs.bytes("f.dbf");
  EXPECT_EQ(after[0], 0x30);
  EXPECT_EQ(after[28], 0x03);
  EXPECT_EQ(after.substr(32, 4 * 32 + 264), original.substr(32, 4 * 32 + 264));
  EXPECT_EQ(readAt(*dbf, 2), mine);
}

TEST(DbfForeign, CreateLikeCopiesTheHeaderWithNoRecords) {
  FaultFileSystem fs;
  fs.setBytes("f.dbf", foreignTable());
  int err = 0;
  auto model = openTable(fs, "f.dbf", &err);
  ASSERT_NE(model, nullptr);
  auto copy =
      DbfFile::createLike(fs.open("g.dbf", OpenMode::Create, LockMode::None, &err), *model, &err);
  ASSERT_NE(copy, nullptr) << err;
  EXPECT_EQ(copy->recordCount(), 0u);
  EXPECT_EQ(copy->fields().size(), 4u);
  std::string b = fs.bytes("g.dbf");
  ASSERT_EQ(b.size(), static_cast<std::size_t>(model->headerLength() + 1));
  EXPECT_EQ(b[0], 0x30);
  expectTodayIn(b);
  EXPECT_EQ(u32(b, 4), 0u);
  EXPECT_EQ(b.substr(8, model->headerLength() - 8),
            foreignTable().substr(8, model->headerLength() - 8));
  EXPECT_EQ(b.back(), 0x1A);
}

TEST(PosixFileSystem, ResolvesNamesWithoutRegardToCase) {
  namespace stdfs = std::filesystem;
  stdfs::path dir = stdfs::temp_directory_path() / ("xbase_fs_" + std::to_string(getpid()));
  stdfs::create_directories(dir);
  FileSystem& fs = FileSystem::posix();
  int err = 0;
  const std::string upper = (dir / "GSTEXP1.DBF").string();
  ASSERT_NE(fs.open(upper, OpenMode::Create, LockMode::None, &err), nullptr);
  EXPECT_EQ(fs.resolve((dir / "gstexp1.dbf").string()), upper);
  EXPECT_EQ(fs.resolve(upper), upper);
  EXPECT_EQ(fs.resolve((dir / "none.dbf").string()), (dir / "none.dbf").string());
  const std::string lower = (dir / "gstexp1.dbf").string();
  ASSERT_NE(fs.open(lower, OpenMode::Create, LockMode::None, &err), nullptr);
  EXPECT_EQ(fs.resolve(lower), lower);  // an exact match wins
  stdfs::remove_all(dir);
}

TEST(PosixFileSystem, LocksConflictAndFilesReadBackWhatWasWritten) {
  namespace stdfs = std::filesystem;
  const std::string path =
      (stdfs::temp_directory_path() / ("xbase_lock_" + std::to_string(getpid()))).string();
  FileSystem& fs = FileSystem::posix();
  int err = 0;
  {
    auto a = fs.open(path, OpenMode::Create, LockMode::Exclusive, &err);
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->write(0, "hello world", 11));
    EXPECT_EQ(fs.open(path, OpenMode::ReadOnly, LockMode::Shared, &err), nullptr);
    EXPECT_EQ(err, kErrLocked);
    EXPECT_EQ(fs.open(path, OpenMode::Create, LockMode::Exclusive, &err), nullptr);
    EXPECT_EQ(a->size(), 11);  // a refused Create did not cut the file
  }
  {
    auto a = fs.open(path, OpenMode::ReadWrite, LockMode::Shared, &err);
    auto b = fs.open(path, OpenMode::ReadOnly, LockMode::Shared, &err);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    err = 0;
    EXPECT_EQ(fs.open(path, OpenMode::ReadWrite, LockMode::Exclusive, &err), nullptr);
    EXPECT_EQ(err, kErrLocked);
    char buf[16] = {};
    EXPECT_EQ(b->read(6, buf, sizeof buf), 5);
    EXPECT_STREQ(buf, "world");
    EXPECT_TRUE(a->truncate(5));
    EXPECT_EQ(b->size(), 5);
    EXPECT_FALSE(b->write(0, "x", 1));  // read-only handle
  }
  EXPECT_TRUE(fs.rename(path, path + ".new"));
  EXPECT_FALSE(fs.exists(path));
  EXPECT_TRUE(fs.remove(path + ".new"));
  EXPECT_EQ(fs.open(path, OpenMode::ReadOnly, LockMode::None, &err), nullptr);
  EXPECT_EQ(err, kErrOpen);
}

}  // namespace
}  // namespace xbase
