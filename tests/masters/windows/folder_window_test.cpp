// The folder window through the folder loop of the main window: the lowest free number,
// renaming, renumbering, merging and deleting across both transaction tables, with their
// messages.
#include <gtest/gtest.h>

#include <QComboBox>

#include "FolderWindow.h"
#include "MasterBooks.h"
#include "MasterTables.h"
#include "UserMoves.h"

namespace {

using Type = Ui::Type;
using Buttons = Ui::Buttons;
using Answer = Ui::Answer;

const QString kFol = QStringLiteral("PickFol");
const QString kFolder = QStringLiteral("FolderF");

// Folders 3 and 8 with income and expenses in each (archived and imported ones in 3),
// and folder 5 with one expense.
class FolderWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    shell.start();
    books::addFolder(db(), 3, QStringLiteral("Shop"));
    books::addFolder(db(), 8, QStringLiteral("Flat"));
    books::addFolder(db(), 5, QStringLiteral("Farm"));
    addExpense(db(), 1, 3, 2);
    addExpense(db(), 1, 3, 3, true);
    addExpense(db(), 2, 8, 4);
    addExpense(db(), 2, 5, 5);
    addIncome(db(), 1, 3, 6, true);
    addIncome(db(), 1, 3, 7, false, true);
    addIncome(db(), 1, 8, 8);
  }

  Database& db() { return shell.db(); }
  std::string dir() const { return books.dir(); }
  // The folder each record of table holds, by record number.
  std::map<long, int> folders(const std::string& table) const {
    std::map<long, int> numbers;
    for (const Stored& record : storedRecords(dir(), table)) {
      numbers[record.recNo] = record.number("FOLNO");
    }
    return numbers;
  }
  void runFolderLoop() {
    shell.state.RefillFolderBox = false;
    shell.form->foldersClicked();
    EXPECT_EQ(shell.state.SelectedFolder, -1);
    EXPECT_TRUE(shell.state.RefillFolderBox) << "the default-folder list is left as it was";
    EXPECT_EQ(shell.files.openFiles, 0) << "tables left open";
  }

  TestBooks books;
  TestShell shell{books.dir()};
};

TEST_F(FolderWindowTest, ANewFolderTakesTheLowestFreeNumber) {
  books::addFolder(db(), 1, QStringLiteral("One"));
  books::addFolder(db(), 2, QStringLiteral("Two"));
  books::addFolder(db(), 4, QStringLiteral("Four"));
  // Folders 1, 2, 3, 4, 5 and 8: the new ones get 6 and then 7.
  shell.ui.expectModal(kFol, press("newButton"));
  shell.ui.expectModal(kFolder, [](QDialog& form) {
    auto& window = dynamic_cast<FolderWindow&>(form);
    EXPECT_EQ(window.numberEdit->text(), QStringLiteral("6"));
    EXPECT_FALSE(window.numberEdit->isEnabled());
    EXPECT_FALSE(window.deleteButton->isVisible());
    window.descriptionEdit->setText(QStringLiteral("Orchard"));
    click(form, "saveButton");
    EXPECT_EQ(window.numberEdit->text(), QStringLiteral("7"));
    EXPECT_TRUE(window.descriptionEdit->text().isEmpty());
    window.descriptionEdit->setText(QStringLiteral("Vineyard"));
    click(form, "saveButton");
  });
  shell.ui.expectMessage(Type::Confirmation, Buttons::YesNo, QStringLiteral("Add another folder?"),
                         Answer::Yes);
  shell.ui.expectMessage(Type::Confirmation, Buttons::YesNo, QStringLiteral("Add another folder?"),
                         Answer::No);
  shell.ui.expectModal(kFol, press("exitButton"));
  runFolderLoop();

  ASSERT_EQ(liveHolding(dir(), "FOLDER", "FOLNO", 6).size(), 1u);
  EXPECT_EQ(liveHolding(dir(), "FOLDER", "FOLNO", 6)[0].text("FOLNAME"), QStringLiteral("Orchard"));
  ASSERT_EQ(liveHolding(dir(), "FOLDER", "FOLNO", 7).size(), 1u);
  EXPECT_EQ(liveHolding(dir(), "FOLDER", "FOLNO", 7)[0].text("FOLNAME"),
            QStringLiteral("Vineyard"));
  expectTagsAgree(dir(), "FOLDER");
}

