// Writes the delivered sample books: the six tables of a small sole trader with two
// fiscal years of believable income and expenses.
//
// usage: make_sample_data <directory without books> [yyyy-mm-dd last day, default 2026-12-08]
#include <QDate>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "NewBooks.h"
#include "TableDefinitions.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace {

struct Account {
  int number;
  const char* name;
  bool flag;  // expense chart: tax deductible; income chart: taxable
};

// Payees and typical amounts per expense account.
struct ExpenseKind {
  int account;
  std::vector<const char*> payees;
  double low, high;
  int perMonth;  // average count per month
};

const std::vector<const char*> kFolders = {"General Business", "Consulting",
                                           "Rental - 12 Elm Street"};

const std::vector<Account> kExpenseAccounts = {{10, "Advertising", true},
                                               {20, "Bank Fees", false},
                                               {30, "Motor Vehicle - Fuel", true},
                                               {40, "Office Supplies", true},
                                               {50, "Telephone & Internet", true},
                                               {60, "Rent of Premises", true},
                                               {70, "Insurance", false},
                                               {80, "Repairs & Maintenance", true},
                                               {90, "Accounting Fees", true},
                                               {100, "Travel", true},
                                               {110, "Council Rates", false},
                                               {120, "Subscriptions", true},
                                               {130, "Drawings", false}};

const std::vector<Account> kIncomeAccounts = {{10, "Sales", true},
                                              {20, "Consulting Fees", true},
                                              {30, "Rent Received", false},
                                              {40, "Interest Received", false}};

const std::vector<ExpenseKind> kExpenseKinds = {
    {10, {"Local Gazette", "Search Ads Pty Ltd", "Print Express"}, 40, 450, 1},
    {20, {"City Bank"}, 5, 25, 1},
    {30, {"Fuel Stop", "Corner Garage", "Highway Service Centre"}, 45, 110, 4},
    {40, {"Office Warehouse", "Paper & Co", "Stationery Plus"}, 8, 180, 2},
    {50, {"Telco One", "NetLink Broadband"}, 60, 140, 2},
    {60, {"Harbour Properties"}, 1100, 1100, 1},
    {70, {"SafeCover Insurance"}, 90, 260, 1},
    {80, {"Handy Repairs", "Plumb Right", "Sparky Electrical"}, 70, 900, 1},
    {90, {"Numbers & Co Accountants"}, 250, 1200, 0},
    {100, {"SkyAir", "Motel Central", "Rail Link"}, 35, 600, 1},
    {110, {"City Council"}, 480, 520, 0},
    {120, {"Trade Journal", "Cloud Office Suite"}, 12, 90, 1},
    {130, {"Owner"}, 500, 1500, 1}};

class Maker {
 public:
  Maker(const std::string& dir, QDate last)
      : dir_(dir), last_(last), engine_(xbase::FileSystem::posix(), dir) {}

  int run() {
    // The sample starts as new books: empty tables and the default settings.
    std::string error;
    if (!NewBooks::Create(xbase::FileSystem::posix(), dir_, &error)) {
      std::fprintf(stderr, "cannot create the books: %s\n", error.c_str());
      return 1;
    }
    accounts(tables::kAcc, kExpenseAccounts);
    accounts(tables::kAccI, kIncomeAccounts);
    folders();
    expenses();
    income();
    if (engine_.closeAll() < 0 || engine_.errorCode() < 0) {
      std::fprintf(stderr, "writing failed: %s\n", xbase::statusText(engine_.errorCode()));
      return 1;
    }
    return 0;
  }

 private:
  xbase::Table* open(const char* name) {
    xbase::Table* t = engine_.open(name);
    if (!t) {
      std::fprintf(stderr, "cannot open %s\n", name);
      std::exit(1);
    }
    return t;
  }

  void accounts(const char* table, const std::vector<Account>& chart) {
    xbase::Table* t = open(table);
    for (const Account& a : chart) {
      t->appendBlank();
      t->field(fields::kAccNo)->assignInteger(a.number);
      t->field(fields::kAcDesc)->assign(a.name);
      t->field(fields::kAcDed)->assign(a.flag ? "T" : "F");
    }
    engine_.close(t);
  }

  void folders() {
    xbase::Table* t = open(tables::kFolder);
    for (size_t i = 0; i < kFolders.size(); ++i) {
      t->appendBlank();
      t->field(fields::kFolNo)->assignInteger(static_cast<long long>(i + 1));
      t->field(fields::kFolName)->assign(kFolders[i]);
    }
    engine_.close(t);
  }

