// Starts the main window on a set of books and saves a picture of each of its four pages,
// of the About box, of the browse lists and entry windows, and of a report in its viewer,
// for checking the look of the program; given a bank statement, also of the bank import's
// preview of it and of the rules window.
//
// usage: screenshots <books directory> <output directory> [<bank statement>]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "AboutDialog.h"
#include "AppState.h"
#include "BankPreviewWindow.h"
#include "BankRulesWindow.h"
#include "BrowseWindow.h"
#include "Clock.h"
#include "Database.h"
#include "Environment.h"
#include "ExpenseList.h"
#include "ExpenseWindow.h"
#include "IncomeList.h"
#include "IncomeWindow.h"
#include "MainWindow.h"
#include "QtUi.h"
#include "ReportViewer.h"
#include "UiProgramHost.h"
#include "WaitClock.h"

namespace {

// Runs the expense summary of the report range over every folder and saves the viewer as
// it first comes up (maximised); the modal windows are played from a timer, as a user
// would answer them.
void grabReport(MainWindow& window, const QString& file, int& failures) {
  QTimer player;
  QObject::connect(&player, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (modal->objectName() == QLatin1String("MultFol")) {
      modal->findChild<QPushButton*>(QStringLiteral("allButton"))->click();
      modal->findChild<QPushButton*>(QStringLiteral("runButton"))->click();
    } else if (auto* viewer = qobject_cast<ReportViewer*>(modal)) {
      // Without a window manager (Xvfb) nothing maximises the window: give it the screen.
      if (viewer->isMaximized() && viewer->screen()) {
        viewer->setGeometry(viewer->screen()->availableGeometry());
        QApplication::processEvents();
      }
      if (!viewer->grab().save(file)) ++failures;
      viewer->reject();
    }
  });
  player.start(500);
  window.findChild<QAction*>(QStringLiteral("expenseSummaryAction"))->trigger();
}

// The preview of statement as the File menu's command shows it, then the rules window.
void grabBankImport(MainWindow& window, const QString& statement, const QDir& out, int& failures) {
  BankPreviewWindow& preview = *window.bankPreviewWindow;
  if (!preview.load(statement)) {
    ++failures;
    return;
  }
  preview.show();
  QApplication::processEvents();
  if (!preview.grab().save(out.filePath(QStringLiteral("bankPreviewWindow.png")))) ++failures;
  preview.hide();
  QTimer player;
  QObject::connect(&player, &QTimer::timeout, [&] {
    auto* rules = qobject_cast<BankRulesWindow*>(QApplication::activeModalWidget());
    if (!rules) return;
    if (!rules->grab().save(out.filePath(QStringLiteral("bankRulesWindow.png")))) ++failures;
    rules->reject();
  });
  player.start(500);
  window.bankRulesClicked();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tallyworth"));
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr,
                 "usage: screenshots <books directory> <output directory> [<bank statement>]\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[2]));
  QtUi ui;
  UiProgramHost host(ui);
  AppState state;
  const Environment env{ui,
                        host,
                        Clock::system(),
                        WaitClock::system(),
                        xbase::FileSystem::posix(),
                        QDir(QString::fromLocal8Bit(argv[1])).absolutePath().toStdString(),
                        nullptr,
                        {}};
  MainWindow window(env, state);
  window.prepare();
  window.show();
  // The first paint fills the default-folder list; wait for it.
  QElapsedTimer waited;
  waited.start();
  while (state.RefillFolderBox && waited.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  int failures = 0;
  for (int page = 0; page < window.pageTabs->count(); ++page) {
    window.pageTabs->setCurrentIndex(page);
    QApplication::processEvents();
    const QString file = out.filePath(QStringLiteral("page%1-%2.png")
                                          .arg(page + 1)
                                          .arg(window.pageTabs->widget(page)->objectName()));
    if (!window.grab().save(file)) ++failures;
  }
  window.aboutDialog->show();
  QApplication::processEvents();
  if (!window.aboutDialog->grab().save(out.filePath(QStringLiteral("about.png")))) ++failures;
  // Each browse list as its loop first shows it, then its entry window on the list's last
  // record, on the tables the loop opens.
  Database& db = window.database();
  const auto grabLoop = [&](BrowseWindow& list, QDialog& entry, int& selected,
                            std::initializer_list<bool (Database::*)()> opens) {
    for (auto open : opens) (db.*open)();
    selected = 0;
    list.show();
    QApplication::processEvents();
    if (!list.grab().save(out.filePath(list.objectName() + QStringLiteral(".png")))) ++failures;
    list.hide();
    if (list.list().count() > 0) selected = list.list().recordAt(list.list().count() - 1);
    entry.show();
    QApplication::processEvents();
    if (!entry.grab().save(out.filePath(entry.objectName() + QStringLiteral(".png")))) ++failures;
    entry.hide();
    code4close(db.code());
  };
  grabLoop(*window.expenseList, *window.expenseWindow, state.SelectedExpense,
           {&Database::OpenExp, &Database::OpenFolder, &Database::OpenAcc});
  grabLoop(*window.incomeList, *window.incomeWindow, state.SelectedIncome,
           {&Database::OpenInc, &Database::OpenFolder, &Database::OpenAccI});
  grabReport(window, out.filePath(QStringLiteral("ReportViewer.png")), failures);
  if (argc == 4) grabBankImport(window, QString::fromLocal8Bit(argv[3]), out, failures);
  std::fflush(nullptr);
  // Leave without the shut-down: nothing was changed, and no pack may run here.
  std::_Exit(failures == 0 ? 0 : 1);
}
