#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QLockFile>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include "AppState.h"
#include "Database.h"
#include "DatePicker.h"
#include "Guarded.h"
#include "MainPage.h"
#include "ProgressPanel.h"
#include "SettingsPage.h"
#include "AboutDialog.h"
#include "AccountWindow.h"
#include "FolderWindow.h"
#include "AccountPicker.h"
#include "FolderPicker.h"
#include "ExpenseWindow.h"
#include "IncomeWindow.h"
#include "ExpenseList.h"
#include "IncomeList.h"
#include "ArchiveDialog.h"
#include "DirectoryChooser.h"
#include "PaymentImportDialog.h"
#include "RateChangeDialog.h"

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
  setObjectName(QStringLiteral("FormMain"));
  // FormCreate: the About box comes up as the splash; nothing is pending.
  state_.SplashMode = true;
  state_.PackPending = false;

  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, MainPage::navy());
  setPalette(palette);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setAutoFillBackground(true);
  buildIncomeExpensePage();
  buildReportPage();
  TabSheet3 = new SettingsPage(env_.ui, state_, *db_, PageControl1);
  buildMaintenancePage();
  PageControl1->addTab(TabSheet2, tr("Income and Expenses"));
  PageControl1->addTab(TabSheet1, tr("Report Generation"));
  PageControl1->addTab(TabSheet3, tr("Program Setup"));
  PageControl1->addTab(TabSheet4, tr("File Maintenance"));
  PageControl1->setCurrentWidget(TabSheet2);
  for (MainPage* page : {TabSheet2, TabSheet1, static_cast<MainPage*>(TabSheet3), TabSheet4}) {
    page->installEventFilter(this);
  }
  // The four captions fit the window's width side by side, as on the desktop the
  // window was laid out for.
  QFont tabFont = PageControl1->tabBar()->font();
  tabFont.setPointSizeF(tabFont.pointSizeF() - 1);
  PageControl1->tabBar()->setFont(tabFont);
  PageControl1->tabBar()->setUsesScrollButtons(false);
  setCentralWidget(PageControl1);

  buildMenus();
  buildStatusBar();
  AboutForm = new AboutDialog(state_, this);
  PickFol = new FolderPicker(*db_, state_, env_.ui, this);
  FolderF = new FolderWindow(*db_, state_, env_.ui, this);
  PickAcc = new AccountPicker(*db_, state_, env_.ui, this);
  Account = new AccountWindow(*db_, state_, env_.ui, this);
  PickExp = new ExpenseList(*db_, state_, this);
  Expense = new ExpenseWindow(*db_, state_, env_.ui, env_.clock, this);
  PickInc = new IncomeList(*db_, state_, this);
  Income = new IncomeWindow(*db_, state_, env_.ui, env_.clock, this);
  Archive = new ArchiveDialog(*db_, state_, env_.ui, *this, env_.clock, this);
  RateChange = new RateChangeDialog(*db_, env_.ui, env_.clock, this);
  PmtImport = new PaymentImportDialog(*db_, state_, env_.ui, *this, env_.clock, this);
  DriveDir = new DirectoryChooser(env_.ui, QString::fromStdString(env_.dataDirectory), this);

  setFixedSize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, &MainWindow::showHelpForFocus);
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
  TabSheet2 = new MainPage(QStringLiteral("TabSheet2"), 500, env_.ui, PageControl1);
  MainPage* page = TabSheet2;
  BtnIncome = imageButton(page, QStringLiteral("BtnIncome"), tr("Income"),
                          QStringLiteral("Add, Edit or Delete Income"), &MainWindow::BtnIncomeClick);
  BtnAccountI = imageButton(page, QStringLiteral("BtnAccountI"), tr("Income\nAccounts"),
                            QStringLiteral("Setup Income Accounts (classifications)"),
                            &MainWindow::BtnAccountIClick);
  BtnFolders = imageButton(page, QStringLiteral("BtnFolders"), tr("Folders"),
                           QStringLiteral("Setup Folders (Income/Expense Groups)"),
                           &MainWindow::BtnFoldersClick);
  BtnAccountE = imageButton(page, QStringLiteral("BtnAccountE"), tr("Expense\nAccounts"),
                            QStringLiteral("Setup Expense Accounts (Classifications)"),
                            &MainWindow::BtnAccountEClick);
  BtnExpense =
      imageButton(page, QStringLiteral("BtnExpense"), tr("Expenses"),
                  QStringLiteral("Add, Edit or Delete Expenses"), &MainWindow::BtnExpenseClick);
  BtnImport =
      imageButton(page, QStringLiteral("BtnImport"), tr("Import\nPayments"),
                  tr("Import income (payments) from Billwise."), &MainWindow::BtnImportClick);
  BtnRateChange = imageButton(page, QStringLiteral("BtnRateChange"), tr("Rate\nChange"),
                              QStringLiteral("Adjust rate based expense amounts."),
                              &MainWindow::BtnRateChangeClick);

  FolderCBox = new QComboBox(page);
  FolderCBox->setObjectName(QStringLiteral("FolderCBox"));
  FolderCBox->setToolTip(QStringLiteral("Change to limit view to a single folder"));
  FolderCBox->installEventFilter(this);
  connect(FolderCBox, &QComboBox::activated, this,
          [this](int index) { runGuarded(env_.ui, [&] { FolderCBoxChange(index); }); });
  auto* folderBox = new QVBoxLayout;
  folderBox->addWidget(pageLabel(tr("Default Folder"), page), 0, Qt::AlignHCenter);
  folderBox->addWidget(FolderCBox);

  QGridLayout* grid = page->grid();
  int column = 0;
  for (QToolButton* button : {BtnIncome, BtnAccountI, BtnFolders, BtnAccountE, BtnExpense}) {
    grid->addWidget(button, 0, column++, Qt::AlignCenter);
  }
  grid->addWidget(BtnImport, 1, 0, Qt::AlignCenter);
  grid->addLayout(folderBox, 1, 1, 1, 3, Qt::AlignVCenter);
  grid->addWidget(BtnRateChange, 1, 4, Qt::AlignCenter);
  page->addHelpButton();
}

