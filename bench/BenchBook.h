// The benchmark data of one size: GSTEXP1.dbf with its index group (EDate, EAcc) written by
// the engine, and expenses.sqlite holding the same records with matching indexes. Made
// once and cached by size, so later runs start at once.
#pragma once

#include <string>

class BenchBook {
 public:
  // The physical order of the records: as entered (near date order), or the same records
  // shuffled, as books look after imports, late entries or another tool's writes.
  enum class Order { Entered, Shuffled };

  // Where the data lives: $TALLYWORTH_BENCH_DIR, else /tmp/tallyworth-bench.
  static std::string cacheRoot();
  // The directory holding the data of `records` records, generated first when missing.
  // Throws std::runtime_error when it cannot be made.
  static std::string ensure(long records, Order order = Order::Entered);
  // A fresh copy of that data for a workload that changes it; returns its directory.
  static std::string workCopy(long records, Order order = Order::Entered);

  // The order a benchmark argument names: 0 entered, 1 shuffled.
  static Order orderOf(long argument) { return argument != 0 ? Order::Shuffled : Order::Entered; }

  static constexpr char kSqliteFile[] = "expenses.sqlite";

 private:
  static void generate(long records, Order order, const std::string& dir);
  static std::string name(long records, Order order);
};
