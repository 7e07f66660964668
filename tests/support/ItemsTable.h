// A small indexed table for engine tests: ITEMS in /books, with NAME (C 8) and NUM (N 5),
// and the index group "Items" of two tags that leave deleted records out.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FaultFileSystem.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace xbase::test {

inline const std::vector<TagSpec> kItemsTags = {{"ByName", "NAME", ".NOT. DELETED()"},
                                                {"ByNum", "STR(NUM, 5)", ".NOT. DELETED()"}};

// Writes n records named R<i> with NUM = top - i, every third one deleted, and the tags.
inline void makeItemsTable(FaultFileSystem& fs, int n, int top) {
  int rc = 0;
  ASSERT_TRUE(DbfFile::create(fs.open("/books/ITEMS.dbf", OpenMode::Create, LockMode::None, &rc),
                              {{"NAME", 'C', 8, 0}, {"NUM", 'N', 5, 0}}, &rc));
  Engine engine(fs, "/books");
  Table* t = engine.open("ITEMS");
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->createIndexGroup("Items", kItemsTags), kSuccess);
  for (int i = 1; i <= n; ++i) {
    ASSERT_EQ(t->appendBlank(), kSuccess);
    t->field("NAME")->assign("R" + std::to_string(i));
    t->field("NUM")->assignInteger(top - i);
    if (i % 3 == 0) t->markDeleted();
  }
  ASSERT_EQ(engine.closeAll(), kSuccess);
}

}  // namespace xbase::test