void MainWindow::buildReportPage() {
  TabSheet1 = new MainPage(QStringLiteral("TabSheet1"), 600, env_.ui, PageControl1);
  MainPage* page = TabSheet1;
  // These image buttons carry no hints: their captions name the reports.
  BtnIncRpt = imageButton(page, QStringLiteral("BtnIncRpt"), tr("Income\nReports"), QString(),
                          &MainWindow::BtnIncRptClick);
  BtnProfRpt = imageButton(page, QStringLiteral("BtnProfRpt"), tr("Profit\nReports"), QString(),
                           &MainWindow::BtnProfRptClick);
  BtnGLRpt = imageButton(page, QStringLiteral("BtnGLRpt"), tr("General\nLedger"), QString(),
                         &MainWindow::BtnGLRptClick);
  BtnExpRpt = imageButton(page, QStringLiteral("BtnExpRpt"), tr("Expense\nReports"), QString(),
                          &MainWindow::BtnExpRptClick);
  BtnGSTSRpt = new QPushButton(QStringLiteral("GST Summary"), page);
  BtnGSTSRpt->setObjectName(QStringLiteral("BtnGSTSRpt"));
  connect(BtnGSTSRpt, &QPushButton::clicked, this, guarded(env_.ui, [this] { BtnGSTSRptClick(); }));

  DateTimePicker1 = new DatePicker(page);
  DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
  DateTimePicker2 = new DatePicker(page);
  DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
  connect(DateTimePicker1, &QDateEdit::dateChanged, this, [this] { DateTimePicker1Change(); });
  connect(DateTimePicker2, &QDateEdit::dateChanged, this, [this] { DateTimePicker2Change(); });

  auto* range = new QHBoxLayout;
  range->addStretch();
  range->addWidget(pageLabel(tr("Report From:"), page));
  range->addWidget(DateTimePicker1);
  range->addSpacing(12);
  range->addWidget(pageLabel(tr("Through:"), page));
  range->addWidget(DateTimePicker2);
  range->addStretch();

  QGridLayout* grid = page->grid();
  int column = 0;
  for (QToolButton* button : {BtnIncRpt, BtnProfRpt, BtnGLRpt, BtnExpRpt}) {
    grid->addWidget(button, 0, column++, Qt::AlignCenter);
  }
  grid->addWidget(BtnGSTSRpt, 1, 1, 1, 2, Qt::AlignCenter);
  grid->addLayout(range, 2, 0, 1, 4);
  page->addHelpButton();
}

