// The main window's commands: each opens the tables its work needs, in a fixed order,
// and closes every table when the work is done, so that between commands no table is
// open and the data files can be copied, packed or rebuilt.
//
// Each command hands its work to the window, report or maintenance routine that does it.
#include <QCursor>
#include <QDialog>
#include <QMenu>
#include <QPushButton>

#include "AppState.h"
#include "Database.h"
#include "DatePicker.h"
#include "ProfitReport.h"
#include "ReportBuilder.h"
#include "ReportCatalog.h"
#include "BackupSet.h"
#include "DataEraser.h"
#include "AboutDialog.h"
#include "AccountWindow.h"
#include "FolderWindow.h"
#include "ExpenseWindow.h"
#include "ArchiveDialog.h"
#include "DirectoryChooser.h"
#include "PaymentImportDialog.h"
#include "RateChangeDialog.h"
#include "MainWindow.h"
#include "AccountPicker.h"
#include "FolderPicker.h"
#include "IncomeWindow.h"
#include "ExpenseList.h"
#include "IncomeList.h"
#include "Ui.h"

void MainWindow::withTables(const std::vector<OpenRoutine>& opens,
                           const std::function<void()>& work) {
  struct CloseAll {
    CODE4* code;
    ~CloseAll() { code4close(code); }
  } closeAll{db_->code()};
  for (OpenRoutine open : opens) (db_.get()->*open)();
  if (work) work();
}

// ---- Income and Expenses ----

// The browse list, then the entry window for the record it chose (0: a new one), until
// the list is left. The list reopens on the record the entry window saved.
void MainWindow::BtnIncomeClick() {
  withTables({&Database::OpenInc, &Database::OpenFolder, &Database::OpenAccI}, [this] {
    state_.SelectedIncome = 0;
    do {
      // A list closed without a choice (Exit, its title bar) leaves the loop.
      if (env_.ui.showModal(*PickInc) != QDialog::Accepted) state_.SelectedIncome = -1;
      if (state_.SelectedIncome >= 0) env_.ui.showModal(*Income);
    } while (state_.SelectedIncome >= 0);
  });
}

void MainWindow::BtnExpenseClick() {
  withTables({&Database::OpenExp, &Database::OpenFolder, &Database::OpenAcc}, [this] {
    state_.SelectedExpense = 0;
    do {
      if (env_.ui.showModal(*PickExp) != QDialog::Accepted) state_.SelectedExpense = -1;
      if (state_.SelectedExpense >= 0) env_.ui.showModal(*Expense);
    } while (state_.SelectedExpense >= 0);
  });
}

void MainWindow::BtnFoldersClick() {
  withTables({&Database::OpenFolder}, [this] {
    state_.SelectedFolder = 0;
    masterDataLoop(*PickFol, *FolderF, state_.SelectedFolder, &Database::OpenFolder);
  });
  refillFolderBox();  // the list shows the folders as the loop left them
}

void MainWindow::BtnAccountEClick() {
  withTables({&Database::OpenAcc}, [this] {
    state_.AccountKind = QStringLiteral("E");
    state_.SelectedExpenseAccount = 0;
    masterDataLoop(*PickAcc, *Account, state_.SelectedExpenseAccount, &Database::OpenAcc);
  });
}

void MainWindow::BtnAccountIClick() {
  withTables({&Database::OpenAccI}, [this] {
    state_.AccountKind = QStringLiteral("I");
    state_.SelectedIncomeAccount = 0;
    masterDataLoop(*PickAcc, *Account, state_.SelectedIncomeAccount, &Database::OpenAccI);
  });
}

void MainWindow::masterDataLoop(QDialog& pickList, QDialog& definition, int& selected,
                               OpenRoutine reopen) {
  do {
    // A list closed without a choice (Exit, its title bar) leaves the loop.
    if (env_.ui.showModal(pickList) != QDialog::Accepted) selected = -1;
    if (selected >= 0) env_.ui.showModal(definition);
    // Deleted records are packed away before the list is read again.
    if (state_.PackPending) {
      code4close(db_->code());
      db_->PackAllTables();
      state_.PackPending = false;
      (db_.get()->*reopen)();
      error4exitTest(db_->code(), host_);
    }
  } while (selected >= 0);
}

void MainWindow::BtnImportClick() {
  withTables({&Database::OpenInc, &Database::OpenFolder, &Database::OpenAccI},
             [this] { env_.ui.showModal(*PmtImport); });
  // An import that deleted records has them packed away at once.
  if (state_.PackPending) db_->PackAllTables();
  state_.PackPending = false;
}

void MainWindow::BtnRateChangeClick() {
  withTables({&Database::OpenAcc, &Database::OpenExp}, [this] { env_.ui.showModal(*RateChange); });
}

// ---- Report Generation ----

void MainWindow::BtnExpRptClick() { PopupMenu1->popup(QCursor::pos()); }
void MainWindow::BtnIncRptClick() { PopupMenu2->popup(QCursor::pos()); }
void MainWindow::BtnProfRptClick() { PopupMenu3->popup(QCursor::pos()); }

void MainWindow::ExpenseSummary1Click() { runReport(ReportKind::ExpenseSummary); }

