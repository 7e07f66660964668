// Opens a table file made of the input bytes through the engine's own open path (an
// in-memory file system), walks every record both ways reading every field, then
// appends, edits, deletes and packs, as the program does with a table it was handed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FaultFileSystem.h"
#include "FuzzChecks.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

namespace {

// Bounds the walk so a header claiming millions of records stays fast.
constexpr long kMaxSteps = 300;

void readFields(xbase::Table& table) {
  for (int i = 0; i < table.fieldCount(); ++i) {
    xbase::Field* field = table.field(i);
    if (static_cast<int>(field->str().size()) != field->width()) __builtin_trap();
    (void)field->asInteger();
    (void)field->asDouble();
    (void)field->isTrue();
    (void)table.field(field->name());
  }
  (void)table.deleted();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  xbase::test::FaultFileSystem fs;
  fs.setBytes("/books/FUZZ.dbf", std::string(reinterpret_cast<const char*>(data), size));
  xbase::Engine engine(fs, "/books");
  engine.exclusive = true;  // pack needs it
  xbase::Table* table = engine.open("FUZZ");
  if (table == nullptr) return 0;

  long steps = 0;
  for (int rc = table->top(); rc == xbase::kSuccess && steps < kMaxSteps; rc = table->skip()) {
    fuzz::checkPosition(*table, rc);
    readFields(*table);
    ++steps;
  }
  steps = 0;
  for (int rc = table->bottom(); rc == xbase::kSuccess && steps < kMaxSteps; rc = table->skip(-1)) {
    fuzz::checkPosition(*table, rc);
    readFields(*table);
    ++steps;
  }
  fuzz::checkPosition(*table, table->go(table->recCount()));
  if (table->go(table->recCount() + 1) != xbase::kErrRecordNo) __builtin_trap();
  if (table->go(-1) != xbase::kErrRecordNo) __builtin_trap();

  // A new record takes a value in every field, the first record is deleted, and the pack
  // rewrites the table beside itself from the header it read.
  if (table->appendBlank() != xbase::kSuccess) return 0;
  if (table->recNo() != table->recCount()) __builtin_trap();
  for (int i = 0; i < table->fieldCount(); ++i) {
    xbase::Field* field = table->field(i);
    if (field->assign("20240229") == xbase::kSuccess) field->assignDouble(-12.5);
  }
  readFields(*table);
  if (table->go(1) == xbase::kSuccess) table->markDeleted();
  table->flush();
  table->pack();
  for (int rc = table->top(); rc == xbase::kSuccess && steps < 2 * kMaxSteps; rc = table->skip()) {
    readFields(*table);
    ++steps;
  }
  engine.closeAll();
  // The packed table must open again.
  if (engine.open("FUZZ") == nullptr) __builtin_trap();
  return 0;
}
