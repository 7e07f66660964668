// The default-folder list of the "Income and Expenses" page.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QTest>

#include "TestShell.h"

namespace {

QStringList items(const QComboBox& box) {
  QStringList texts;
  for (int i = 0; i < box.count(); ++i) texts.append(box.itemText(i));
  return texts;
}

class FolderBox : public testing::Test {
 protected:
  void SetUp() override {
    shell.start();
    books::addFolder(shell.db(), 1, QStringLiteral("Shop"));
    books::addFolder(shell.db(), 3, QStringLiteral("Rental - 12 Elm Street"));
    shell.state.RefillFolderBox = true;
    shell.form->fillFolderBox();
  }

  TestBooks books;
  TestShell shell{books.dir()};
};

TEST_F(FolderBox, ListsNoDefaultThenEachFolderAsStored) {
  // Number right-aligned in four characters, " - ", the name with its field's blanks.
  EXPECT_EQ(items(*shell.form->folderBox),
            (QStringList{QStringLiteral("  -1 - No Default"),
                         QStringLiteral("   1 - ") + QStringLiteral("Shop").leftJustified(30),
                         QStringLiteral("   3 - ") +
                             QStringLiteral("Rental - 12 Elm Street").leftJustified(30)}));
  EXPECT_EQ(shell.form->folderBox->currentIndex(), 0);
  EXPECT_FALSE(shell.state.RefillFolderBox);
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(FolderBox, AChoiceSetsTheDefaultFolderFromTheItemsNumber) {
  shell.form->folderChanged(2);
  EXPECT_EQ(shell.state.DefaultFolderIndex, 2);
  EXPECT_EQ(shell.state.DefaultFolder, 3);
  shell.form->folderChanged(0);
  EXPECT_EQ(shell.state.DefaultFolderIndex, 0);
  EXPECT_EQ(shell.state.DefaultFolder, -1);
}

TEST_F(FolderBox, ARefillKeepsTheChoiceButNotTheDefaultFolder) {
  shell.form->folderChanged(2);
  books::addFolder(shell.db(), 2, QStringLiteral("Consulting"));
  shell.state.RefillFolderBox = true;
  shell.form->fillFolderBox();
  // The remembered index now points at folder 2; only a choice changes DefaultFolder.
  EXPECT_EQ(shell.form->folderBox->count(), 4);
  EXPECT_EQ(shell.form->folderBox->currentIndex(), 2);
  EXPECT_EQ(shell.state.DefaultFolder, 3);
}

TEST_F(FolderBox, FallsBackToNoDefaultWhenTheTableShrinksBelowTheChoice) {
  shell.form->folderChanged(2);
  // Delete and pack folder 3 away: one record is left.
  Database& db = shell.db();
  db.OpenFolder();
  ASSERT_EQ(d4go(db.folder().data, 2), 0);  // folder 3 was added second
  db.ReadFolder();
  ASSERT_EQ(db.folderRecord().FolNo, 3);
  d4delete(db.folder().data);
  code4close(db.code());
  db.PackAllTables();

  shell.state.RefillFolderBox = true;
  shell.form->fillFolderBox();
  EXPECT_EQ(shell.form->folderBox->count(), 2);
  EXPECT_EQ(shell.state.DefaultFolderIndex, 0);
  EXPECT_EQ(shell.form->folderBox->currentIndex(), 0);
  EXPECT_EQ(shell.state.DefaultFolder, 3);
}

TEST_F(FolderBox, PaintsWithoutTheFlagLeaveTheTablesAlone) {
  shell.files.clear();
  shell.form->fillFolderBox();
  EXPECT_TRUE(shell.files.opened.isEmpty());
}

TEST_F(FolderBox, TheFolderCommandRefillsTheListAtTheNextPaint) {
  shell.ui.expectModal(QStringLiteral("PickFol"), [](QDialog& list) { list.reject(); });
  shell.form->foldersClicked();
  EXPECT_TRUE(shell.state.RefillFolderBox);
}

TEST_F(FolderBox, TypedCharactersNeverChangeTheChoice) {
  QComboBox* box = shell.form->folderBox;
  box->setCurrentIndex(1);
  for (const char* typed : {"3", "R", " ", "   3"}) {
    QTest::keyClicks(box, QString::fromLatin1(typed));
    EXPECT_EQ(box->currentIndex(), 1) << "after typing '" << typed << "'";
    EXPECT_FALSE(box->view()->isVisible()) << "typing opened the list";
  }
  EXPECT_EQ(shell.state.DefaultFolderIndex, 0);
}

TEST(FolderBoxPaint, TheWindowsFirstPaintFillsTheList) {
  TestBooks books;
  TestShell shell(books.dir());
  shell.form->prepare();
  books::addFolder(shell.db(), 4, QStringLiteral("Farm"));
  ASSERT_TRUE(shell.state.RefillFolderBox);
  shell.form->show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !shell.state.RefillFolderBox; }));
  EXPECT_EQ(shell.form->folderBox->count(), 2);
  shell.form->hide();
}

}  // namespace
