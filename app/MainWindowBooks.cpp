// The main window's File menu commands that change the books: Open Books and the books
// opened last.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>

#include "BooksChooser.h"
#include "Guarded.h"
#include "MainWindow.h"

void MainWindow::buildBooksMenu(QMenu* file) {
  recentBooksMenu = nullptr;
  if (!env_.books) return;
  QAction* open = menuCommand(file, QStringLiteral("openBooksAction"), tr("&Open Books..."),
                              &MainWindow::openBooksClicked);
  open->setShortcut(QKeySequence::Open);
  recentBooksMenu = file->addMenu(tr("&Recent Books"));
  recentBooksMenu->setObjectName(QStringLiteral("recentBooksMenu"));
  connect(recentBooksMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentBooksMenu);
  fillRecentBooksMenu();
  file->addSeparator();
}

void MainWindow::fillRecentBooksMenu() {
  recentBooksMenu->clear();
  const QString current = QString::fromStdString(env_.dataDirectory);
  for (const QString& folder : env_.books->recentBooks()) {
    if (folder == current) continue;
    QAction* action = recentBooksMenu->addAction(QDir::toNativeSeparators(folder));
    connect(action, &QAction::triggered, this,
            guarded(env_.ui, [this, folder] { openRecentBooks(folder); }));
  }
  recentBooksMenu->setEnabled(!recentBooksMenu->isEmpty());
}

void MainWindow::openBooksClicked() {
  const QString folder = env_.books->chooseBooks(QString::fromStdString(env_.dataDirectory));
  if (!folder.isEmpty()) switchBooks(folder);
}

void MainWindow::openRecentBooks(const QString& folder) {
  if (env_.books->acceptBooks(folder)) switchBooks(folder);
}

void MainWindow::switchBooks(const QString& folder) {
  if (folder == QString::fromStdString(env_.dataDirectory)) return;
  closeBooks();
  nextBooks_ = folder;
  hide();
  QCoreApplication::exit(0);
}
