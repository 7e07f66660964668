// Every input of the fuzz corpora, seeds and the inputs that once broke a reader alike,
// runs through the fuzzers' own entry points in the default build (any compiler, no
// libFuzzer), so a reader that regresses on one of them fails here; a failed check inside
// a fuzzer stops this program. The seeds must also still be files their reader accepts,
// or fuzzing would start from inputs rejected at the first byte.
#include <gtest/gtest.h>

#include <QDate>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FaultFileSystem.h"
#include "PaymentFile.h"
#include "SmallTable.h"
#include "TempDir.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

// The fuzzers' entry points, renamed apart by the build.
extern "C" int replay_table(const std::uint8_t* data, std::size_t size);
extern "C" int replay_ntx(const std::uint8_t* data, std::size_t size);
extern "C" int replay_key_expression(const std::uint8_t* data, std::size_t size);
extern "C" int replay_payment_file(const std::uint8_t* data, std::size_t size);

namespace {

namespace stdfs = std::filesystem;

struct Target {
  const char* name;
  int (*run)(const std::uint8_t*, std::size_t);
};

std::string readAll(const stdfs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<stdfs::path> corpus(const std::string& name) {
  std::vector<stdfs::path> files;
  for (const auto& entry : stdfs::directory_iterator(stdfs::path(FUZZ_CORPUS_DIR) / name))
    files.push_back(entry.path());
  return files;
}

class CorpusReplay : public testing::TestWithParam<Target> {};

TEST_P(CorpusReplay, EveryInputRunsThroughItsFuzzer) {
  const std::vector<stdfs::path> files = corpus(GetParam().name);
  ASSERT_FALSE(files.empty());
  for (const stdfs::path& file : files) {
    SCOPED_TRACE(file.string());
    const std::string bytes = readAll(file);
    EXPECT_EQ(GetParam().run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Fuzzers, CorpusReplay,
                         testing::Values(Target{"table", replay_table}, Target{"ntx", replay_ntx},
                                         Target{"key_expression", replay_key_expression},
                                         Target{"payment_file", replay_payment_file}),
                         [](const testing::TestParamInfo<Target>& info) {
                           return std::string(info.param.name);
                         });

TEST(FuzzSeeds, TableSeedsOpenAndEveryRecordReads) {
  for (const stdfs::path& file : corpus("table")) {
    if (file.filename().string().find("crash") != std::string::npos) continue;
    SCOPED_TRACE(file.string());
    xbase::test::FaultFileSystem fs;
    fs.setBytes("/seed/T.dbf", readAll(file));
    xbase::Engine engine(fs, "/seed");
    xbase::Table* table = engine.open("T");
    ASSERT_NE(table, nullptr) << engine.errorCode();
    EXPECT_GT(table->recCount(), 0);
    long read = 0;
    int rc = table->top();
    for (; rc == xbase::kSuccess; rc = table->skip()) ++read;
    EXPECT_EQ(rc, xbase::kEof);
    EXPECT_EQ(read, table->recCount());
  }
}

TEST(FuzzSeeds, IndexSeedsOpenAsATagOfTheSmallTable) {
  for (const stdfs::path& file : corpus("ntx")) {
    if (file.filename().string().find("crash") != std::string::npos) continue;
    SCOPED_TRACE(file.string());
    xbase::test::FaultFileSystem fs;
    ASSERT_TRUE(fuzz::writeSmallTable(fs));
    const std::string dir = fuzz::kDirectory;
    fs.setBytes(dir + "/" + fuzz::kTableName + ".cgp", "FUZZTAG\n");
    fs.setBytes(dir + "/FUZZTAG.ntx", readAll(file));
    xbase::Engine engine(fs, dir);
    xbase::Table* table = engine.open(fuzz::kTableName);
    ASSERT_NE(table, nullptr) << engine.errorCode();
    EXPECT_NE(table->tag("FUZZTAG"), nullptr);
  }
}

TEST(FuzzSeeds, PaymentSeedsImportTheirDatedLivePayments) {
  for (const stdfs::path& file : corpus("payment_file")) {
    if (file.filename().string().find("crash") != std::string::npos) continue;
    SCOPED_TRACE(file.string());
    TempDir dir;
    stdfs::copy_file(file, dir.file("gstpmt.dbf"));
    const PaymentFile::Result result =
        PaymentFile::Read(QString::fromStdString(dir.path()), QStringLiteral("gstpmt.dbf"),
                          QDate(2024, 1, 1), QDate(2024, 12, 31));
    // Two payments are dated in 2024; a blank date and a deleted one with 13 months are not.
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    ASSERT_EQ(result.payments.size(), 2u);
    EXPECT_EQ(result.payments[0].date, QDate(2024, 1, 15));
    EXPECT_DOUBLE_EQ(result.payments[0].amount, 110.0);
    EXPECT_TRUE(result.payments[0].includesGst);
    EXPECT_EQ(result.payments[1].invoice, QStringLiteral("INV2"));
  }
}

}  // namespace
