// The report benchmarks' books: all six tables in one directory, as the program reads
// them. GSTEXP1 holds the expenses of BenchBook (twenty years, 2005 to 2024, 40 accounts,
// 10 folders); GSTINC1 income records over the same years and folders on 12 income
// accounts; ACC the 40 expense accounts (1 to 30 deductible), ACCI the 12 income accounts
// (1 to 8 taxable), FOLDER the 10 folders, TALY1 a fiscal year from 1 July and the tax
// called "GST" at 10 %. Every index is built by the engine. Two sizes: 1,000,000 expenses
// with 300,000 income records, kept in BenchBook::cacheRoot()/reportbook, and four times
// that in reportbook-4000000. Made once; delete the directory to regenerate.
#pragma once

#include <string>

class ReportBook {
 public:
  // How many records the books hold.
  struct Size {
    long expenses;
    long incomes;
  };
  static constexpr Size kMillion{1'000'000, 300'000};
  static constexpr Size kFourMillion{4'000'000, 1'200'000};

  static constexpr int kIncomeAccounts = 12;
  static constexpr int kTaxableIncomeAccounts = 8;
  static constexpr int kDeductibleExpenseAccounts = 30;
  static constexpr int kFyMonth = 7;
  static constexpr int kFyDay = 1;

  // The directory holding the books, generated first when missing. Throws
  // std::runtime_error when it cannot be made.
  static std::string ensure(Size size = kMillion);

 private:
  static void generate(Size size, const std::string& dir);
  static std::string name(Size size);
};
