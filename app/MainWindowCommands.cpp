// The main window's commands: each opens the tables its work needs, in a fixed order,
// and closes every table when the work is done, so that between commands no table is
// open and the data files can be copied, packed or rebuilt.
//
// Each command hands its work to the window, report or maintenance routine that does it.
#include <QCursor>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QPushButton>

#include "AboutDialog.h"
#include "AccountPicker.h"
#include "AccountWindow.h"
#include "AppState.h"
#include "ArchiveDialog.h"
#include "BackupSet.h"
#include "DataEraser.h"
#include "Database.h"
#include "DatePicker.h"
#include "DirectoryChooser.h"
#include "ExpenseList.h"
#include "ExpenseWindow.h"
#include "FolderPicker.h"
#include "FolderWindow.h"
#include "IncomeList.h"
#include "IncomeWindow.h"
#include "MainWindow.h"
#include "PaymentImportDialog.h"
#include "ProfitReport.h"
#include "RateChangeDialog.h"
#include "ReportBuilder.h"
#include "ReportCatalog.h"
#include "Ui.h"

namespace {

// A maintenance command's closing word: what it did.
void tellDone(Ui& ui, const QString& text) {
  ui.message(Ui::Type::Information, Ui::Buttons::Ok, text);
}

bool sameDirectory(const QString& a, const QString& b) {
  return QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
}

// The question asked before a restore replaces the books: where the backup is, when it was
// made and what it holds.
QString restoreQuestion(const QString& directory, const BackupSet::Contents& contents) {
  QString text = QStringLiteral("Restore the books from the backup in\r\n") + directory +
                 QStringLiteral("\r\nmade ") +
                 QLocale().toString(contents.written, QLocale::ShortFormat) +
                 QStringLiteral("?\r\n");
  for (const auto& [table, records] : contents.records) {
    text += QStringLiteral("\r\n") + table + QStringLiteral(": %1 records").arg(records);
  }
  return text + QStringLiteral("\r\n\r\nThe books in use will be replaced by the backup.");
}

}  // namespace

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
void MainWindow::incomeClicked() {
  withTables({&Database::OpenInc, &Database::OpenFolder, &Database::OpenAccI}, [this] {
    state_.SelectedIncome = 0;
    do {
      // A list closed without a choice (Exit, its title bar) leaves the loop.
      if (env_.ui.showModal(*incomeList) != QDialog::Accepted) state_.SelectedIncome = -1;
      if (state_.SelectedIncome >= 0) env_.ui.showModal(*incomeWindow);
    } while (state_.SelectedIncome >= 0);
  });
}

void MainWindow::expensesClicked() {
  withTables({&Database::OpenExp, &Database::OpenFolder, &Database::OpenAcc}, [this] {
    state_.SelectedExpense = 0;
    do {
      if (env_.ui.showModal(*expenseList) != QDialog::Accepted) state_.SelectedExpense = -1;
      if (state_.SelectedExpense >= 0) env_.ui.showModal(*expenseWindow);
    } while (state_.SelectedExpense >= 0);
  });
}

void MainWindow::foldersClicked() {
  withTables({&Database::OpenFolder}, [this] {
    state_.SelectedFolder = 0;
    masterDataLoop(*folderPicker, *folderWindow, state_.SelectedFolder, &Database::OpenFolder);
  });
  scheduleFolderBoxRefill();  // the list shows the folders as the loop left them
}

void MainWindow::expenseAccountsClicked() {
  withTables({&Database::OpenAcc}, [this] {
    state_.AccountKind = QStringLiteral("E");
    state_.SelectedExpenseAccount = 0;
    masterDataLoop(*accountPicker, *accountWindow, state_.SelectedExpenseAccount,
                   &Database::OpenAcc);
  });
}

