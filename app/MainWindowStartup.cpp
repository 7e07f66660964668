// The main window's start-up, default-folder list, status bar and shut-down.
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>

#include "AboutDialog.h"
#include "AppState.h"
#include "BooksChooser.h"
#include "DataDirectory.h"
#include "Database.h"
#include "DatePicker.h"
#include "Guarded.h"
#include "MainPage.h"
#include "MainWindow.h"
#include "ProgramVersion.h"
#include "ProgressPanel.h"
#include "ReportPrinting.h"
#include "SettingsPage.h"
#include "StartupRecovery.h"
#include "StrToInt.h"
#include "TableWalk.h"
#include "Ui.h"
#include "xbase/Status.h"

namespace {

// The splash stays at least 0.00002 day.
constexpr std::int64_t kSplashMs = 1728;

}  // namespace

void MainWindow::prepare() {
  state_.ProgramVersion = QString::fromLatin1(kProgramVersion);
  aboutDialog->show();
  const std::int64_t splashStart = env_.waitClock.nowMs();

  const QString folder = QString::fromStdString(env_.dataDirectory);
  if (!DataFilesPresent()) {
    host_.fatal(BooksChooser::MissingTablesMessage(folder));
  }
  if (!lockDataDirectory()) {
    host_.fatal(DataDirectory::LockedMessage());
  }
  const QStringList mended = DataDirectory::OpenBooks(*db_, env_.files, env_.dataDirectory);
  if (!mended.isEmpty()) {
    env_.ui.message(Ui::Type::Information, Ui::Buttons::Ok,
                    QStringLiteral("Tallyworth mended the books as it started:\r\n") +
                        mended.join(QStringLiteral("\r\n")));
  }

  setWindowTitle(QStringLiteral("Tallyworth %1 - %2")
                     .arg(state_.ProgramVersion, QDir::toNativeSeparators(folder)));
  state_.DefaultFolderIndex = 0;
  state_.DefaultFolder = -1;
  state_.PackPending = false;
  state_.RefillFolderBox = true;
  state_.SetCurrentMonth(env_.clock.today());
  fillFromSettings();
  showSplashAtLeast(splashStart);
}

bool MainWindow::DataFilesPresent() {
  return DataDirectory::TablesPresent(env_.files, env_.dataDirectory);
}

bool MainWindow::lockDataDirectory() {
  bool heldByAnother = false;
  lock_ = DataDirectory::Lock(env_.dataDirectory, &heldByAnother);
  if (lock_ || heldByAnother) return lock_ != nullptr;
  // A directory that takes no lock file is read-only: refused now, not at the first save.
  host_.fatal(DataDirectory::ReadOnlyMessage(env_.dataDirectory));
}

void MainWindow::fillFromSettings() {
  const SettingsRecord& settings = db_->settingsRecord();
  // The report font starts as the window's font; the main window keeps its own, so a
  // large report font cannot break its fixed layout.
  state_.ReportFont = ReportPrinting::ReportFont(font(), settings);
  settingsPage->fill();
  fromDateEdit->setDate(state_.ReportStartDate);
  throughDateEdit->setDate(state_.ReportEndDate);
}

void MainWindow::showSplashAtLeast(std::int64_t since) {
  while (env_.waitClock.nowMs() - since < kSplashMs) env_.waitClock.idle(10);
  aboutDialog->close();
  state_.SplashMode = false;
}

void MainWindow::fillFolderBox() {
  if (!state_.RefillFolderBox) return;
  db_->OpenFolder();
  FolderTable& folders = db_->folder();
  folderBox->clear();
  folderBox->addItem(QStringLiteral("  -1 - No Default"));
  WalkAll(folders.data, [&] {
    if (d4deleted(folders.data)) return;
    folderBox->addItem(f4text(folders.FolNo) + QStringLiteral(" - ") + f4text(folders.FolName));
  });
  if (d4recCountDo(folders.data) < state_.DefaultFolderIndex) state_.DefaultFolderIndex = 0;
  d4close(db_->code(), folders.data);
  folderBox->setCurrentIndex(state_.DefaultFolderIndex);
  state_.RefillFolderBox = false;
  setFocus();
}

void MainWindow::folderChanged(int index) {
  state_.DefaultFolderIndex = index;
  state_.DefaultFolder = StrToInt(folderBox->itemText(index).left(4));
}

void MainWindow::scheduleFolderBoxRefill() {
  state_.RefillFolderBox = true;
  update();
}

void MainWindow::ShutDown() {
  closeBooks();
  host_.end(0);
}

void MainWindow::closeBooks() {
  error4exitTest(db_->code(), host_);
  if (state_.PackPending) db_->PackAllTables();
  db_.reset();  // releases the table library
  StartupRecovery::EndSession(env_.files, env_.dataDirectory);
  lock_.reset();
}

void MainWindow::ShowStatus(const QString& text) {
  statusCaption_->setText(text);
  ShowProgress(0);
  repaint();
}

void MainWindow::ShowProgress(int percent) { progressPanel_->setPercent(percent); }

QString MainWindow::statusText() const { return statusCaption_->text(); }

int MainWindow::progressPercent() const { return progressPanel_->percent(); }

void MainWindow::closeEvent(QCloseEvent*) { ShutDown(); }

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The pages cover the whole window, so their paints are the window's paints. The list
  // is filled outside the paint itself: filling it repaints, and a table that cannot be
  // opened shows a box.
  if (event->type() == QEvent::Paint && state_.RefillFolderBox &&
      qobject_cast<MainPage*>(watched)) {
    QMetaObject::invokeMethod(
        this, [this] { runGuarded(env_.ui, [this] { fillFolderBox(); }); }, Qt::QueuedConnection);
  }
  if (watched == folderBox && event->type() == QEvent::KeyPress) {
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    if (!typed.isEmpty() && typed.at(0).isPrint()) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}
