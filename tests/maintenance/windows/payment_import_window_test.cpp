// The payment import window: its lists, path and range on showing, the directory choice,
// the refusals that keep it open, and the main window's pack after an import.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "DatePicker.h"
#include "PaymentFiles.h"
#include "PaymentImportDialog.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "TestShell.h"

namespace {

class PaymentImportWindow : public testing::Test {
 protected:
  void SetUp() override {
    books::addAccount(books.db, books::Chart::Income, 3, QStringLiteral("Sales"), false);
    books::addFolder(books.db, 2, QStringLiteral("Shop"));
    books.setFiscalYear(7, 1);
    shell.start();
    storeSettings(shell.db(), books.db.settingsRecord());
  }
  // Shows the window through the main window's command; act plays the user.
  void import(std::function<void(PaymentImportDialog&)> act) {
    shell.ui.expectModal(QStringLiteral("PmtImport"), [act](QDialog& dialog) {
      act(static_cast<PaymentImportDialog&>(dialog));
    });
    shell.form->importClicked();
  }

  MaintenanceBooks books;
  TestShell shell{books.books.dir()};
  TempDir elsewhere;
};

TEST_F(PaymentImportWindow, StartsWithTheListsTheCurrentFiscalYearAndNoPath) {
  import([](PaymentImportDialog& window) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Import Billwise Payment (Income) Data"));
  ASSERT_EQ(window.accountBox->count(), 1);
  EXPECT_TRUE(window.accountBox->itemText(0).startsWith(QStringLiteral("   3 - Sales")));
  ASSERT_EQ(window.folderBox->count(), 1);
  EXPECT_TRUE(window.folderBox->itemText(0).startsWith(QStringLiteral("   2 - Shop")));
  EXPECT_EQ(window.fromDateEdit->date(), QDate(2025, 7, 1));
  EXPECT_EQ(window.throughDateEdit->date(), QDate(2026, 6, 15));
  EXPECT_EQ(window.pathEdit->text(), QString());
  EXPECT_FALSE(window.pathEdit->isEnabled());
  EXPECT_TRUE(window.importButton->isEnabled());
  window.cancelClicked();
});
}  // namespace

TEST_F(PaymentImportWindow, APaymentFileInTheDataDirectoryIsTakenAtOnce) {
  writePaymentFile(books.books.path("GSTPMT.DBF"), billwiseFields(),
                   {{"20260110", "10.00", "1.00", "T", "A1"}});
  import([this](PaymentImportDialog& window) {
    EXPECT_EQ(window.pathEdit->text(), QStringLiteral("gstPmt.dbf"));
  shell.ui.expectMessage(
      QStringLiteral("Payments imported: 1 income records added, 0 earlier imports replaced."));
  window.importClicked();
  EXPECT_EQ(window.result(), QDialog::Accepted);
});
ASSERT_EQ(books.income().size(), 1u);
EXPECT_EQ(books.income().front().IncDesc.trimmed(), QStringLiteral("Payment on Invoice #A1"));
}

TEST_F(PaymentImportWindow, BrowsingTakesThePaymentFileOfTheChosenDirectoryOnly) {
  writePaymentFile(elsewhere.file("gstpmt.dbf"), billwiseFields(), {});
  TempDir empty;
  const QString wrong = QString::fromStdString(empty.file("other.dbf"));
  import([&](PaymentImportDialog& window) {
    shell.ui.expectFileDialog(QStringLiteral("Billwise Directory"), wrong);
  shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                         wrong + QStringLiteral("\r\nis not a valid Billwise Payment file. Try "
                                                "again."));
  window.browseClicked();
  EXPECT_EQ(window.path(), QString());
  // Any file of the directory leads to its payment file.
  shell.ui.expectFileDialog(QStringLiteral("Billwise Directory"),
                            QString::fromStdString(elsewhere.file("gstpmt.ndx")));
  window.browseClicked();
  EXPECT_EQ(window.path(), QString::fromStdString(elsewhere.file("gstpmt.dbf")));
  EXPECT_EQ(window.pathEdit->text(), window.path());
  // A cancelled dialog keeps the path.
  shell.ui.expectFileDialog(QStringLiteral("Billwise Directory"), QString());
  window.browseClicked();
  EXPECT_EQ(window.path(), QString::fromStdString(elsewhere.file("gstpmt.dbf")));
  window.cancelClicked();
});
}

TEST_F(PaymentImportWindow, RefusalsKeepTheWindowOpen) {
  writePaymentFile(elsewhere.file("gstpmt.dbf"), {{"IVNO", 'C', 10}}, {});
  import([&](PaymentImportDialog& window) {
    shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                           QStringLiteral("Please Choose Billwise Directory."));
  window.importClicked();
  EXPECT_TRUE(window.isVisible());
  shell.ui.expectFileDialog(QString(), QString::fromStdString(elsewhere.file("gstpmt.dbf")));
  window.browseClicked();
  shell.ui.expectMessage(Ui::Type::Warning, Ui::Buttons::Ok, QString());
  window.importClicked();
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(shell.ui.messages.back().contains(QStringLiteral("its field PDATE is missing")));
  window.cancelClicked();
});
}

TEST_F(PaymentImportWindow, AnImportThatDeletedRecordsIsPackedAtOnce) {
  books.addIncome(QDate(2026, 1, 10), 3, 10.00, true, QStringLiteral("Payment on Invoice #A1"));
  writePaymentFile(books.books.path("gstpmt.dbf"), billwiseFields(),
                   {{"20260110", "10.00", "1.00", "T", "A1"}});
  shell.ui.expectModal(QStringLiteral("PmtImport"), [this](QDialog& dialog) {
    shell.ui.expectMessage(
        QStringLiteral("Payments imported: 1 income records added, 1 earlier imports replaced."));
    static_cast<PaymentImportDialog&>(dialog).importButton->click();
  });
  shell.form->findChild<QAbstractButton*>(QStringLiteral("importButton"))->click();
  EXPECT_FALSE(shell.state.PackPending);
  EXPECT_EQ(books.income(false).size(), 1u) << "the replaced import was not packed away";
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST(PaymentImportWindowEmpty, WithoutAccountsOrFoldersImportIsDisabled) {
  MaintenanceBooks books;
  Database& db = books.db;
  db.OpenInc();
  db.OpenFolder();
  db.OpenAccI();
  AppState state;
  ScriptedUi ui;
  PaymentImportDialog window(db, state, ui, books.progress, books.clock);
  ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                   QStringLiteral("Income Accounts must be defined before importing Income "
                                  "Records"));
  ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                   QStringLiteral("Folders must be defined before importing Income Records"));
  window.prepare();
  EXPECT_FALSE(window.importButton->isEnabled());
  code4close(db.code());
}

}  // namespace
