// The main window: four pages of commands ("Income and Expenses", "Report Generation",
// "Program Setup", "File Maintenance"), the default-folder choice, the menus and the
// status bar that long operations report progress in. It owns the run's Database and
// dispatches every command to the window, report or maintenance work that carries it
// out, opening the tables each needs and closing them all afterwards.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

#include "Environment.h"
#include "ProgramHost.h"
#include "ProgressSink.h"
#include "ReportCatalog.h"

struct AppState;
class Database;
class DatePicker;
class MainPage;
class ProgressPanel;
class QComboBox;
class QDialog;
class QLabel;
class BooksLock;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;
class ReportBuilder;
class SettingsPage;
class AboutDialog;
class AccountWindow;
class FolderWindow;
class AccountPicker;
class FolderPicker;
class ExpenseWindow;
class IncomeWindow;
class ExpenseList;
class IncomeList;
class ArchiveDialog;
class DirectoryChooser;
class PaymentImportDialog;
class BankPreviewWindow;
class RateChangeDialog;

class MainWindow : public QMainWindow, public ProgressSink {
  Q_OBJECT

 public:
  // env and state must outlive the window. The table library starts on
  // env.dataDirectory; nothing is read before prepare.
  MainWindow(const Environment& env, AppState& state, QWidget* parent = nullptr);
  ~MainWindow() override;

  Database& database() { return *db_; }

  // Start-up, once, before the window is first shown: the splash, the check for the data
  // files (missing: a message, then the end of the program), the one-copy check, the
  // rebuild of missing or unreadable indexes, the settings, captions and pages, the
  // current month as report range, and the end of the splash after at least 1.728 s.
  void prepare();
  // Refills the default-folder list from FOLDER when RefillFolderBox is set; every paint
  // of the window asks for it.
  void fillFolderBox();
  // The user chose item index of the default-folder list.
  void folderChanged(int index);
  // Packs the tables when deletions are pending, releases the table library and ends
  // the program. Never returns.
  [[noreturn]] void ShutDown();
  // The books the user chose to open instead of these (File menu), or an empty text.
  // Once chosen, this window's books are closed, the window is hidden and the event loop
  // is asked to return, so that the program entry starts a window on them.
  QString nextBooks() const { return nextBooks_; }

  // Status bar: text in panel 1 (empty clears it, and the bar), the progress bar in
  // panel 0 at percent (0 erases it). Both paint at once.
  void ShowStatus(const QString& text) override;
  void ShowProgress(int percent) override;
  QString statusText() const;
  int progressPercent() const;

  // Commands of the "Income and Expenses" page.
  void incomeClicked();
  void incomeAccountsClicked();
  void foldersClicked();
  void expenseAccountsClicked();
  void expensesClicked();
  void importClicked();
  // File menu: a bank statement chosen in the file dialog, shown in the preview; the
  // bank import rules.
  void importBankClicked();
  void bankRulesClicked();
  void rateChangeClicked();
  // Commands of the "Report Generation" page; the three image buttons open their menus.
  void expenseReportsClicked();
  void incomeReportsClicked();
  void profitReportsClicked();
  void expenseSummaryClicked();
  void expenseDetailClicked();
  void expenseAccountDetailClicked();
  void expenseChartClicked();
  void incomeSummaryClicked();
  void incomeDetailClicked();
  void incomeAccountDetailClicked();
  void incomeChartClicked();
  void generalLedgerClicked();
  void weeklyProfitClicked();
  void monthlyProfitClicked();
  void gstSummaryClicked();
  void taxReturnClicked();
  void fromDateChanged();
  void throughDateChanged();
  // Commands of the "File Maintenance" page.
  void backupClicked();
  void restoreClicked();
  void archiveClicked();
  void deArchiveClicked();
  void rebuildIndexesClicked();
  void packClicked();
  void eraseDataClicked();
  // Menu commands: other books, About and Help.
  void openBooksClicked();
  void openRecentBooks(const QString& folder);
  void aboutClicked();
  void helpContentsClicked();

