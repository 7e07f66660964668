// Writes the seed corpora of the fuzzers into <dir>/<fuzzer>/: tables, index files and
// payment files made by the engine itself, and the key expressions the books use.
// Usage: make_seeds <corpus dir> <sample books dir>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "FaultFileSystem.h"
#include "SmallTable.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace {

namespace stdfs = std::filesystem;

void save(const stdfs::path& path, const std::string& bytes) {
  stdfs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string tablePath(const char* name) {
  return std::string(fuzz::kDirectory) + "/" + name + ".dbf";
}

// The small table with `extra` more records, indexed by one tag; returns its .ntx bytes.
std::string indexSeed(const xbase::TagSpec& tag, int extra) {
  xbase::test::FaultFileSystem fs;
  if (!fuzz::writeSmallTable(fs)) return {};
  xbase::Engine engine(fs, fuzz::kDirectory);
  xbase::Table* table = engine.open(fuzz::kTableName);
  for (int i = 0; i < extra; ++i) {
    table->appendBlank();
    table->field("NAME")->assign("N" + std::to_string((i * 37) % 101));
    table->field("NO")->assignInteger(i);
    table->field("DAY")->assign(std::to_string(19900101 + (i % 28)));
  }
  if (table->createIndexGroup("FUZZ", {tag}) != xbase::kSuccess) return {};
  engine.closeAll();
  return fs.bytes(std::string(fuzz::kDirectory) + "/" + tag.name + ".ntx");
}

// A payment file laid out as Billwise does, with a few payments of every kind.
std::string paymentSeed(const std::vector<xbase::FieldSpec>& fields) {
  xbase::test::FaultFileSystem fs;
  int error = 0;
  auto file = fs.open(tablePath("GSTPMT"), xbase::OpenMode::Create, xbase::LockMode::None, &error);
  xbase::DbfFile::create(std::move(file), fields, &error);
  xbase::Engine engine(fs, fuzz::kDirectory);
  xbase::Table* table = engine.open("GSTPMT");
  const char* rows[][5] = {{"20240115", "110.00", "10.00", "T", "INV1"},
                           {"20240301", "55.5", "0", "F", "INV2"},
                           {"", "", "", "", ""},
                           {"20241301", "***", "1", "T", "BAD"}};
  for (const auto& row : rows) {
    table->appendBlank();
    const char* names[] = {"PDATE", "PAMT", "GST", "LGST", "IVNO"};
    for (int i = 0; i < 5; ++i)
      if (xbase::Field* field = table->field(names[i])) field->assign(row[i]);
  }
  table->markDeleted();
  engine.closeAll();
  return fs.bytes(tablePath("GSTPMT"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_seeds <corpus dir> <sample books dir>\n";
    return 2;
  }
  const stdfs::path out = argv[1];
  for (const char* name : {"ACC", "ACCI", "FOLDER", "TALY1", "GSTINC1"}) {
    std::ifstream in(stdfs::path(argv[2]) / (std::string(name) + ".dbf"), std::ios::binary);
    save(out / "table" / name, std::string(std::istreambuf_iterator<char>(in), {}));
  }
  xbase::test::FaultFileSystem small;
  fuzz::writeSmallTable(small);
  save(out / "table" / "SMALL", small.bytes(tablePath(fuzz::kTableName)));

  const std::vector<std::pair<xbase::TagSpec, int>> tags{
      {{"FUZZTAG", "NAME", ""}, 0},
      {{"FUZZTAG", "UPPER(NAME)+DTOS(DAY)", ".NOT. DELETED()"}, 0},
      {{"FUZZTAG", "STR(AMOUNT,9,2)", ""}, 0},
      {{"FUZZTAG", "NAME", ""}, 200},
      {{"FUZZTAG", "NO", "PAID"}, 60}};
  int n = 0;
  for (const auto& [tag, extra] : tags)
    save(out / "ntx" / ("seed" + std::to_string(++n)), indexSeed(tag, extra));

  const char* expressions[] = {"NAME",
                               "UPPER(NAME)+DTOS(DAY)",
                               "STR(NO,4)+NAME",
                               "STR(AMOUNT, 12, 3)",
                               ".NOT. DELETED() .AND. (PAID .OR. .NOT. PAID)",
                               "\"X\"+name",
                               "DAY"};
  n = 0;
  for (const char* text : expressions)
    save(out / "key_expression" / ("seed" + std::to_string(++n)), text);
  save(out / "key_expression" / "raw_record",
       std::string("STR(AMOUNT,9,2)+DTOS(DAY)") + '\0' + " Name      ***.**  2024x131Y  -1");

  save(out / "payment_file" / "billwise", paymentSeed({{"CUSTNO", 'N', 6, 0},
                                                       {"IVNO", 'C', 10},
                                                       {"PDATE", 'D', 8},
                                                       {"PAMT", 'N', 10, 2},
                                                       {"GST", 'N', 10, 2},
                                                       {"LGST", 'L', 1}}));
  save(out / "payment_file" / "text_date", paymentSeed({{"PDATE", 'C', 8},
                                                        {"PAMT", 'N', 8, 2},
                                                        {"GST", 'N', 8, 2},
                                                        {"LGST", 'L', 1},
                                                        {"IVNO", 'N', 6, 0}}));
  return 0;
}
