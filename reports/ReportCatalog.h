// Every report of the program by kind: the tables its command opens, in the order it
// opens them, whether it reports on chosen folders, and the generator that builds it.
// The main window's report commands and the command-line tool both go through here, so
// a report is opened and built the same way whoever asks for it.
#pragma once

#include <vector>

class Database;
class ReportBuilder;

enum class ReportKind {
  ExpenseSummary,
  ExpenseDetail,
  ExpenseAccountDetail,
  ExpenseChart,
  IncomeSummary,
  IncomeDetail,
  IncomeAccountDetail,
  IncomeChart,
  GeneralLedger,
  WeeklyProfit,
  MonthlyProfit,
  GstSummary,
  TaxReturn,
};

class ReportCatalog {
 public:
  using OpenRoutine = bool (Database::*)();

  struct Entry {
    ReportKind kind;
    std::vector<OpenRoutine> tables;  // opened in this order before the report is built
    bool choosesFolders;              // false: the report covers no folders (the charts)
    bool accountDetail;               // needs the record of one account of its side
    bool expenseSide;                 // the account is one of ACC (else ACCI)
  };

  // Every kind, in the order of ReportKind.
  static const std::vector<Entry>& All();
  static const Entry& Of(ReportKind kind);

  // Builds the report of kind into builder, which the caller began with the request and
  // whose SelectedFolders it filled when the report chooses folders. For an account
  // detail, accountRecord is the record number of the account in the side's account table;
  // returns false, building nothing, when it names no record. Returns true otherwise (the
  // document may still hold no line). REQUIRES: the tables of Of(kind) open.
  static bool Build(Database& db, ReportBuilder& builder, ReportKind kind, int accountRecord = 0);
};
