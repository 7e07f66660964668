// The look of the maintenance windows and the "File Maintenance" page: every label and
// button shows its whole text inside its window. With TALLYWORTH_SHOTS set to a
// directory, each window is also saved there as a PNG for a person to look at.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTabWidget>

#include "ArchiveDialog.h"
#include "DirectoryChooser.h"
#include "MainPage.h"
#include "MaintenanceBooks.h"
#include "PaymentImportDialog.h"
#include "RateChangeDialog.h"
#include "TestShell.h"
#include "WindowLook.h"

namespace {

class WindowLook : public testing::Test {
 protected:
  void SetUp() override {
    books::addAccount(books.db, books::Chart::Expense, 7, QStringLiteral("Car travel (kilometres)"),
                      false);
    books::addAccount(books.db, books::Chart::Income, 3, QStringLiteral("Consulting fees"), false);
    books::addFolder(books.db, 2, QStringLiteral("Main office"));
    books.setFiscalYear(7, 1);
    shell.start();
    storeSettings(shell.db(), books.db.settingsRecord());
  }
  template <class Window>
  void look(void (MainWindow::*command)(), const char* formName, const char* shot) {
    shell.ui.expectModal(QString::fromLatin1(formName), [shot](QDialog& dialog) {
      CheckWindowLook(dialog, shot, ButtonWidth::StyleHint);
      static_cast<Window&>(dialog).cancelClicked();
    });
    (shell.form.get()->*command)();
  }

  MaintenanceBooks books;
  TestShell shell{books.books.dir()};
};

TEST_F(WindowLook, Archive) {
  look<ArchiveDialog>(&MainWindow::archiveClicked, "Archive", "archive");
}

TEST_F(WindowLook, RateChange) {
  look<RateChangeDialog>(&MainWindow::rateChangeClicked, "RateChange", "rate-change");
}

TEST_F(WindowLook, PaymentImport) {
  look<PaymentImportDialog>(&MainWindow::importClicked, "PmtImport", "payment-import");
}

TEST_F(WindowLook, DriveAndDirectoryChooser) {
  shell.ui.expectModal(QStringLiteral("DriveDir"), [](QDialog& dialog) {
    auto& chooser = static_cast<DirectoryChooser&>(dialog);
    EXPECT_GT(chooser.driveBox->count(), 0) << "no mounted volume listed";
    CheckWindowLook(dialog, "drive-dir", ButtonWidth::StyleHint);
    chooser.cancelClicked();
  });
  shell.form->backupClicked();
}

TEST_F(WindowLook, FileMaintenancePage) {
  shell.form->show();
  shell.form->pageTabs->setCurrentWidget(shell.form->maintenancePage);
  CheckWindowLook(*shell.form, "file-maintenance", ButtonWidth::StyleHint);
}

}  // namespace