  // Tax contained in a tax-inclusive amount at 10 %.
  static double taxIn(double amount) { return std::round(amount / 11.0 * 100.0) / 100.0; }
  double money(double low, double high) {
    return std::round(std::uniform_real_distribution<double>(low, high)(rng_) * 100.0) / 100.0;
  }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  QDate first() const { return QDate(last_.year() - 1 - (last_.month() < 7 ? 1 : 0), 7, 1); }

  void expenses() {
    xbase::Table* t = open(tables::kExpenses);
    long cheque = 100200;
    for (QDate month = first(); month <= last_; month = month.addMonths(1)) {
      for (const ExpenseKind& kind : kExpenseKinds) {
        int count = kind.perMonth > 0 ? kind.perMonth + pick(2) : (pick(4) == 0 ? 1 : 0);
        for (int i = 0; i < count; ++i) {
          QDate date(month.year(), month.month(), 1 + pick(month.daysInMonth()));
          if (date > last_) continue;
          const Account& acc =
              *std::find_if(kExpenseAccounts.begin(), kExpenseAccounts.end(),
                            [&](const Account& a) { return a.number == kind.account; });
          int folder = kind.account == 110 || kind.account == 80 ? 3 : 1 + pick(2);
          double amount = money(kind.low, kind.high);
          t->appendBlank();
          t->field(fields::kExpDate)->assign(date.toString("yyyyMMdd").toStdString());
          t->field(fields::kCheckNo)->assignInteger(pick(3) == 0 ? ++cheque : 0);
          t->field(fields::kAccNo)->assignInteger(kind.account);
          t->field(fields::kFolNo)->assignInteger(folder);
          t->field(fields::kPayTo)->assign(kind.payees[pick(static_cast<int>(kind.payees.size()))]);
          t->field(fields::kAmount)->assignDouble(amount);
          t->field(fields::kLGSTE)->assign(acc.flag ? "T" : "F");
          t->field(fields::kGSTE)->assignDouble(acc.flag ? taxIn(amount) : 0.0);
          t->field(fields::kEMemo)->assign(acc.name);
          t->field(fields::kArchive)->assign("F");
        }
      }
    }
    engine_.close(t);
  }

  void income() {
    xbase::Table* t = open(tables::kIncome);
    int invoice = 1040;
    for (QDate month = first(); month <= last_; month = month.addMonths(1)) {
      auto add = [&](int account, int folder, QDate date, const std::string& text, double amount) {
        if (date > last_) return;
        bool taxable = kIncomeAccounts[static_cast<size_t>(account / 10 - 1)].flag;
        t->appendBlank();
        t->field(fields::kIncDate)->assign(date.toString("yyyyMMdd").toStdString());
        t->field(fields::kIncAcc)->assignInteger(account);
        t->field(fields::kFolNo)->assignInteger(folder);
        t->field(fields::kIncDesc)->assign(text);
        t->field(fields::kIncAmt)->assignDouble(amount);
        t->field(fields::kLGstI)->assign(taxable ? "T" : "F");
        t->field(fields::kGstI)->assignDouble(taxable ? taxIn(amount) : 0.0);
        t->field(fields::kIncImp)->assign("F");
        t->field(fields::kArchive)->assign("F");
      };
      int y = month.year(), m = month.month();
      for (int i = 0, n = 3 + pick(4); i < n; ++i)
        add(10, 1, QDate(y, m, 1 + pick(month.daysInMonth())),
            "Invoice #" + std::to_string(++invoice), money(150, 2400));
      for (int i = 0, n = 1 + pick(2); i < n; ++i)
        add(20, 2, QDate(y, m, 1 + pick(month.daysInMonth())),
            "Consulting - invoice #" + std::to_string(++invoice), money(800, 4500));
      add(30, 3, QDate(y, m, 1), "Rent - 12 Elm Street", 1650.00);
      add(40, 1, QDate(y, m, month.daysInMonth()), "Interest - City Bank", money(2, 30));
    }
    engine_.close(t);
  }

  std::string dir_;
  QDate last_;
  xbase::Engine engine_;
  std::mt19937 rng_{20250701};
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <directory> [yyyy-mm-dd]\n", argv[0]);
    return 2;
  }
  QDate last = argc == 3 ? QDate::fromString(argv[2], "yyyy-MM-dd") : QDate(2026, 12, 8);
  if (!last.isValid()) {
    std::fprintf(stderr, "not a date: %s\n", argv[2]);
    return 2;
  }
  return Maker(argv[1], last).run();
}
