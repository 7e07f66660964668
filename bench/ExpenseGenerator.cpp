#include "ExpenseGenerator.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

const char* const kPayees[] = {"Officeworks",
                               "Telstra",
                               "Origin Energy",
                               "Sydney Water",
                               "Bunnings",
                               "Woolworths",
                               "Coles",
                               "Caltex",
                               "BP Service Station",
                               "Qantas",
                               "Virgin Australia",
                               "Hertz",
                               "Australia Post",
                               "ATO",
                               "AAMI Insurance",
                               "NRMA",
                               "JB Hi-Fi",
                               "Harvey Norman",
                               "Dell Australia",
                               "Adobe Systems",
                               "Microsoft",
                               "Google Ads",
                               "Xero",
                               "CommBank",
                               "Westpac",
                               "Landlord Pty Ltd",
                               "Council Rates",
                               "Cleaning Co",
                               "Print Shop",
                               "Cafe Roma",
                               "Accountant & Co",
                               "Solicitors LLP",
                               "Optus",
                               "Dodo Internet",
                               "Kmart",
                               "Big W",
                               "Mitre 10",
                               "Shell Coles Exp",
                               "Uber",
                               "Taxi Combined"};
constexpr int kPayeeCount = sizeof kPayees / sizeof kPayees[0];

const char* const kMemos[] = {"quarterly",  "monthly plan", "replacement part", "fuel",
                              "conference", "client lunch", "annual renewal",   "repairs"};

// Frequencies falling with the account number: a few accounts carry most entries.
std::vector<double> zipf(int n, double s) {
  std::vector<double> w(n);
  for (int i = 0; i < n; ++i) w[i] = 1.0 / std::pow(i + 1, s);
  return w;
}

double cents(double v) { return std::round(v * 100) / 100; }

}  // namespace

ExpenseGenerator::ExpenseGenerator(long count, unsigned seed) : count_(count), rng_(seed) {
  auto a = zipf(kAccounts, 0.9);
  account_ = std::discrete_distribution<int>(a.begin(), a.end());
  auto f = zipf(kFolders, 1.2);
  folder_ = std::discrete_distribution<int>(f.begin(), f.end());
}

int ExpenseGenerator::totalDays() {
  using namespace std::chrono;
  return (sys_days{year{kFirstYear + kYears} / January / 1} -
          sys_days{year{kFirstYear} / January / 1})
      .count();
}

std::string ExpenseGenerator::dateText(int day) {
  using namespace std::chrono;
  const year_month_day ymd{sys_days{year{kFirstYear} / January / 1} + days{day}};
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02u%02u", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  return buf;
}

BenchExpense ExpenseGenerator::next() {
  BenchExpense e;
  // Entered in date order, now and then a receipt found a few days late.
  const long base = taken_ * totalDays() / std::max(count_, 1L);
  const long late = rng_() % 8 == 0 ? static_cast<long>(rng_() % 7) : 0;
  const int day = static_cast<int>(std::clamp(base - late, 0L, long{totalDays() - 1}));
  ++taken_;
  e.date = dateText(day);
  e.accNo = 1 + account_(rng_);
  e.folNo = 1 + folder_(rng_);
  e.payTo = kPayees[(e.accNo * 7 + static_cast<int>(rng_() % 3)) % kPayeeCount];
  e.amount = cents(std::min(amount_(rng_), 999999.99));
  e.lgste = rng_() % 5 != 0;
  e.gste = e.lgste ? cents(e.amount / 11) : 0;
  if (rng_() % 4 == 0) e.checkNo = nextCheque_++;
  if (rng_() % 5 == 0) e.memo = kMemos[rng_() % std::size(kMemos)];
  // The books of all but the last two years have been archived.
  e.archive = day < totalDays() - 730;
  return e;
}
