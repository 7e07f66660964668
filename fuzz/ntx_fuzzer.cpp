// Opens a small table whose index group lists one tag whose .ntx file is the input
// bytes, through the engine's own open path, then walks the tag both ways, seeks, and
// changes a key and appends a record so the update path meets the pages too.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "FaultFileSystem.h"
#include "FuzzChecks.h"
#include "SmallTable.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

namespace {

constexpr long kMaxSteps = 300;

const std::map<std::string, std::string>& pristine() {
  static const std::map<std::string, std::string> files = [] {
    xbase::test::FaultFileSystem fs;
    if (!fuzz::writeSmallTable(fs)) __builtin_trap();
    fs.setBytes(std::string(fuzz::kDirectory) + "/" + fuzz::kTableName + ".cgp", "FUZZTAG\n");
    return fs.snapshot();
  }();
  return files;
}

void walk(xbase::Table& table) {
  long steps = 0;
  int rc = table.top();
  for (; rc == xbase::kSuccess && steps < kMaxSteps; rc = table.skip()) {
    fuzz::checkPosition(table, rc);
    ++steps;
  }
  fuzz::checkPosition(table, rc);
  for (rc = table.bottom(); rc == xbase::kSuccess && steps < 2 * kMaxSteps; rc = table.skip(-1)) {
    fuzz::checkPosition(table, rc);
    ++steps;
  }
  fuzz::checkPosition(table, rc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  xbase::test::FaultFileSystem fs;
  fs.restore(pristine());
  fs.setBytes(std::string(fuzz::kDirectory) + "/FUZZTAG.ntx",
              std::string(reinterpret_cast<const char*>(data), size));
  xbase::Engine engine(fs, fuzz::kDirectory);
  xbase::Table* table = engine.open(fuzz::kTableName);
  if (table == nullptr) return 0;
  xbase::Tag* tag = table->tag("FUZZTAG");
  if (tag == nullptr) __builtin_trap();  // the open succeeded, so the tag is there
  table->selectTag(tag);
  walk(*table);

  const int keyLength = tag->keyLength();
  for (const std::string& key :
       {std::string(), std::string("Smith"), std::string("ADAMS"), std::string(keyLength, ' '),
        std::string(keyLength, '\xff'), std::string(keyLength + 3, '2')}) {
    const int rc = table->seek(key);
    fuzz::checkPosition(*table, rc);
    if (rc == xbase::kSuccess) fuzz::checkPosition(*table, table->skip(1));
  }

  // A changed key moves its entry; an appended record adds one.
  if (table->go(2) == xbase::kSuccess) {
    table->field("NAME")->assign("Moved");
    table->field("DAY")->assign("20300101");
    table->field("AMOUNT")->assignDouble(4.75);
    table->flush();
  }
  if (table->appendBlank() == xbase::kSuccess) table->field("NO")->assignInteger(42);
  table->flush();
  walk(*table);
  return 0;
}
