// The values through which the main window hands work to the other windows, the reports
// and the operations below them. One object per run, owned by the program entry; tests
// make their own.
#pragma once

#include <QDate>
#include <QString>

struct HandOver {
  // Records were deleted: every table is packed at the next opportunity.
  bool PackPending = false;
  // The next paint of the main window refills the default-folder list.
  bool RefillFolderBox = true;
  // The item last chosen in the default-folder list, and its folder number (-1: none, so
  // the browse lists show every folder).
  int DefaultFolderIndex = 0;
  int DefaultFolder = -1;
  // "E" or "I": the chart of accounts the account windows and reports serve.
  QString AccountKind;
  // Hand-over between a main-window loop, its list and its entry window: below 0 leave
  // the loop, 0 a new record, above 0 a record number.
  int SelectedFolder = 0;
  int SelectedExpenseAccount = 0;
  int SelectedIncomeAccount = 0;
  int SelectedExpense = 0;
  int SelectedIncome = 0;
  // Read by the archive window: true archives, false de-archives.
  bool ArchiveDirection = true;
  // Report date range; starts each run as the current month.
  QDate ReportStartDate;
  QDate ReportEndDate;

  // Sets the report range to the month of today: its first day through its last.
  void SetCurrentMonth(const QDate& today);
};
