#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "AboutDialog.h"
#include "AccountPicker.h"
#include "AccountWindow.h"
#include "AppState.h"
#include "ArchiveDialog.h"
#include "BankPreviewWindow.h"
#include "BooksLock.h"
#include "Database.h"
#include "DatePicker.h"
#include "DirectoryChooser.h"
#include "ExpenseList.h"
#include "ExpenseWindow.h"
#include "FolderPicker.h"
#include "FolderWindow.h"
#include "FontUnits.h"
#include "Guarded.h"
#include "IncomeList.h"
#include "IncomeWindow.h"
#include "MainPage.h"
#include "PaymentImportDialog.h"
#include "ProgressPanel.h"
#include "RateChangeDialog.h"
#include "SettingsPage.h"
#include "WindowKeys.h"

namespace {

constexpr int kClientWidth = 523;
constexpr int kClientHeight = 306;

// Image buttons: a picture over a short caption, white on the teal shape.
const char kImageButtonStyle[] =
    "QToolButton { color: white; border: 1px solid transparent; border-radius: 6px;"
    " padding: 2px; }"
    "QToolButton:hover { background: rgba(255, 255, 255, 40);"
    " border-color: rgba(255, 255, 255, 110); }"
    "QToolButton:pressed { background: rgba(0, 0, 0, 50); }"
    "QToolButton:focus { border-color: white; }";

QLabel* pageLabel(const QString& text, QWidget* page) {
  auto* label = new QLabel(text, page);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

MainWindow::MainWindow(const Environment& env, AppState& state, QWidget* parent)
    : QMainWindow(parent),
      env_(env),
      state_(state),
      host_(env.host),
      db_(std::make_unique<Database>(env.dataDirectory, host_, *this, env.clock, env.files)) {
  setObjectName(QStringLiteral("MainWindow"));
  // At creation the About box is to come up as the splash; nothing is pending.
  state_.SplashMode = true;
  state_.PackPending = false;

  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, MainPage::navy());
  setPalette(palette);

  pageTabs = new QTabWidget(this);
  pageTabs->setObjectName(QStringLiteral("pageTabs"));
  pageTabs->setAutoFillBackground(true);
  buildIncomeExpensePage();
  buildReportPage();
  settingsPage = new SettingsPage(env_.ui, state_, *db_, pageTabs);
  connect(settingsPage, &SettingsPage::taxNameChanged, this, [this](const QString& name) {
    gstSummaryButton->setText(name + QStringLiteral(" Summary"));
  });
  buildMaintenancePage();
  pageTabs->addTab(incomeExpensePage, tr("Income and Expenses"));
  pageTabs->addTab(reportsPage, tr("Report Generation"));
  pageTabs->addTab(settingsPage, tr("Program Setup"));
  pageTabs->addTab(maintenancePage, tr("File Maintenance"));
  pageTabs->setCurrentWidget(incomeExpensePage);
  for (MainPage* page :
       {incomeExpensePage, reportsPage, static_cast<MainPage*>(settingsPage), maintenancePage}) {
    page->installEventFilter(this);
  }
  // The four captions fit the window's width side by side, as on the desktop the
  // window was laid out for.
  QFont tabFont = pageTabs->tabBar()->font();
  tabFont.setPointSizeF(tabFont.pointSizeF() - 1);
  pageTabs->tabBar()->setFont(tabFont);
  pageTabs->tabBar()->setUsesScrollButtons(false);
  setCentralWidget(pageTabs);

  buildMenus();
  buildStatusBar();
  aboutDialog = new AboutDialog(state_, this);
  folderPicker = new FolderPicker(*db_, state_, env_.ui, this);
  folderWindow = new FolderWindow(*db_, state_, env_.ui, this);
  accountPicker = new AccountPicker(*db_, state_, env_.ui, this);
  accountWindow = new AccountWindow(*db_, state_, env_.ui, this);
  expenseList = new ExpenseList(*db_, state_, this);
  expenseWindow = new ExpenseWindow(*db_, state_, env_.ui, env_.clock, this);
  incomeList = new IncomeList(*db_, state_, this);
  incomeWindow = new IncomeWindow(*db_, state_, env_.ui, env_.clock, this);
  archiveDialog = new ArchiveDialog(*db_, state_, env_.ui, *this, env_.clock, this);
  rateChangeDialog = new RateChangeDialog(*db_, env_.ui, env_.clock, this);
  paymentImportDialog = new PaymentImportDialog(*db_, state_, env_.ui, *this, env_.clock, this);
  bankPreviewWindow = new BankPreviewWindow(*db_, env_.ui, *this, env_.clock, this);
  directoryChooser =
      new DirectoryChooser(env_.ui, QString::fromStdString(env_.dataDirectory), this);

  FontUnits::FixSize(*this, {kClientWidth, kClientHeight + menuBar()->sizeHint().height()});
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, &MainWindow::showHelpForFocus);
  WindowKeys::Install(*this, &env_.ui);
}

