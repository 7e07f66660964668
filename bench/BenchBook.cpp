#include "BenchBook.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <vector>

#include "BufferedFile.h"
#include "ExpenseGenerator.h"
#include "SqliteDb.h"
#include "TableDefinitions.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace fs = std::filesystem;

namespace {

constexpr char kDoneMarker[] = "complete";

void require(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error("benchmark data: " + what);
}

// Lays one expense into a record buffer of table, field by field.
class RecordEncoder {
 public:
  explicit RecordEncoder(const xbase::DbfFile& table) : table_(table) {}

  void encode(const BenchExpense& e, char* record) const {
    table_.blankRecord(record);
    text(record, fields::kExpDate, e.date);
    number(record, fields::kCheckNo, static_cast<double>(e.checkNo));
    number(record, fields::kAccNo, e.accNo);
    number(record, fields::kFolNo, e.folNo);
    text(record, fields::kPayTo, e.payTo);
    number(record, fields::kAmount, e.amount);
    text(record, fields::kLGSTE, e.lgste ? "T" : "F");
    number(record, fields::kGSTE, e.gste);
    text(record, fields::kEMemo, e.memo);
    text(record, fields::kArchive, e.archive ? "T" : "F");
  }

 private:
  const xbase::FieldDesc& field(const char* name) const {
    return table_.fields()[table_.fieldIndex(name)];
  }
  void text(char* record, const char* name, const std::string& value) const {
    const xbase::FieldDesc& f = field(name);
    std::memcpy(record + f.offset, value.data(), std::min<std::size_t>(value.size(), f.width));
  }
  void number(char* record, const char* name, double value) const {
    const xbase::FieldDesc& f = field(name);
    require(xbase::formatNumber(value, f.width, f.decimals, record + f.offset),
            "number too wide for " + f.name);
  }
  const xbase::DbfFile& table_;
};

}  // namespace

std::string BenchBook::cacheRoot() {
  const char* dir = std::getenv("TALLYWORTH_BENCH_DIR");
  return dir && *dir ? dir : "/tmp/tallyworth-bench";
}

std::string BenchBook::name(long records, Order order) {
  return std::to_string(records) + (order == Order::Shuffled ? "-shuffled" : "");
}

std::string BenchBook::ensure(long records, Order order) {
  const fs::path dir = fs::path(cacheRoot()) / ("gstexp1-" + name(records, order));
  if (fs::exists(dir / kDoneMarker)) return dir.string();
  const fs::path partial = dir.string() + ".partial";
  fs::remove_all(partial);
  fs::remove_all(dir);
  fs::create_directories(partial);
  generate(records, order, partial.string());
  std::FILE* done = std::fopen((partial / kDoneMarker).c_str(), "w");
  require(done != nullptr, "cannot mark " + partial.string() + " complete");
  std::fclose(done);
  fs::rename(partial, dir);
  return dir.string();
}

std::string BenchBook::workCopy(long records, Order order) {
  const fs::path from = ensure(records, order);
  const fs::path to = fs::path(cacheRoot()) / ("work-" + name(records, order));
  fs::remove_all(to);
  fs::copy(from, to, fs::copy_options::recursive);
  return to.string();
}

void BenchBook::generate(long records, Order order, const std::string& dir) {
  xbase::FileSystem& files = xbase::FileSystem::posix();
  const std::string dbfPath = dir + "/GSTEXP1.dbf";
  int error = 0;
  {
    auto file = files.open(dbfPath, xbase::OpenMode::Create, xbase::LockMode::None, &error);
    require(file && xbase::DbfFile::create(std::move(file), TableDefinitions::expenses().fields,
                                           &error),
            "cannot create " + dbfPath);
  }
  SqliteDb sql(dir + "/" + kSqliteFile);
  sql.createTable();
  sql.exec("BEGIN");
  {
    auto file = files.open(dbfPath, xbase::OpenMode::ReadWrite, xbase::LockMode::None, &error);
    require(file != nullptr, "cannot reopen " + dbfPath);
    auto buffered = std::make_unique<BufferedFile>(std::move(file), 32);
    BufferedFile* flushable = buffered.get();
    auto table = xbase::DbfFile::open(std::move(buffered), &error);
    require(table != nullptr, "cannot read back " + dbfPath);
    RecordEncoder encoder(*table);
    std::vector<char> record(table->recordLength());
    ExpenseGenerator generator(records);
    std::vector<BenchExpense> shuffled;
    if (order == Order::Shuffled) {
      for (long i = 0; i < records; ++i) shuffled.push_back(generator.next());
      std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(1234));
    }
    for (long i = 0; i < records; ++i) {
      const BenchExpense e = order == Order::Shuffled ? shuffled[i] : generator.next();
      encoder.encode(e, record.data());
      std::uint32_t recno = 0;
      require(table->appendRecord(record.data(), &recno) == xbase::kSuccess, "append failed");
      sql.insert(e);
    }
    require(flushable->flush(), "cannot write " + dbfPath);
  }
  sql.exec("COMMIT");
  sql.createIndexes();

  xbase::Engine engine(files, dir);
  xbase::Table* table = engine.open(tables::kExpenses);
  require(table != nullptr, "engine cannot open " + dbfPath);
  require(table->createIndexGroup("GSTEXP1", TableDefinitions::expenses().tags) == xbase::kSuccess,
          "cannot index " + dbfPath);
  require(engine.close(table) == xbase::kSuccess, "cannot close " + dbfPath);
}
