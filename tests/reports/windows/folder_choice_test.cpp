// The folder choice FolderChooser and the program's report host over the Ui.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "AppState.h"
#include "FolderChooser.h"
#include "RecordingProgress.h"
#include "ReportTestSupport.h"
#include "ScriptedUi.h"
#include "UiReportHost.h"

namespace {

QStringList items(const QListWidget& list) {
  QStringList texts;
  for (int row = 0; row < list.count(); ++row) texts.append(list.item(row)->text());
  return texts;
}

class FolderChoice : public testing::Test, public BuilderFixture {
 protected:
  ScriptedUi ui;
  AppState state;
  RecordingProgress statusBar;
  UiReportHost uiHost{ui, state, data.db, statusBar};
};

TEST_F(FolderChoice, TheOnlyListedFolderIsPreselected) {
  addFolder(data.db, 4, QStringLiteral("Shop"));
  ui.expectModal(QStringLiteral("MultFol"), [](QDialog& dialog) {
    auto& form = static_cast<FolderChooser&>(dialog);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Select Folder(s) to Include"));
    EXPECT_EQ(items(*form.folderList),
              QStringList{QStringLiteral("   4 - ") + QStringLiteral("Shop").leftJustified(30)});
    EXPECT_TRUE(form.folderList->item(0)->isSelected());
    QTest::mouseClick(form.runButton, Qt::LeftButton);
  });
  EXPECT_EQ(uiHost.PickFolders(), QList<int>{4});
}

TEST_F(FolderChoice, ClicksSelectSeveralFoldersInListOrder) {
  addFolder(data.db, 12, QStringLiteral("Rental"));
  addFolder(data.db, 3, QStringLiteral("Shop"));
  addFolder(data.db, 7, QStringLiteral("Consulting"));
  ui.expectModal(QStringLiteral("MultFol"), [](QDialog& dialog) {
    auto& form = static_cast<FolderChooser&>(dialog);
    ASSERT_EQ(form.folderList->count(), 3);
    EXPECT_EQ(form.folderList->item(0)->text().left(7), QStringLiteral("   3 - "));
    EXPECT_EQ(form.folderList->item(2)->text().left(7), QStringLiteral("  12 - "));
    EXPECT_TRUE(form.folderList->selectedItems().isEmpty());
    // Plain clicks add to the selection; a second click takes an item out again.
    for (int row : {2, 0, 1, 1}) {
      const QRect item = form.folderList->visualItemRect(form.folderList->item(row));
      QTest::mouseClick(form.folderList->viewport(), Qt::LeftButton, {}, item.center());
    }
    QTest::mouseClick(form.runButton, Qt::LeftButton);
  });
  EXPECT_EQ(uiHost.PickFolders(), (QList<int>{3, 12}));
}

TEST_F(FolderChoice, AllSelectsEveryFolderAndStaysOpen) {
  addFolder(data.db, 1, QStringLiteral("Shop"));
  addFolder(data.db, 2, QStringLiteral("Rental"));
  ui.expectModal(QStringLiteral("MultFol"), [](QDialog& dialog) {
    auto& form = static_cast<FolderChooser&>(dialog);
    QTest::mouseClick(form.allButton, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.folderList->selectedItems().size(), 2);
    QTest::mouseClick(form.runButton, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
  });
  EXPECT_EQ(uiHost.PickFolders(), (QList<int>{1, 2}));
}

TEST_F(FolderChoice, CancelOrRunWithoutASelectionChoosesNone) {
  addFolder(data.db, 1, QStringLiteral("Shop"));
  addFolder(data.db, 2, QStringLiteral("Rental"));
  ui.expectModal(QStringLiteral("MultFol"), [](QDialog& dialog) {
    auto& form = static_cast<FolderChooser&>(dialog);
    QTest::mouseClick(form.allButton, Qt::LeftButton);
    QTest::mouseClick(form.cancelButton, Qt::LeftButton);
  });
  EXPECT_TRUE(uiHost.PickFolders().isEmpty());
  ui.expectModal(QStringLiteral("MultFol"), [](QDialog& dialog) {
    QTest::mouseClick(static_cast<FolderChooser&>(dialog).runButton, Qt::LeftButton);
  });
  EXPECT_TRUE(uiHost.PickFolders().isEmpty());
}

TEST_F(FolderChoice, ChooseFoldersShowsTheDialogOnlyForSeveralFolders) {
  ReportBuilder building(data.db, uiHost, request);
  ui.expectMessage(QStringLiteral("Create folders before running reports"));
  building.ChooseFolders();
  EXPECT_TRUE(building.SelectedFolders.isEmpty());

  addFolder(data.db, 1, QStringLiteral("Shop"));
  building.ChooseFolders();  // no dialog: the ScriptedUi would fail on one
  EXPECT_EQ(building.SelectedFolders, QList<int>{1});

  addFolder(data.db, 2, QStringLiteral("Rental"));
  ui.expectModal(QStringLiteral("MultFol"), [](QDialog& dialog) {
    auto& form = static_cast<FolderChooser&>(dialog);
    form.folderList->item(1)->setSelected(true);
    form.runClicked();
  });
  building.ChooseFolders();
  EXPECT_EQ(building.SelectedFolders, QList<int>{2});
}

TEST_F(FolderChoice, NoPrinterMeansSixtyLinesAndAMessage) {
  ui.expectMessage(QStringLiteral("Default Printer Not Found. Printing 60 Lines per page"));
  EXPECT_EQ(UiReportHost::LinesPerPageOf(ui, nullptr, state.ReportFont), 60);
}

TEST_F(FolderChoice, StatusGoesToTheStatusBar) {
  uiHost.ShowStatus(QStringLiteral("Building Report"));
  uiHost.ShowProgress(40);
  EXPECT_EQ(statusBar.events,
            (QStringList{QStringLiteral("status:Building Report"), QStringLiteral("progress:40")}));
}

}  // namespace