MainWindow::~MainWindow() = default;

QToolButton* MainWindow::imageButton(MainPage* page, const QString& name, const QString& caption,
                                     const QString& hint, void (MainWindow::*handler)()) {
  auto* button = new QToolButton(page);
  button->setObjectName(name);
  button->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(name)));
  button->setIconSize(QSize(40, 40));
  button->setText(caption);
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setToolTip(hint);
  button->setStyleSheet(QString::fromLatin1(kImageButtonStyle));
  button->setMinimumWidth(84);
  button->setFocusPolicy(Qt::StrongFocus);
  connect(button, &QToolButton::clicked, this,
          guarded(env_.ui, [this, handler] { (this->*handler)(); }));
  return button;
}

QAction* MainWindow::menuCommand(QMenu* menu, const QString& name, const QString& caption,
                                 void (MainWindow::*handler)()) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this,
          guarded(env_.ui, [this, handler] { (this->*handler)(); }));
  return action;
}

void MainWindow::buildIncomeExpensePage() {
  incomeExpensePage = new MainPage(QStringLiteral("incomeExpensePage"), 500, env_.ui, pageTabs);
  MainPage* page = incomeExpensePage;
  incomeButton =
      imageButton(page, QStringLiteral("incomeButton"), tr("Income"),
                  QStringLiteral("Add, Edit or Delete Income"), &MainWindow::incomeClicked);
  incomeAccountsButton =
      imageButton(page, QStringLiteral("incomeAccountsButton"), tr("Income\nAccounts"),
                  QStringLiteral("Setup Income Accounts (classifications)"),
                  &MainWindow::incomeAccountsClicked);
  foldersButton = imageButton(page, QStringLiteral("foldersButton"), tr("Folders"),
                              QStringLiteral("Setup Folders (Income/Expense Groups)"),
                              &MainWindow::foldersClicked);
  expenseAccountsButton =
      imageButton(page, QStringLiteral("expenseAccountsButton"), tr("Expense\nAccounts"),
                  QStringLiteral("Setup Expense Accounts (Classifications)"),
                  &MainWindow::expenseAccountsClicked);
  expensesButton =
      imageButton(page, QStringLiteral("expensesButton"), tr("Expenses"),
                  QStringLiteral("Add, Edit or Delete Expenses"), &MainWindow::expensesClicked);
  importButton =
      imageButton(page, QStringLiteral("importButton"), tr("Import\nPayments"),
                  tr("Import income (payments) from Billwise."), &MainWindow::importClicked);
  rateChangeButton = imageButton(page, QStringLiteral("rateChangeButton"), tr("Rate\nChange"),
                                 QStringLiteral("Adjust rate based expense amounts."),
                                 &MainWindow::rateChangeClicked);

  folderBox = new QComboBox(page);
  folderBox->setObjectName(QStringLiteral("folderBox"));
  folderBox->setToolTip(QStringLiteral("Change to limit view to a single folder"));
  FontUnits::UseFixedPitch(*folderBox);
  folderBox->installEventFilter(this);
  connect(folderBox, &QComboBox::activated, this,
          [this](int index) { runGuarded(env_.ui, [&] { folderChanged(index); }); });
  auto* folderColumn = new QVBoxLayout;
  folderColumn->addWidget(pageLabel(tr("Default Folder"), page), 0, Qt::AlignHCenter);
  folderColumn->addWidget(folderBox);

  QGridLayout* grid = page->grid();
  int column = 0;
  for (QToolButton* button :
       {incomeButton, incomeAccountsButton, foldersButton, expenseAccountsButton, expensesButton}) {
    grid->addWidget(button, 0, column++, Qt::AlignCenter);
  }
  grid->addWidget(importButton, 1, 0, Qt::AlignCenter);
  grid->addLayout(folderColumn, 1, 1, 1, 3, Qt::AlignVCenter);
  grid->addWidget(rateChangeButton, 1, 4, Qt::AlignCenter);
  page->addHelpButton();
}

