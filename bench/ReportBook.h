// The report benchmarks' books: all six tables in one directory, as the program reads
// them. GSTEXP1 holds the 1,000,000 expenses of BenchBook (twenty years, 2005 to 2024,
// 40 accounts, 10 folders); GSTINC1 300,000 income records over the same years and
// folders on 12 income accounts; ACC the 40 expense accounts (1 to 30 deductible), ACCI
// the 12 income accounts (1 to 8 taxable), FOLDER the 10 folders, TALY1 a fiscal year
// from 1 July and the tax called "GST" at 10 %. Every index is built by the engine. Made
// once and kept in BenchBook::cacheRoot()/reportbook; delete it to regenerate.
#pragma once

#include <string>

class ReportBook {
 public:
  static constexpr long kExpenses = 1'000'000;
  static constexpr long kIncomes = 300'000;
  static constexpr int kIncomeAccounts = 12;
  static constexpr int kTaxableIncomeAccounts = 8;
  static constexpr int kDeductibleExpenseAccounts = 30;
  static constexpr int kFyMonth = 7;
  static constexpr int kFyDay = 1;

  // The directory holding the books, generated first when missing. Throws
  // std::runtime_error when it cannot be made.
  static std::string ensure();

 private:
  static void generate(const std::string& dir);
};