  QTabWidget* pageTabs;
  MainPage* incomeExpensePage;  // "Income and Expenses", shown first
  MainPage* reportsPage;
  SettingsPage* settingsPage;
  MainPage* maintenancePage;
  QToolButton *incomeButton, *incomeAccountsButton, *foldersButton, *expenseAccountsButton,
      *expensesButton, *importButton, *rateChangeButton;
  QComboBox* folderBox;
  QToolButton *incomeReportsButton, *profitReportsButton, *generalLedgerButton,
      *expenseReportsButton;
  QPushButton *gstSummaryButton, *taxReturnButton;
  DatePicker *fromDateEdit, *throughDateEdit;
  QToolButton *backupButton, *restoreButton, *archiveButton, *deArchiveButton,
      *rebuildIndexesButton, *packButton, *eraseDataButton;
  QMenu *expenseReportsMenu, *incomeReportsMenu, *profitReportsMenu;
  QMenu* recentBooksMenu;  // null without env.books, as the Open Books command
  AboutDialog* aboutDialog;
  // The master-data windows: the pick lists and the definition windows they lead to.
  AccountPicker* accountPicker;
  AccountWindow* accountWindow;
  FolderPicker* folderPicker;
  FolderWindow* folderWindow;
  // The expense and income browse lists and the entry windows they lead to.
  ExpenseList* expenseList;
  ExpenseWindow* expenseWindow;
  IncomeList* incomeList;
  IncomeWindow* incomeWindow;
  // The maintenance windows: archiving, rate change, payment import, and the drive and
  // directory chooser of backup and restore.
  ArchiveDialog* archiveDialog;
  RateChangeDialog* rateChangeDialog;
  PaymentImportDialog* paymentImportDialog;
  BankPreviewWindow* bankPreviewWindow;
  DirectoryChooser* directoryChooser;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A paint of a page asks for the folder list's refill (fillFolderBox); typed
  // characters never change the default-folder list, only a choice from it does.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using OpenRoutine = bool (Database::*)();

  // Layout (MainWindow.cpp).
  void buildIncomeExpensePage();
  void buildReportPage();
  void buildMaintenancePage();
  void buildMenus();
  void buildBooksMenu(QMenu* file);
  void fillRecentBooksMenu();
  void buildStatusBar();
  // name is the button's object name and names its picture, icons/<name>.png.
  QToolButton* imageButton(MainPage* page, const QString& name, const QString& caption,
                           const QString& hint, void (MainWindow::*handler)());
  QAction* menuCommand(QMenu* menu, const QString& name, const QString& caption,
                       void (MainWindow::*handler)());
  void showHelpForFocus();

  // Start-up steps (MainWindowStartup.cpp).
  bool DataFilesPresent();
  // Takes the books' lock; false when another copy holds it. Ends the program with a
  // message when the directory is read-only.
  bool lockDataDirectory();
  void fillFromSettings();
  void showSplashAtLeast(std::int64_t since);
  // The shut-down's work without the end of the program: packs when deletions are
  // pending, releases the table library, ends the session and the lock.
  void closeBooks();
  // Closes these books and hands folder to the program entry (see nextBooks).
  void switchBooks(const QString& folder);

  // Opens the tables in order, runs work, and closes every table, also when work stops
  // on an error (MainWindowCommands.cpp).
  void withTables(const std::vector<OpenRoutine>& opens, const std::function<void()>& work = {});
  // Re-reads the default-folder list at the next paint.
  void scheduleFolderBoxRefill();
  // Where the backup chooser starts, made when it does not exist yet.
  QString backupsDirectory() const;
  // The pick-then-edit loop of a master table: the pick list, then, unless it was closed
  // without a choice or handed back a value below 0 through selected, the definition
  // window; after a pass that deleted records every table is packed and the loop's table
  // reopened through reopen. Ends with selected below 0.
  void masterDataLoop(QDialog& pickList, QDialog& definition, int& selected, OpenRoutine reopen);
  // A report command (MainWindowReports.cpp): opens the report's tables in the catalog's
  // order; runs chooseFirst when given (it returns false for no report, e.g. an account
  // choice left); lets the user choose the folders when the report covers folders (none:
  // no report); build (by default the catalog's build of kind) fills the builder's
  // document from the open tables, with the dates of the report range and the status bar
  // for progress; then "Report contains no data." when the document has no line, else the
  // viewer. Every table is closed afterwards.
  void runReport(ReportKind kind, const std::function<bool()>& chooseFirst = {},
                 const std::function<void(ReportBuilder&)>& build = {});

  Environment env_;
  AppState& state_;
  ProgramHost& host_;
  std::unique_ptr<Database> db_;  // released by ShutDown
  std::unique_ptr<BooksLock> lock_;
  QString nextBooks_;
  ProgressPanel* progressPanel_;
  QLabel* statusCaption_;
};