namespace {

// The account pick list, shown once: only a chosen account makes a report; "New" (0),
// "Exit" or the window's close button (below 0) make none.
std::function<bool()> pickAccount(Ui& ui, QDialog& list, int& chosen) {
  return [&ui, &list, &chosen] {
    chosen = 0;
    ui.showModal(list);
    return chosen > 0;
  };
}

// The account-detail report of kind for the account whose record number the pick list
// handed back through chosen.
std::function<void(ReportBuilder&)> accountDetail(Database& db, ReportKind kind,
                                                  const int& chosen) {
  return [&db, kind, &chosen](ReportBuilder& builder) {
    ReportCatalog::Build(db, builder, kind, chosen);
  };
}

}  // namespace

void MainWindow::ExpenseDetail1Click() { runReport(ReportKind::ExpenseDetail); }

void MainWindow::AccountDetail1Click() {
  state_.AccountKind = QStringLiteral("E");
  runReport(ReportKind::ExpenseAccountDetail,
            pickAccount(env_.ui, *PickAcc, state_.SelectedExpenseAccount),
            accountDetail(*db_, ReportKind::ExpenseAccountDetail, state_.SelectedExpenseAccount));
}

void MainWindow::ChartofAccounts1Click() { runReport(ReportKind::ExpenseChart); }

void MainWindow::IncomeSummary1Click() { runReport(ReportKind::IncomeSummary); }

void MainWindow::IncomeDetail1Click() { runReport(ReportKind::IncomeDetail); }

void MainWindow::AccountDetail2Click() {
  state_.AccountKind = QStringLiteral("I");
  runReport(ReportKind::IncomeAccountDetail,
            pickAccount(env_.ui, *PickAcc, state_.SelectedIncomeAccount),
            accountDetail(*db_, ReportKind::IncomeAccountDetail, state_.SelectedIncomeAccount));
}

void MainWindow::ChartofAccounts2Click() { runReport(ReportKind::IncomeChart); }

void MainWindow::BtnGLRptClick() { runReport(ReportKind::GeneralLedger); }

void MainWindow::WeeklyProfit1Click() { runReport(ReportKind::WeeklyProfit); }

void MainWindow::MonthlyProfit1Click() {
  runReport(ReportKind::MonthlyProfit, {}, [this](ReportBuilder& builder) {
    ProfitReport report(*db_, builder, ProfitReport::Period::Monthly);
    // The month's first day stays the report start for later reports (the date picker
    // keeps showing the user's date).
    state_.ReportStartDate = report.StartDate();
    report.Build();
  });
}

void MainWindow::BtnGSTSRptClick() { runReport(ReportKind::GstSummary); }

void MainWindow::DateTimePicker1Change() { state_.ReportStartDate = DateTimePicker1->date(); }

void MainWindow::DateTimePicker2Change() { state_.ReportEndDate = DateTimePicker2->date(); }

// ---- File Maintenance ----

// The archive window opens and closes its tables itself.
void MainWindow::BtnArchiveClick() {
  state_.ArchiveDirection = true;
  env_.ui.showModal(*Archive);
}

void MainWindow::BtnDeArchiveClick() {
  state_.ArchiveDirection = false;
  env_.ui.showModal(*Archive);
}

void MainWindow::BtnReIndexClick() { db_->RebuildIndexes(RebuildMode::Full); }
void MainWindow::Image2Click() {
  db_->PackAllTables();
  // A pack that failed (a full disk) is told now, not taken for an open error later.
  error4exitTest(db_->code(), host_);
}

void MainWindow::BtnBackupClick() {
  DriveDir->setWindowTitle(QStringLiteral("Choose Backup Drive & Directory"));
  DriveDir->okButton->setText(QStringLiteral("Backup"));
  env_.ui.showModal(*DriveDir);
  repaint();
  if (DriveDir->ChosenDirectory().isEmpty()) return;
  if (!BackupSet(*db_, env_.ui, *this)
           .CopyDataFiles(BackupSet::Direction::Backup, DriveDir->ChosenDirectory())) {
    env_.ui.message(Ui::Type::Information, Ui::Buttons::Ok,
                    QStringLiteral("Backup Failed . . Check that disk is not write protected"));
  }
  ShowStatus(QString());
}

void MainWindow::BtnRestoreClick() {
  DriveDir->setWindowTitle(QStringLiteral("Choose Drive & Directory Containing BACKUP"));
  DriveDir->okButton->setText(QStringLiteral("Restore"));
  env_.ui.showModal(*DriveDir);
  if (DriveDir->ChosenDirectory().isEmpty()) return;
  repaint();
  if (!BackupSet(*db_, env_.ui, *this)
           .CopyDataFiles(BackupSet::Direction::Restore, DriveDir->ChosenDirectory())) {
    env_.ui.message(Ui::Type::Information, Ui::Buttons::Ok,
                    QStringLiteral("Restore Failed . . Check that your disk is not full."));
  }
  ShowStatus(QString());
  db_->RebuildIndexes(RebuildMode::Full);
  refillFolderBox();  // the restored folders may differ from those listed
}

void MainWindow::BtnEraseDataClick() {
  DataEraser(*db_, env_.ui).EraseData();
  refillFolderBox();
}

// ---- Menus ----

void MainWindow::About1Click() {
  state_.SplashMode = false;
  env_.ui.showModal(*AboutForm);
}

void MainWindow::Help2Click() { env_.ui.showHelpContents(); }
