// The SQLite side of the benchmarks: the expense data in one table with an index on
// (date, account) and one on (account, date), mirroring the two tags of GSTEXP1.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

struct BenchExpense;

class SqliteDb {
 public:
  // Opens (creating when missing) the database file. Throws std::runtime_error on failure.
  explicit SqliteDb(const std::string& path);
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  // Runs sql (any number of statements). Throws std::runtime_error on failure.
  void exec(const std::string& sql);

  void createTable();
  void createIndexes();
  void dropIndexes();

  // Inserts one row through a kept prepared statement (autocommit unless a transaction
  // is open).
  void insert(const BenchExpense& e);
  // Reads every row in (date, account) order, every column; returns the row count.
  long walkByDate();
  // Reads the first row whose date is date or later, every column; false when none.
  bool seekDate(const std::string& date);
  // The ids of the rows of folder (every folder for -1) that are not archived, in (date,
  // account) order: what the expense browse list keeps.
  std::vector<long> browseIds(int folder);
  // Reads the row of id, every column; false when there is none.
  bool readById(long id);

 private:
  sqlite3_stmt* prepare(const char* sql);
  // Reads all columns of the current row so that both sides do the same work.
  static void readRow(sqlite3_stmt* s);

  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* walk_ = nullptr;
  sqlite3_stmt* seek_ = nullptr;
  sqlite3_stmt* browse_ = nullptr;
  sqlite3_stmt* byId_ = nullptr;
};
