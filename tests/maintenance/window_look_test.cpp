// The look of the maintenance windows and the "File Maintenance" page: every label and
// button shows its whole text inside its window. With TALLYWORTH_SHOTS set to a
// directory, each window is also saved there as a PNG for a person to look at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTabWidget>

#include "../app/TestShell.h"
#include "MainPage.h"
#include "MaintenanceBooks.h"
#include "TArchive.h"
#include "TDriveDir.h"
#include "TPmtImport.h"
#include "TRateChange.h"

namespace {

// Fails for each visible label or button of window whose text is cut or that lies
// outside the window; saves the window as name.png when asked to.
void checkLook(QWidget& window, const char* name) {
  QApplication::processEvents();
  const QRect inside = window.rect();
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisible()) continue;
    const QRect place(child->mapTo(&window, QPoint(0, 0)), child->size());
    EXPECT_TRUE(inside.contains(place))
        << name << ": " << child->objectName().toStdString() << " lies outside the window";
    const bool wordWrapped =
        qobject_cast<QLabel*>(child) && static_cast<QLabel*>(child)->wordWrap();
    if ((qobject_cast<QLabel*>(child) || qobject_cast<QAbstractButton*>(child)) && !wordWrapped) {
      EXPECT_GE(child->width(), child->minimumSizeHint().width())
          << name << ": the text of " << child->objectName().toStdString() << " is cut";
    }
  }
  const QString shots = qEnvironmentVariable("TALLYWORTH_SHOTS");
  if (!shots.isEmpty()) {
    EXPECT_TRUE(window.grab().save(QDir(shots).filePath(QString::fromLatin1(name) + ".png")));
  }
}

class WindowLook : public testing::Test {
 protected:
  void SetUp() override {
    books.addAccount(false, 7, QStringLiteral("Car travel (kilometres)"));
    books.addAccount(true, 3, QStringLiteral("Consulting fees"));
    books.addFolder(2, QStringLiteral("Main office"));
    books.setFiscalYear(7, 1);
    shell.start();
    storeSettings(shell.db(), books.db.settingsRecord());
  }
  template <class Window>
  void look(void (TFormMain::*command)(), const char* formName, const char* shot) {
    shell.ui.expectModal(QString::fromLatin1(formName), [shot](QDialog& dialog) {
      checkLook(dialog, shot);
      static_cast<Window&>(dialog).BtnCancelClick();
    });
    (shell.form.get()->*command)();
  }

  MaintenanceBooks books;
  TestShell shell{books.books.dir()};
};

TEST_F(WindowLook, Archive) { look<TArchive>(&TFormMain::BtnArchiveClick, "Archive", "archive"); }

TEST_F(WindowLook, RateChange) {
  look<TRateChange>(&TFormMain::BtnRateChangeClick, "RateChange", "rate-change");
}

TEST_F(WindowLook, PaymentImport) {
  look<TPmtImport>(&TFormMain::BtnImportClick, "PmtImport", "payment-import");
}

TEST_F(WindowLook, DriveAndDirectoryChooser) {
  shell.ui.expectModal(QStringLiteral("DriveDir"), [](QDialog& dialog) {
    auto& chooser = static_cast<TDriveDir&>(dialog);
    EXPECT_GT(chooser.DriveComboBox1->count(), 0) << "no mounted volume listed";
    checkLook(dialog, "drive-dir");
    chooser.BtnCancelClick();
  });
  shell.form->BtnBackupClick();
}

TEST_F(WindowLook, FileMaintenancePage) {
  shell.form->show();
  shell.form->PageControl1->setCurrentWidget(shell.form->TabSheet4);
  checkLook(*shell.form, "file-maintenance");
}

}  // namespace
