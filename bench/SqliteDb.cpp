#include "SqliteDb.h"

#include <stdexcept>

#include "ExpenseGenerator.h"

namespace {

constexpr char kColumns[] =
    "exp_date, check_no, acc_no, fol_no, pay_to, amount, lgste, gste, memo, archive";

void check(sqlite3* db, int rc, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

}  // namespace

SqliteDb::SqliteDb(const std::string& path) {
  if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK)
    throw std::runtime_error("cannot open " + path + ": " + sqlite3_errmsg(db_));
  // Like the engine, which writes through but does not force each write to disk.
  exec("PRAGMA synchronous=OFF");
}

SqliteDb::~SqliteDb() {
  for (sqlite3_stmt* s : {insert_, walk_, seek_, browse_, byId_}) sqlite3_finalize(s);
  sqlite3_close(db_);
}

void SqliteDb::exec(const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::string text = message ? message : "unknown error";
    sqlite3_free(message);
    throw std::runtime_error(sql + ": " + text);
  }
}

void SqliteDb::createTable() {
  exec(
      std::string("CREATE TABLE expenses (id INTEGER PRIMARY KEY, exp_date TEXT, "
                  "check_no INTEGER, acc_no INTEGER, fol_no INTEGER, pay_to TEXT, "
                  "amount REAL, lgste INTEGER, gste REAL, memo TEXT, archive INTEGER)"));
}

void SqliteDb::createIndexes() {
  exec(
      "CREATE INDEX e_date ON expenses(exp_date, acc_no);"
      "CREATE INDEX e_acc ON expenses(acc_no, exp_date)");
}

void SqliteDb::dropIndexes() { exec("DROP INDEX IF EXISTS e_date; DROP INDEX IF EXISTS e_acc"); }

sqlite3_stmt* SqliteDb::prepare(const char* sql) {
  sqlite3_stmt* s = nullptr;
  check(db_, sqlite3_prepare_v2(db_, sql, -1, &s, nullptr), sql);
  return s;
}

void SqliteDb::insert(const BenchExpense& e) {
  if (!insert_) {
    insert_ = prepare((std::string("INSERT INTO expenses (") + kColumns +
                       ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)")
                          .c_str());
  }
  sqlite3_bind_text(insert_, 1, e.date.data(), static_cast<int>(e.date.size()), SQLITE_STATIC);
  sqlite3_bind_int64(insert_, 2, e.checkNo);
  sqlite3_bind_int(insert_, 3, e.accNo);
  sqlite3_bind_int(insert_, 4, e.folNo);
  sqlite3_bind_text(insert_, 5, e.payTo.data(), static_cast<int>(e.payTo.size()), SQLITE_STATIC);
  sqlite3_bind_double(insert_, 6, e.amount);
  sqlite3_bind_int(insert_, 7, e.lgste);
  sqlite3_bind_double(insert_, 8, e.gste);
  sqlite3_bind_text(insert_, 9, e.memo.data(), static_cast<int>(e.memo.size()), SQLITE_STATIC);
  sqlite3_bind_int(insert_, 10, e.archive);
  check(db_, sqlite3_step(insert_), "insert");
  sqlite3_reset(insert_);
}

void SqliteDb::readRow(sqlite3_stmt* s) {
  for (int c = 0; c < 10; ++c) {
    switch (sqlite3_column_type(s, c)) {
      case SQLITE_TEXT:
        sqlite3_column_text(s, c);
        break;
      case SQLITE_FLOAT:
        sqlite3_column_double(s, c);
        break;
      default:
        sqlite3_column_int64(s, c);
    }
  }
}

long SqliteDb::walkByDate() {
  if (!walk_) {
    walk_ = prepare(
        (std::string("SELECT ") + kColumns + " FROM expenses ORDER BY exp_date, acc_no").c_str());
  }
  long rows = 0;
  int rc;
  while ((rc = sqlite3_step(walk_)) == SQLITE_ROW) {
    readRow(walk_);
    ++rows;
  }
  check(db_, rc, "walk");
  sqlite3_reset(walk_);
  return rows;
}

bool SqliteDb::seekDate(const std::string& date) {
  if (!seek_) {
    seek_ = prepare((std::string("SELECT ") + kColumns +
                     " FROM expenses WHERE exp_date >= ?1 ORDER BY exp_date, acc_no LIMIT 1")
                        .c_str());
  }
  sqlite3_bind_text(seek_, 1, date.data(), static_cast<int>(date.size()), SQLITE_STATIC);
  const int rc = sqlite3_step(seek_);
  check(db_, rc, "seek");
  if (rc == SQLITE_ROW) readRow(seek_);
  sqlite3_reset(seek_);
  return rc == SQLITE_ROW;
}

std::vector<long> SqliteDb::browseIds(int folder) {
  if (!browse_) {
    browse_ = prepare(
        "SELECT id FROM expenses WHERE (?1 = -1 OR fol_no = ?1) AND archive = 0 "
        "ORDER BY exp_date, acc_no");
  }
  sqlite3_bind_int(browse_, 1, folder);
  std::vector<long> ids;
  int rc;
  while ((rc = sqlite3_step(browse_)) == SQLITE_ROW)
    ids.push_back(sqlite3_column_int64(browse_, 0));
  check(db_, rc, "browse");
  sqlite3_reset(browse_);
  return ids;
}

bool SqliteDb::readById(long id) {
  if (!byId_) {
    byId_ = prepare((std::string("SELECT ") + kColumns + " FROM expenses WHERE id = ?1").c_str());
  }
  sqlite3_bind_int64(byId_, 1, id);
  const int rc = sqlite3_step(byId_);
  check(db_, rc, "read by id");
  if (rc == SQLITE_ROW) readRow(byId_);
  sqlite3_reset(byId_);
  return rc == SQLITE_ROW;
}