void MainWindow::incomeAccountsClicked() {
  withTables({&Database::OpenAccI}, [this] {
    state_.AccountKind = QStringLiteral("I");
    state_.SelectedIncomeAccount = 0;
    masterDataLoop(*accountPicker, *accountWindow, state_.SelectedIncomeAccount,
                   &Database::OpenAccI);
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

void MainWindow::importClicked() {
  withTables({&Database::OpenInc, &Database::OpenFolder, &Database::OpenAccI},
             [this] { env_.ui.showModal(*paymentImportDialog); });
  // An import that deleted records has them packed away at once.
  if (state_.PackPending) db_->PackAllTables();
  state_.PackPending = false;
}

void MainWindow::rateChangeClicked() {
  withTables({&Database::OpenAcc, &Database::OpenExp},
             [this] { env_.ui.showModal(*rateChangeDialog); });
}

// ---- Report Generation ----

void MainWindow::expenseReportsClicked() { expenseReportsMenu->popup(QCursor::pos()); }
void MainWindow::incomeReportsClicked() { incomeReportsMenu->popup(QCursor::pos()); }
void MainWindow::profitReportsClicked() { profitReportsMenu->popup(QCursor::pos()); }

void MainWindow::expenseSummaryClicked() { runReport(ReportKind::ExpenseSummary); }

namespace {

// The account pick list, shown once and without its New button: only a chosen account
// makes a report; "Exit" or the window's close button (below 0) make none.
std::function<bool()> pickAccount(Ui& ui, AccountPicker& list, int& chosen) {
  return [&ui, &list, &chosen] {
    chosen = 0;
    list.newButton->hide();
    ui.showModal(list);
    list.newButton->show();
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

void MainWindow::expenseDetailClicked() { runReport(ReportKind::ExpenseDetail); }

void MainWindow::expenseAccountDetailClicked() {
  state_.AccountKind = QStringLiteral("E");
  runReport(ReportKind::ExpenseAccountDetail,
            pickAccount(env_.ui, *accountPicker, state_.SelectedExpenseAccount),
            accountDetail(*db_, ReportKind::ExpenseAccountDetail, state_.SelectedExpenseAccount));
}

void MainWindow::expenseChartClicked() { runReport(ReportKind::ExpenseChart); }

void MainWindow::incomeSummaryClicked() { runReport(ReportKind::IncomeSummary); }

void MainWindow::incomeDetailClicked() { runReport(ReportKind::IncomeDetail); }

void MainWindow::incomeAccountDetailClicked() {
  state_.AccountKind = QStringLiteral("I");
  runReport(ReportKind::IncomeAccountDetail,
            pickAccount(env_.ui, *accountPicker, state_.SelectedIncomeAccount),
            accountDetail(*db_, ReportKind::IncomeAccountDetail, state_.SelectedIncomeAccount));
}

void MainWindow::incomeChartClicked() { runReport(ReportKind::IncomeChart); }

void MainWindow::generalLedgerClicked() { runReport(ReportKind::GeneralLedger); }

void MainWindow::weeklyProfitClicked() { runReport(ReportKind::WeeklyProfit); }

void MainWindow::monthlyProfitClicked() {
  runReport(ReportKind::MonthlyProfit, {}, [this](ReportBuilder& builder) {
    ProfitReport report(*db_, builder, ProfitReport::Period::Monthly);
    // The month's first day stays the report start for later reports (the date picker
    // keeps showing the user's date).
    state_.ReportStartDate = report.StartDate();
    report.Build();
  });
}

void MainWindow::gstSummaryClicked() { runReport(ReportKind::GstSummary); }

void MainWindow::taxReturnClicked() { runReport(ReportKind::TaxReturn); }

void MainWindow::fromDateChanged() { state_.ReportStartDate = fromDateEdit->date(); }

void MainWindow::throughDateChanged() { state_.ReportEndDate = throughDateEdit->date(); }

// ---- File Maintenance ----

// The archive window opens and closes its tables itself.
void MainWindow::archiveClicked() {
  state_.ArchiveDirection = true;
  env_.ui.showModal(*archiveDialog);
}

void MainWindow::deArchiveClicked() {
  state_.ArchiveDirection = false;
  env_.ui.showModal(*archiveDialog);
}

void MainWindow::rebuildIndexesClicked() {
  const int tables = db_->RebuildIndexes(RebuildMode::Full);
  tellDone(env_.ui, QStringLiteral("Indexes rebuilt for %1 tables.").arg(tables));
}

void MainWindow::packClicked() {
  const long removed = db_->PackAllTables();
  // A pack that failed (a full disk) is told now, not taken for an open error later.
  error4exitTest(db_->code(), host_);
  tellDone(env_.ui, QStringLiteral("Tables packed: %1 deleted records removed.").arg(removed));
}

QString MainWindow::backupsDirectory() const {
  const QString directory = env_.backupsDirectory.empty()
                                ? QDir::home().filePath(QStringLiteral("Tallyworth-backups"))
                                : QString::fromStdString(env_.backupsDirectory);
  QDir().mkpath(directory);
  return directory;
}

void MainWindow::backupClicked() {
  directoryChooser->setWindowTitle(QStringLiteral("Choose Backup Drive & Directory"));
  directoryChooser->okButton->setText(QStringLiteral("Backup"));
  directoryChooser->setStartDirectory(backupsDirectory());
  env_.ui.showModal(*directoryChooser);
  repaint();
  const QString chosen = directoryChooser->ChosenDirectory();
  if (chosen.isEmpty()) return;
  // Copies beside the live tables would be lost with them.
  if (sameDirectory(chosen, QString::fromStdString(env_.dataDirectory))) {
    env_.ui.message(
        Ui::Type::Warning, Ui::Buttons::Ok,
        QStringLiteral("A backup cannot go into the folder of the books it copies:\r\n") + chosen +
            QStringLiteral("\r\nChoose another folder or disk."));
    return;
  }
  BackupSet set(*db_, env_.ui, *this);
  const bool copied = set.CopyDataFiles(BackupSet::Direction::Backup, chosen);
  ShowStatus(QString());
  if (!copied) {
    env_.ui.message(Ui::Type::Information, Ui::Buttons::Ok,
                    QStringLiteral("Backup Failed . . Check that disk is not write protected"));
    return;
  }
  tellDone(env_.ui,
           QStringLiteral("Backup complete: %1 tables copied to\r\n").arg(set.Copied()) + chosen);
}

void MainWindow::restoreClicked() {
  directoryChooser->setWindowTitle(QStringLiteral("Choose Drive & Directory Containing BACKUP"));
  directoryChooser->okButton->setText(QStringLiteral("Restore"));
  directoryChooser->setStartDirectory(backupsDirectory());
  env_.ui.showModal(*directoryChooser);
  const QString chosen = directoryChooser->ChosenDirectory();
  if (chosen.isEmpty()) return;
  const BackupSet::Contents contents = BackupSet::Describe(chosen);
  // Without any backup file there is nothing to ask about: the restore says what is missing.
  if (!contents.records.empty() &&
      env_.ui.message(Ui::Type::Confirmation, Ui::Buttons::YesNoDefaultNo,
                      restoreQuestion(chosen, contents)) != Ui::Answer::Yes) {
    return;
  }
  repaint();
  BackupSet set(*db_, env_.ui, *this);
  if (!set.CopyDataFiles(BackupSet::Direction::Restore, chosen)) {
    // Nothing was replaced: the books and their indexes stay as they were.
    env_.ui.message(Ui::Type::Information, Ui::Buttons::Ok,
                    QStringLiteral("Restore Failed . . Check that your disk is not full."));
    ShowStatus(QString());
    return;
  }
  ShowStatus(QString());
  db_->RebuildIndexes(RebuildMode::Full);
  scheduleFolderBoxRefill();  // the restored folders may differ from those listed
  tellDone(env_.ui,
           QStringLiteral("Restore complete: %1 tables restored from\r\n").arg(set.Copied()) +
               chosen + QStringLiteral("\r\nand their indexes rebuilt."));
}

void MainWindow::eraseDataClicked() {
  DataEraser(*db_, env_.ui).EraseData();
  scheduleFolderBoxRefill();
}

// ---- Menus ----

void MainWindow::aboutClicked() {
  state_.SplashMode = false;
  env_.ui.showModal(*aboutDialog);
}

void MainWindow::helpContentsClicked() { env_.ui.showHelpContents(); }