TEST_F(FolderWindowTest, AFolderNumberFreedByADeletionIsTakenAgain) {
  books::addFolder(db(), 1, QStringLiteral("One"));
  books::addFolder(db(), 2, QStringLiteral("Two"));
  db().OpenFolder();
  ASSERT_TRUE(MasterTables::seekLive(db().folder().data, db().folder().FolNo, 3));
  d4delete(db().folder().data);
  code4close(db().code());
  shell.ui.expectModal(kFol, press("newButton"));
  shell.ui.expectModal(kFolder, [](QDialog& form) {
    EXPECT_EQ(dynamic_cast<FolderWindow&>(form).numberEdit->text(), QStringLiteral("3"));
    click(form, "helpButton");
    click(form, "cancelButton");
  });
  shell.ui.expectModal(kFol, press("exitButton"));
  runFolderLoop();
  EXPECT_EQ(shell.ui.helpContexts, QList<int>{570});
}

TEST_F(FolderWindowTest, RenumberingMovesTheIncomeAndExpensesOfTheOldNumberOnly) {
  shell.ui.expectModal(kFol, choose(3));
  shell.ui.expectModal(kFolder, [](QDialog& form) {
    auto& window = dynamic_cast<FolderWindow&>(form);
    EXPECT_TRUE(window.numberEdit->isEnabled());
    EXPECT_TRUE(window.deleteButton->isVisible());
    EXPECT_EQ(window.descriptionEdit->text(), QStringLiteral("Shop"));
    typeAndSave(9, QStringLiteral("Shop"))(form);
  });
  shell.ui.expectMessage(
      Type::Information, Buttons::OkCancel,
      QStringLiteral("FOLDER NUMBER CHANGED!\r\n\r\nIf you continue, all income "
                     "and expenses in folder 3 will be assigned to folder number "
                     "9 AND Folder Number 3 will no longer exist."));
  shell.ui.expectModal(kFol, press("exitButton"));
  runFolderLoop();

  EXPECT_EQ(folders("GSTEXP1"), (std::map<long, int>{{1, 9}, {2, 9}, {3, 8}, {4, 5}}));
  EXPECT_EQ(folders("GSTINC1"), (std::map<long, int>{{1, 9}, {2, 9}, {3, 8}}));
  EXPECT_EQ(storedRecords(dir(), "FOLDER").at(0).number("FOLNO"), 9);
  for (const char* table : {"FOLDER", "GSTEXP1", "GSTINC1"}) expectTagsAgree(dir(), table);
}

TEST_F(FolderWindowTest, MergingLeavesOneFolderWithTheTypedNameAndBothSetsOfRecords) {
  shell.ui.expectModal(kFol, choose(3));
  shell.ui.expectModal(kFolder, typeAndSave(8, QStringLiteral("Rental")));
  shell.ui.expectMessage(Type::Information, Buttons::OkCancel,
                         QStringLiteral("FOLDER NUMBER 8 ALREADY EXISTS.\r\n\r\nIf you continue, "
                                        "all income and expenses in folder 3 will be merged into "
                                        "folder number 8 which will be renamed to Rental"));
  shell.ui.expectModal(kFol, [](QDialog& form) {
    auto& list = dynamic_cast<PickList&>(form);
    EXPECT_EQ(list.grid->rowCount(), 2);
    click(form, "exitButton");
  });
  runFolderLoop();

  EXPECT_FALSE(shell.state.PackPending);
  const std::vector<Stored> stored = storedRecords(dir(), "FOLDER");
  ASSERT_EQ(stored.size(), 2u) << "the former folder 8 is still stored";
  const std::vector<Stored> eights = liveHolding(dir(), "FOLDER", "FOLNO", 8);
  ASSERT_EQ(eights.size(), 1u);
  EXPECT_EQ(eights[0].text("FOLNAME"), QStringLiteral("Rental"));
  EXPECT_EQ(folders("GSTEXP1"), (std::map<long, int>{{1, 8}, {2, 8}, {3, 8}, {4, 5}}));
  EXPECT_EQ(folders("GSTINC1"), (std::map<long, int>{{1, 8}, {2, 8}, {3, 8}}));
  for (const char* table : {"FOLDER", "GSTEXP1", "GSTINC1"}) expectTagsAgree(dir(), table);
  // The default-folder list shows the folders as they now are.
  shell.form->fillFolderBox();
  EXPECT_EQ(shell.form->folderBox->count(), 3);
}

