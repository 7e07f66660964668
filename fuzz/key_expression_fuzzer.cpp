// Compiles the input as a key or filter expression against the fields of the small
// table and evaluates it on each of its records and on a record of raw input bytes.
// Input: the expression, then optionally a NUL byte and the bytes of one more record.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "FaultFileSystem.h"
#include "KeyExpression.h"
#include "SmallTable.h"
#include "xbase/DbfFile.h"

namespace {

struct Layout {
  std::vector<xbase::FieldDesc> fields;
  int recordLength = 0;
  std::vector<std::vector<char>> records;
};

// The descriptors and records exactly as the engine reads them back from the file.
const Layout& layout() {
  static const Layout table = [] {
    xbase::test::FaultFileSystem fs;
    if (!fuzz::writeSmallTable(fs)) __builtin_trap();
    int error = 0;
    auto file = fs.open(std::string(fuzz::kDirectory) + "/" + fuzz::kTableName + ".dbf",
                        xbase::OpenMode::ReadOnly, xbase::LockMode::None, &error);
    auto dbf = xbase::DbfFile::open(std::move(file), &error);
    if (!dbf) __builtin_trap();
    Layout out{dbf->fields(), dbf->recordLength(), {}};
    for (std::uint32_t n = 1; n <= dbf->recordCount(); ++n) {
      out.records.emplace_back(out.recordLength);
      if (dbf->readRecord(n, out.records.back().data()) != xbase::kSuccess) __builtin_trap();
    }
    return out;
  }();
  return table;
}

void evaluate(const xbase::KeyExpression& key, const std::vector<char>& record) {
  // Exactly length() bytes on the heap, so a key written past its length is caught; two
  // buffers of different filling must come out equal, or a key byte was left unwritten
  // and the index order would depend on stale memory.
  std::vector<char> zeros(key.length(), '\0');
  std::vector<char> ones(key.length(), '\xff');
  key.evaluate(record.data(), zeros.data());
  key.evaluate(record.data(), ones.data());
  if (zeros != ones) __builtin_trap();
  if (key.type() == xbase::KeyExpression::Type::Logical) (void)key.isTrue(record.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  const std::string text(input.substr(0, nul));
  const Layout& table = layout();

  int error = 0;
  auto key = xbase::KeyExpression::compile(text, table.fields, &error);
  if (!key) {
    if (error != xbase::kErrExpression) __builtin_trap();  // the one failure it may report
    return 0;
  }
  if (key->length() < 0) __builtin_trap();
  for (const std::vector<char>& record : table.records) evaluate(*key, record);
  if (nul != std::string_view::npos) {
    std::vector<char> raw(table.recordLength, ' ');
    const std::string_view bytes = input.substr(nul + 1);
    std::memcpy(raw.data(), bytes.data(), std::min(bytes.size(), raw.size()));
    evaluate(*key, raw);
  }
  return 0;
}
