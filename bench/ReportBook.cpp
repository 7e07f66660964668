#include "ReportBook.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "BenchBook.h"
#include "ExpenseGenerator.h"
#include "TableDefinitions.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/FileSystem.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace fs = std::filesystem;

namespace {

constexpr char kDoneMarker[] = "complete";

void require(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error("report benchmark data: " + what);
}

void set(xbase::Table& table, const char* field, const std::string& text) {
  require(table.field(field)->assign(text) == xbase::kSuccess, std::string("assign ") + field);
}
void set(xbase::Table& table, const char* field, double value) {
  require(table.field(field)->assignDouble(value) == xbase::kSuccess,
          std::string("assign ") + field);
}

void append(xbase::Table& table) {
  require(table.appendBlank() == xbase::kSuccess, "append to " + table.name());
}

void writeMasters(xbase::Engine& engine) {
  xbase::Table* settings = engine.open(tables::kSettings);
  require(settings, "open TALY1");
  append(*settings);
  set(*settings, fields::kFyMonth, ReportBook::kFyMonth);
  set(*settings, fields::kFyDay, ReportBook::kFyDay);
  set(*settings, fields::kGSTRate, 10.0);
  set(*settings, fields::kGSTString, "GST");

  xbase::Table* folder = engine.open(tables::kFolder);
  require(folder, "open FOLDER");
  for (int n = 1; n <= ExpenseGenerator::kFolders; ++n) {
    append(*folder);
    set(*folder, fields::kFolNo, n);
    set(*folder, fields::kFolName, "Folder " + std::to_string(n));
  }

  const auto accounts = [&](const char* name, int count, int flagged, const char* prefix) {
    xbase::Table* table = engine.open(name);
    require(table, std::string("open ") + name);
    for (int n = 1; n <= count; ++n) {
      append(*table);
      set(*table, fields::kAccNo, n);
      set(*table, fields::kAcDesc, prefix + std::to_string(n));
      set(*table, fields::kAcDed, n <= flagged ? "T" : "F");
    }
  };
  accounts(tables::kAcc, ExpenseGenerator::kAccounts, ReportBook::kDeductibleExpenseAccounts,
           "Expense account ");
  accounts(tables::kAccI, ReportBook::kIncomeAccounts, ReportBook::kTaxableIncomeAccounts,
           "Income account ");
}

// Income entered in date order over the expenses' twenty years, a few accounts carrying
// most of it, the same folders, older years archived. Deterministic.
void writeIncome(xbase::Engine& engine, long incomes) {
  xbase::Table* table = engine.open(tables::kIncome);
  require(table, "open GSTINC1");
  std::mt19937 rng(20050701);
  std::vector<double> weights(ReportBook::kIncomeAccounts);
  for (int i = 0; i < ReportBook::kIncomeAccounts; ++i) weights[i] = 1.0 / (i + 1);
  std::discrete_distribution<int> account(weights.begin(), weights.end());
  std::vector<double> folderWeights(ExpenseGenerator::kFolders);
  for (int i = 0; i < ExpenseGenerator::kFolders; ++i)
    folderWeights[i] = 1.0 / std::pow(i + 1, 1.2);
  std::discrete_distribution<int> folder(folderWeights.begin(), folderWeights.end());
  std::lognormal_distribution<double> amount(5.5, 1.0);
  const int days = ExpenseGenerator::totalDays();
  for (long i = 0; i < incomes; ++i) {
    const int day = static_cast<int>(i * days / incomes);
    const int acc = 1 + account(rng);
    const bool taxed = acc <= ReportBook::kTaxableIncomeAccounts;
    const double amt = std::round(std::min(amount(rng), 99999.0) * 100) / 100;
    append(*table);
    set(*table, fields::kIncDate, ExpenseGenerator::dateText(day));
    set(*table, fields::kIncAcc, acc);
    set(*table, fields::kIncDesc, "Invoice " + std::to_string(100000 + i));
    set(*table, fields::kIncAmt, amt);
    set(*table, fields::kLGstI, taxed ? "T" : "F");
    set(*table, fields::kGstI, taxed ? std::round(amt / 11 * 100) / 100 : 0.0);
    set(*table, fields::kFolNo, 1 + folder(rng));
    set(*table, fields::kIncImp, rng() % 3 == 0 ? "T" : "F");
    set(*table, fields::kArchive, day < days - 730 ? "T" : "F");
  }
}

}  // namespace

// The first books keep their plain name, so books made before there were two sizes stay.
std::string ReportBook::name(Size size) {
  return size.expenses == kMillion.expenses && size.incomes == kMillion.incomes
             ? "reportbook"
             : "reportbook-" + std::to_string(size.expenses);
}

std::string ReportBook::ensure(Size size) {
  const fs::path dir = fs::path(BenchBook::cacheRoot()) / name(size);
  if (fs::exists(dir / kDoneMarker)) return dir.string();
  const fs::path partial = dir.string() + ".partial";
  fs::remove_all(partial);
  fs::remove_all(dir);
  fs::create_directories(partial);
  generate(size, partial.string());
  std::FILE* done = std::fopen((partial / kDoneMarker).c_str(), "w");
  require(done != nullptr, "cannot mark " + partial.string() + " complete");
  std::fclose(done);
  fs::rename(partial, dir);
  return dir.string();
}

void ReportBook::generate(Size size, const std::string& dir) {
  xbase::FileSystem& files = xbase::FileSystem::posix();
  // The expenses are BenchBook's; their table file is copied, its tags built again below.
  const std::string expenses = BenchBook::ensure(size.expenses);
  fs::copy_file(fs::path(expenses) / "GSTEXP1.dbf", fs::path(dir) / "GSTEXP1.dbf");
  for (const TableDefinition* table : TableDefinitions::all()) {
    if (table->baseName == tables::kExpenses) continue;
    const std::string path = dir + "/" + table->baseName + ".dbf";
    int error = 0;
    auto file = files.open(path, xbase::OpenMode::Create, xbase::LockMode::None, &error);
    require(file && xbase::DbfFile::create(std::move(file), table->fields, &error),
            "cannot create " + path);
  }
  xbase::Engine engine(files, dir);
  engine.autoOpen = false;
  engine.exclusive = true;
  writeMasters(engine);
  writeIncome(engine, size.incomes);
  require(engine.closeAll() == xbase::kSuccess, "cannot write the tables");
  engine.safety = false;
  for (const TableDefinition* table : TableDefinitions::indexed()) {
    xbase::Table* open = engine.open(table->baseName);
    require(open && open->createIndexGroup(table->groupName, table->tags) == xbase::kSuccess,
            "cannot index " + table->baseName);
    require(engine.close(open) == xbase::kSuccess, "cannot close " + table->baseName);
  }
}