TEST_F(FolderWindowTest, DeletingRemovesTheFoldersIncomeAndExpensesForGood) {
  shell.ui.expectModal(kFol, choose(3));
  shell.ui.expectModal(kFolder, press("deleteButton"));
  shell.ui.expectMessage(Type::Warning, Buttons::YesNoDefaultNo,
                         QStringLiteral("WARNING: All income and expenses assigned to this folder "
                                        "will be deleted.\r\n\r\nARE YOU SURE YOU WANT TO DELETE "
                                        "THIS FOLDER?"),
                         Answer::Yes);
  shell.ui.expectModal(kFol, [](QDialog& form) {
    EXPECT_EQ(rowOf(dynamic_cast<PickList&>(form), 3), -1);
    click(form, "exitButton");
  });
  runFolderLoop();

  EXPECT_EQ(storedRecords(dir(), "FOLDER").size(), 2u);
  EXPECT_EQ(folders("GSTEXP1"), (std::map<long, int>{{1, 8}, {2, 5}}));
  EXPECT_EQ(folders("GSTINC1"), (std::map<long, int>{{1, 8}}));
  for (const char* table : {"FOLDER", "GSTEXP1", "GSTINC1", "ACC", "ACCI"}) {
    expectTagsAgree(dir(), table);
  }
  shell.form->fillFolderBox();
  EXPECT_EQ(shell.form->folderBox->count(), 3);
  EXPECT_FALSE(shell.form->folderBox->itemText(1).startsWith(QStringLiteral("   3")));
}

TEST_F(FolderWindowTest, DeleteAfterACancelledMergeDeletesTheChosenFolder) {
  shell.ui.expectModal(kFol, choose(3));
  shell.ui.expectModal(kFolder,
                       then({typeAndSave(8, QStringLiteral("Shop")), press("deleteButton")}));
  shell.ui.expectMessage(Type::Information, Buttons::OkCancel, QString(), Answer::Cancel);
  shell.ui.expectMessage(Type::Warning, Buttons::YesNoDefaultNo, QString(), Answer::Yes);
  shell.ui.expectModal(kFol, press("exitButton"));
  runFolderLoop();

  EXPECT_TRUE(liveHolding(dir(), "FOLDER", "FOLNO", 3).empty());
  ASSERT_EQ(liveHolding(dir(), "FOLDER", "FOLNO", 8).size(), 1u) << "the wrong folder was deleted";
  EXPECT_EQ(liveHolding(dir(), "FOLDER", "FOLNO", 8)[0].text("FOLNAME"), QStringLiteral("Flat"));
  EXPECT_EQ(folders("GSTEXP1"), (std::map<long, int>{{1, 8}, {2, 5}}));
}

TEST_F(FolderWindowTest, RenamingWithoutANewNumberTouchesNoTransaction) {
  shell.ui.expectModal(kFol, choose(8));
  shell.ui.expectModal(kFolder, typeAndSave(8, QStringLiteral("Flat 2")));
  shell.ui.expectModal(kFol, press("exitButton"));
  shell.files.clear();
  runFolderLoop();
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("gstexp1.dbf")), 0);
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("gstinc1.dbf")), 0);
  EXPECT_EQ(storedRecords(dir(), "FOLDER").at(1).text("FOLNAME"), QStringLiteral("Flat 2"));
}

TEST_F(FolderWindowTest, ACancelledRenumberingWritesNothingAndKeepsTheWindowOpen) {
  shell.ui.expectModal(kFol, choose(3));
  shell.ui.expectModal(kFolder, [](QDialog& form) {
    typeAndSave(4, QStringLiteral("Shop"))(form);
    EXPECT_TRUE(form.isVisible());
    EXPECT_NE(form.result(), QDialog::Accepted);
    click(form, "cancelButton");
  });
  shell.ui.expectMessage(QString(), Answer::Cancel);
  shell.ui.expectModal(kFol, press("exitButton"));
  shell.files.clear();
  runFolderLoop();
  for (const char* file : {"folder.dbf", "gstexp1.dbf", "gstinc1.dbf"}) {
    EXPECT_EQ(shell.files.writesTo(QString::fromLatin1(file)), 0) << file;
  }
}

}  // namespace
