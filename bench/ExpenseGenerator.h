// A stream of realistic expense records for the benchmarks: twenty years of bookkeeping
// entered roughly in date order (a few days out of order now and then), about forty
// accounts used with very different frequencies, ten folders, payees that belong to
// their account, cheque numbers that rise, older years archived. Deterministic.
#pragma once

#include <random>
#include <string>
#include <vector>

struct BenchExpense {
  std::string date;  // yyyymmdd
  long checkNo = 0;
  int accNo = 0;
  int folNo = 0;
  std::string payTo;
  double amount = 0;
  bool lgste = false;
  double gste = 0;
  std::string memo;
  bool archive = false;
};

class ExpenseGenerator {
 public:
  static constexpr int kFirstYear = 2005;
  static constexpr int kYears = 20;
  static constexpr int kAccounts = 40;
  static constexpr int kFolders = 10;

  // A stream of count records.
  explicit ExpenseGenerator(long count, unsigned seed = 20050101);

  // The next record. REQUIRES: fewer than count records taken.
  BenchExpense next();

  // The yyyymmdd text of day d counted from 1 January of kFirstYear.
  static std::string dateText(int day);
  // Days in the generated period.
  static int totalDays();

 private:
  long count_;
  long taken_ = 0;
  long nextCheque_ = 100001;
  std::mt19937 rng_;
  std::discrete_distribution<int> account_;
  std::discrete_distribution<int> folder_;
  std::lognormal_distribution<double> amount_{3.8, 1.3};
};
