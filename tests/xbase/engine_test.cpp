// The engine's settings: access modes, safety, automatic index opening, tag-name errors,
// and file names matched without regard to case.
#include "xbase/Engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "TempDir.h"
#include "xbase/DbfFile.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

using namespace xbase;

namespace {

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int rc = 0;
    auto file =
        FileSystem::posix().open(dir.file("ACC.dbf"), OpenMode::Create, LockMode::None, &rc);
    ASSERT_TRUE(
        DbfFile::create(std::move(file), {{"ACCNO", 'N', 4, 0}, {"ACDESC", 'C', 30, 0}}, &rc));
    Engine engine(FileSystem::posix(), dir.path());
    Table* t = engine.open("ACC");
    ASSERT_NE(t, nullptr);
    for (int n : {12, 3, 7}) {
      t->appendBlank();
      t->field("ACCNO")->assignInteger(n);
    }
    // The group is spelled as the program spells it; the table file is upper case.
    ASSERT_EQ(t->createIndexGroup("Acc", {{"AccTag", "STR(ACCNO, 4)", ".NOT. DELETED()"}}),
              kSuccess);
  }

  TempDir dir;
};

TEST_F(EngineTest, AnExclusiveOpenShutsOutEveryOtherAndSharedOpensCoexist) {
  Engine first(FileSystem::posix(), dir.path()), second(FileSystem::posix(), dir.path());
  first.exclusive = true;
  Table* held = first.open("ACC");
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(second.open("ACC"), nullptr);
  EXPECT_EQ(second.takeError(), kErrLocked);
  first.close(held);
  first.exclusive = false;
  EXPECT_NE(first.open("ACC"), nullptr);
  EXPECT_NE(second.open("ACC"), nullptr);
  second.exclusive = true;
  EXPECT_EQ(second.open("ACC"), nullptr);  // a shared holder blocks exclusive use too
  EXPECT_EQ(second.takeError(), kErrLocked);
}

TEST_F(EngineTest, SafetyRefusesToOverwriteIndexFilesUnlessSwitchedOff) {
  std::string before = contents(dir.file("AccTag.ntx"));
  Engine engine(FileSystem::posix(), dir.path());
  engine.autoOpen = false;
  Table* t = engine.open("ACC");
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(t->tags().empty());  // automatic opening off: the table alone
  EXPECT_EQ(t->createIndexGroup("Acc", {{"AccTag", "STR(ACCNO, 4)", ".NOT. DELETED()"}}),
            kErrCreate);
  EXPECT_EQ(engine.takeError(), kErrCreate);
  EXPECT_EQ(contents(dir.file("AccTag.ntx")), before);
  engine.safety = false;
  EXPECT_EQ(t->createIndexGroup("Acc", {{"AccTag", "STR(ACCNO, 4)", ".NOT. DELETED()"}}), kSuccess);
  ASSERT_EQ(t->tags().size(), 1u);
}

TEST_F(EngineTest, AMissingTagIsAnErrorOnlyWhileTagNameErrorsAreOn) {
  Engine engine(FileSystem::posix(), dir.path());
  Table* t = engine.open("acc");
  ASSERT_NE(t, nullptr);
  EXPECT_NE(t->tag("acctag"), nullptr);
  EXPECT_EQ(engine.errorCode(), 0);
  EXPECT_EQ(t->tag("NoSuchTag"), nullptr);
  EXPECT_EQ(engine.takeError(), kErrTagName);
  engine.errTagName = false;
  EXPECT_EQ(t->tag("NoSuchTag"), nullptr);
  EXPECT_EQ(t->tag(""), nullptr);
  EXPECT_EQ(engine.errorCode(), 0);
}

TEST_F(EngineTest, FileNamesMatchWithoutRegardToCase) {
  // Another program may have written the group and tag files in upper case.
  std::filesystem::rename(dir.file("Acc.cgp"), dir.file("ACC.CGP"));
  std::filesystem::rename(dir.file("AccTag.ntx"), dir.file("ACCTAG.NTX"));
  Engine engine(FileSystem::posix(), dir.path());
  Table* t = engine.open("Acc");
  ASSERT_NE(t, nullptr);
  t->selectTag(t->tag("AccTag"));
  std::vector<long long> order;
  for (int rc = t->top(); rc == kSuccess; rc = t->skip(1))
    order.push_back(t->field("accno")->asInteger());
  EXPECT_EQ(order, (std::vector<long long>{3, 7, 12}));
  // A rebuild writes over the existing files rather than beside them.
  engine.safety = false;
  ASSERT_EQ(t->createIndexGroup("Acc", {{"AccTag", "STR(ACCNO, 4)", ".NOT. DELETED()"}}), kSuccess);
  EXPECT_FALSE(std::filesystem::exists(dir.file("Acc.cgp")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("AccTag.ntx")));
}

}  // namespace