void MainWindow::buildReportPage() {
  reportsPage = new MainPage(QStringLiteral("reportsPage"), 600, env_.ui, pageTabs);
  MainPage* page = reportsPage;
  // These image buttons carry no hints: their captions name the reports.
  incomeReportsButton =
      imageButton(page, QStringLiteral("incomeReportsButton"), tr("Income\nReports"), QString(),
                  &MainWindow::incomeReportsClicked);
  profitReportsButton =
      imageButton(page, QStringLiteral("profitReportsButton"), tr("Profit\nReports"), QString(),
                  &MainWindow::profitReportsClicked);
  generalLedgerButton =
      imageButton(page, QStringLiteral("generalLedgerButton"), tr("General\nLedger"), QString(),
                  &MainWindow::generalLedgerClicked);
  expenseReportsButton =
      imageButton(page, QStringLiteral("expenseReportsButton"), tr("Expense\nReports"), QString(),
                  &MainWindow::expenseReportsClicked);
  gstSummaryButton = new QPushButton(QStringLiteral("GST Summary"), page);
  gstSummaryButton->setObjectName(QStringLiteral("gstSummaryButton"));
  connect(gstSummaryButton, &QPushButton::clicked, this,
          guarded(env_.ui, [this] { gstSummaryClicked(); }));
  taxReturnButton = new QPushButton(QStringLiteral("Tax Return Worksheet"), page);
  taxReturnButton->setObjectName(QStringLiteral("taxReturnButton"));
  connect(taxReturnButton, &QPushButton::clicked, this,
          guarded(env_.ui, [this] { taxReturnClicked(); }));

  fromDateEdit = new DatePicker(env_.ui, tr("Report From"), page);
  fromDateEdit->setObjectName(QStringLiteral("fromDateEdit"));
  throughDateEdit = new DatePicker(env_.ui, tr("Through"), page);
  throughDateEdit->setObjectName(QStringLiteral("throughDateEdit"));
  connect(fromDateEdit, &DatePicker::dateChanged, this, [this] { fromDateChanged(); });
  connect(throughDateEdit, &DatePicker::dateChanged, this, [this] { throughDateChanged(); });

  auto* range = new QHBoxLayout;
  range->addStretch();
  range->addWidget(pageLabel(tr("Report From:"), page));
  range->addWidget(fromDateEdit);
  range->addSpacing(12);
  range->addWidget(pageLabel(tr("Through:"), page));
  range->addWidget(throughDateEdit);
  range->addStretch();

  QGridLayout* grid = page->grid();
  int column = 0;
  for (QToolButton* button :
       {incomeReportsButton, profitReportsButton, generalLedgerButton, expenseReportsButton}) {
    grid->addWidget(button, 0, column++, Qt::AlignCenter);
  }
  grid->addWidget(gstSummaryButton, 1, 0, 1, 2, Qt::AlignCenter);
  grid->addWidget(taxReturnButton, 1, 2, 1, 2, Qt::AlignCenter);
  grid->addLayout(range, 2, 0, 1, 4);
  page->addHelpButton();
}

void MainWindow::buildMaintenancePage() {
  maintenancePage = new MainPage(QStringLiteral("maintenancePage"), 400, env_.ui, pageTabs);
  MainPage* page = maintenancePage;
  backupButton = imageButton(page, QStringLiteral("backupButton"), tr("Backup"),
                             QStringLiteral("Backup Data Files"), &MainWindow::backupClicked);
  restoreButton =
      imageButton(page, QStringLiteral("restoreButton"), tr("Restore"),
                  QStringLiteral("Restore Data from Backup"), &MainWindow::restoreClicked);
  archiveButton =
      imageButton(page, QStringLiteral("archiveButton"), tr("Archive"),
                  QStringLiteral("Archive Old Data Records"), &MainWindow::archiveClicked);
  deArchiveButton = imageButton(page, QStringLiteral("deArchiveButton"), tr("De-Archive"),
                                QStringLiteral("Restore data records from Archive"),
                                &MainWindow::deArchiveClicked);
  rebuildIndexesButton =
      imageButton(page, QStringLiteral("rebuildIndexesButton"), tr("Rebuild\nIndexes"),
                  QStringLiteral("Rebuild Index Files"), &MainWindow::rebuildIndexesClicked);
  packButton =
      imageButton(page, QStringLiteral("packButton"), tr("Pack\nData Files"),
                  QStringLiteral("Physically remove deleted records."), &MainWindow::packClicked);
  eraseDataButton =
      imageButton(page, QStringLiteral("eraseDataButton"), tr("Erase\nData"),
                  QStringLiteral("Use to clear sample data."), &MainWindow::eraseDataClicked);
  QGridLayout* grid = page->grid();
  int column = 0;
  for (QToolButton* button : {backupButton, restoreButton, archiveButton, deArchiveButton}) {
    grid->addWidget(button, 0, column++, Qt::AlignCenter);
  }
  column = 0;
  for (QToolButton* button : {rebuildIndexesButton, packButton, eraseDataButton}) {
    grid->addWidget(button, 1, column++, Qt::AlignCenter);
  }
  page->addHelpButton();
}