void MainWindow::buildMaintenancePage() {
  TabSheet4 = new MainPage(QStringLiteral("TabSheet4"), 400, env_.ui, PageControl1);
  MainPage* page = TabSheet4;
  BtnBackup = imageButton(page, QStringLiteral("BtnBackup"), tr("Backup"),
                          QStringLiteral("Backup Data Files"), &MainWindow::BtnBackupClick);
  BtnRestore = imageButton(page, QStringLiteral("BtnRestore"), tr("Restore"),
                           QStringLiteral("Restore Data from Backup"), &MainWindow::BtnRestoreClick);
  BtnArchive = imageButton(page, QStringLiteral("BtnArchive"), tr("Archive"),
                           QStringLiteral("Archive Old Data Records"), &MainWindow::BtnArchiveClick);
  BtnDeArchive = imageButton(page, QStringLiteral("BtnDeArchive"), tr("De-Archive"),
                             QStringLiteral("Restore data records from Archive"),
                             &MainWindow::BtnDeArchiveClick);
  BtnReIndex = imageButton(page, QStringLiteral("BtnReIndex"), tr("Rebuild\nIndexes"),
                           QStringLiteral("Rebuild Index Files"), &MainWindow::BtnReIndexClick);
  BtnPack =
      imageButton(page, QStringLiteral("BtnPack"), tr("Pack\nData Files"),
                  QStringLiteral("Physically remove deleted records."), &MainWindow::Image2Click);
  BtnEraseData =
      imageButton(page, QStringLiteral("BtnEraseData"), tr("Erase\nData"),
                  QStringLiteral("Use to clear sample data."), &MainWindow::BtnEraseDataClick);
  QGridLayout* grid = page->grid();
  int column = 0;
  for (QToolButton* button : {BtnBackup, BtnRestore, BtnArchive, BtnDeArchive}) {
    grid->addWidget(button, 0, column++, Qt::AlignCenter);
  }
  column = 0;
  for (QToolButton* button : {BtnReIndex, BtnPack, BtnEraseData}) {
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
  QAction* exit = file->addAction(tr("E&xit"));
  exit->setObjectName(QStringLiteral("mF_Exit"));
  connect(exit, &QAction::triggered, this, &QWidget::close);
  QMenu* help = menuBar()->addMenu(tr("&Help"));
  menuCommand(help, QStringLiteral("About1"), tr("&About"), &MainWindow::About1Click);
  help->addSeparator();
  menuCommand(help, QStringLiteral("Help2"), tr("&Help"), &MainWindow::Help2Click);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  menuCommand(PopupMenu1, QStringLiteral("ExpenseSummary1"), tr("Expense &Summary"),
              &MainWindow::ExpenseSummary1Click);
  menuCommand(PopupMenu1, QStringLiteral("ExpenseDetail1"), tr("Expense &Detail"),
              &MainWindow::ExpenseDetail1Click);
  menuCommand(PopupMenu1, QStringLiteral("AccountDetail1"), tr("&Account Detail"),
              &MainWindow::AccountDetail1Click);
  menuCommand(PopupMenu1, QStringLiteral("ChartofAccounts1"), tr("&Chart of Accounts"),
              &MainWindow::ChartofAccounts1Click);
  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
  menuCommand(PopupMenu2, QStringLiteral("IncomeSummary1"), tr("Income &Summary"),
              &MainWindow::IncomeSummary1Click);
  menuCommand(PopupMenu2, QStringLiteral("IncomeDetail1"), tr("Income &Detail"),
              &MainWindow::IncomeDetail1Click);
  menuCommand(PopupMenu2, QStringLiteral("AccountDetail2"), tr("&Account Detail"),
              &MainWindow::AccountDetail2Click);
  menuCommand(PopupMenu2, QStringLiteral("ChartofAccounts2"), tr("&Chart of Accounts"),
              &MainWindow::ChartofAccounts2Click);
  PopupMenu3 = new QMenu(this);
  PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
  menuCommand(PopupMenu3, QStringLiteral("WeeklyProfit1"), tr("&Weekly Profit"),
              &MainWindow::WeeklyProfit1Click);
  menuCommand(PopupMenu3, QStringLiteral("MonthlyProfit1"), tr("&Monthly Profit"),
              &MainWindow::MonthlyProfit1Click);
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  bar->setAutoFillBackground(true);
  bar->setPalette(QApplication::palette(bar));
  progress_ = new ProgressPanel(bar);
  progress_->setObjectName(QStringLiteral("StatusPanel0"));
  statusCaption_ = new QLabel(bar);
  statusCaption_->setObjectName(QStringLiteral("StatusPanel1"));
  statusCaption_->setMinimumWidth(50);
  bar->addWidget(progress_);
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
