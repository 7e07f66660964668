// The expense and income detail reports: every record of the selected folders dated in
// the report period, in date order (the date tag), with its amount and tax amount, and a
// totals row. In account-detail mode only the records of one account are listed, and the
// account's name leads the title.
//
// Built without a window: the caller chooses the account (ChooseAccount) and the folders
// (builder.ChooseFolders), runs Build, then shows the document or tells the user it holds
// no data, and ends the report.
#pragma once

#include <QString>
#include <string>

class Database;
class ReportBuilder;

class DetailReport {
 public:
  enum class Side { Expense, Income };

  // db and builder must outlive the report. REQUIRES while building: FOLDER, the side's
  // transaction table and its account table open (ACC with GSTEXP1, ACCI with GSTINC1).
  DetailReport(Database& db, ReportBuilder& builder, Side side);

  // Account-detail mode for the account at recordNumber of the side's account table, as
  // the account pick list hands it back. Returns false, staying in detail mode, when the
  // number names no record (0 for "New", below 0 for "Exit"): there is no report then.
  bool ChooseAccount(int recordNumber);
  bool AccountDetail() const { return accountDetail_; }
  int Account() const { return account_; }

  // Begins the report and writes the rows of the records in the period, then, when any
  // row was written, the totals row and the included folders. The document is left with
  // the builder (LastLine() < 0: no data). REQUIRES: builder.SelectedFolders not empty.
  void Build();

 private:
  bool expense() const { return side_ == Side::Expense; }
  void begin();
  // Positions the date tag on the first record dated on or after the start and counts
  // the records up to the end; leaves the table on that first record.
  long seekAndCount(const std::string& endText);
  // Reads the current record; writes its row and adds it to the totals when it belongs.
  void reportRecord();
  std::string storedDateText();

  Database& db_;
  ReportBuilder& builder_;
  const Side side_;
  bool accountDetail_ = false;
  int account_ = 0;
  QString accountName_;
  double amountTotal_ = 0;
  double taxTotal_ = 0;
};