void MainWindow::buildMenus() {
  // The menu bar keeps the desktop's colours, not the window's navy.
  const QPalette desktop = QApplication::palette(menuBar());
  QPalette menuColours = menuBar()->palette();
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText}) {
    menuColours.setColor(role, desktop.color(role));
  }
  menuBar()->setPalette(menuColours);
  menuBar()->setAutoFillBackground(true);
  QMenu* file = menuBar()->addMenu(tr("&File"));
  buildBooksMenu(file);
  menuCommand(file, QStringLiteral("importBankAction"), tr("Import &Bank Statement..."),
              &MainWindow::importBankClicked);
  menuCommand(file, QStringLiteral("bankRulesAction"), tr("Bank Import R&ules..."),
              &MainWindow::bankRulesClicked);
  file->addSeparator();
  QAction* exit = file->addAction(tr("E&xit"));
  exit->setObjectName(QStringLiteral("exitAction"));
  connect(exit, &QAction::triggered, this, &QWidget::close);
  QMenu* help = menuBar()->addMenu(tr("&Help"));
  menuCommand(help, QStringLiteral("aboutAction"), tr("&About"), &MainWindow::aboutClicked);
  help->addSeparator();
  menuCommand(help, QStringLiteral("helpContentsAction"), tr("&Help"),
              &MainWindow::helpContentsClicked);

  expenseReportsMenu = new QMenu(this);
  expenseReportsMenu->setObjectName(QStringLiteral("expenseReportsMenu"));
  menuCommand(expenseReportsMenu, QStringLiteral("expenseSummaryAction"), tr("Expense &Summary"),
              &MainWindow::expenseSummaryClicked);
  menuCommand(expenseReportsMenu, QStringLiteral("expenseDetailAction"), tr("Expense &Detail"),
              &MainWindow::expenseDetailClicked);
  menuCommand(expenseReportsMenu, QStringLiteral("expenseAccountDetailAction"),
              tr("&Account Detail"), &MainWindow::expenseAccountDetailClicked);
  menuCommand(expenseReportsMenu, QStringLiteral("expenseChartAction"), tr("&Chart of Accounts"),
              &MainWindow::expenseChartClicked);
  incomeReportsMenu = new QMenu(this);
  incomeReportsMenu->setObjectName(QStringLiteral("incomeReportsMenu"));
  menuCommand(incomeReportsMenu, QStringLiteral("incomeSummaryAction"), tr("Income &Summary"),
              &MainWindow::incomeSummaryClicked);
  menuCommand(incomeReportsMenu, QStringLiteral("incomeDetailAction"), tr("Income &Detail"),
              &MainWindow::incomeDetailClicked);
  menuCommand(incomeReportsMenu, QStringLiteral("incomeAccountDetailAction"), tr("&Account Detail"),
              &MainWindow::incomeAccountDetailClicked);
  menuCommand(incomeReportsMenu, QStringLiteral("incomeChartAction"), tr("&Chart of Accounts"),
              &MainWindow::incomeChartClicked);
  profitReportsMenu = new QMenu(this);
  profitReportsMenu->setObjectName(QStringLiteral("profitReportsMenu"));
  menuCommand(profitReportsMenu, QStringLiteral("weeklyProfitAction"), tr("&Weekly Profit"),
              &MainWindow::weeklyProfitClicked);
  menuCommand(profitReportsMenu, QStringLiteral("monthlyProfitAction"), tr("&Monthly Profit"),
              &MainWindow::monthlyProfitClicked);
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("statusBar"));
  bar->setSizeGripEnabled(false);
  bar->setAutoFillBackground(true);
  bar->setPalette(QApplication::palette(bar));
  progressPanel_ = new ProgressPanel(bar);
  progressPanel_->setObjectName(QStringLiteral("progressPanel"));
  statusCaption_ = new QLabel(bar);
  statusCaption_->setObjectName(QStringLiteral("statusCaption"));
  statusCaption_->setMinimumWidth(50);
  bar->addWidget(progressPanel_);
  bar->addWidget(statusCaption_, 1);
}

void MainWindow::showHelpForFocus() {
  // A page's controls have the page's topic; elsewhere the window's own.
  for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
    if (auto* page = qobject_cast<MainPage*>(widget)) {
      env_.ui.showHelp(page->helpContext());
      return;
    }
  }
  env_.ui.showHelp(10);
}
