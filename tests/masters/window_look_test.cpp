// The look of the master-data windows: every label and button shows its whole text
// inside its window, and a pick list's columns fill its grid. With TALLYWORTH_SHOTS set
// to a directory, each window is also saved there as a PNG for a person to look at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>

#include "MasterBooks.h"
#include "UserMoves.h"

namespace {

void checkLook(QWidget& window, const QString& name) {
  QApplication::processEvents();
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisible()) continue;
    const QRect place(child->mapTo(&window, QPoint(0, 0)), child->size());
    EXPECT_TRUE(window.rect().contains(place))
        << name.toStdString() << ": " << child->objectName().toStdString() << " lies outside";
    // A label needs its size hint; a button its text and icon (not the style's minimum).
    int needed = 0;
    if (auto* label = qobject_cast<QLabel*>(child)) needed = label->sizeHint().width();
    if (auto* button = qobject_cast<QAbstractButton*>(child)) {
      needed = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) +
               (button->icon().isNull() ? 0 : button->iconSize().width() + 4) + 8;
    }
    EXPECT_GE(child->width(), needed)
        << name.toStdString() << ": the text of " << child->objectName().toStdString() << " is cut";
  }
  const QString shots = qEnvironmentVariable("TALLYWORTH_SHOTS");
  if (!shots.isEmpty()) {
    EXPECT_TRUE(window.grab().save(QDir(shots).filePath(name + ".png")));
  }
}

// The list's columns fill its grid: no column is cut and no blank strip is left.
void checkGridFilled(const PickList& list) {
  const QTableWidget& grid = *list.StringGrid1;
  const int scrollBar =
      grid.verticalScrollBar()->isVisible() ? grid.verticalScrollBar()->width() : 0;
  EXPECT_EQ(grid.horizontalHeader()->length() + scrollBar + 2 * grid.frameWidth(), grid.width());
}

class WindowLook : public testing::Test {
 protected:
  void SetUp() override {
    shell.start();
    addFolder(shell.db(), 1, QStringLiteral("Rental - 12 Elm Street, Springfield"));
    addFolder(shell.db(), 2, QStringLiteral("Shop"));
  }
  // Looks at the list, then at the definition window of the record it offers first (or a
  // new record, with New), then leaves.
  void lookAtLoop(void (TFormMain::*command)(), const QString& list, const QString& window,
                  const char* choice, const QString& shot) {
    shell.ui.expectModal(list, [shot, choice](QDialog& form) {
      checkLook(form, shot + QStringLiteral("-list"));
      checkGridFilled(dynamic_cast<PickList&>(form));
      click(form, choice);
    });
    shell.ui.expectModal(window, [shot](QDialog& form) {
      checkLook(form, shot);
      click(form, "BtnCancel");
    });
    shell.ui.expectModal(list, press("BtnExit"));
    (shell.form.get()->*command)();
  }

  TestBooks books;
  TestShell shell{books.dir()};
};

TEST_F(WindowLook, ExpenseAccounts) {
  for (int number = 1; number <= 12; ++number) {
    addAccount(shell.db(), "E", number * 10, QStringLiteral("Motor vehicle running costs"));
  }
  lookAtLoop(&TFormMain::BtnAccountEClick, QStringLiteral("PickAcc"), QStringLiteral("Account"),
             "BtnSelect", QStringLiteral("expense-account"));
}

TEST_F(WindowLook, NewIncomeAccountFromAnEmptyList) {
  lookAtLoop(&TFormMain::BtnAccountIClick, QStringLiteral("PickAcc"), QStringLiteral("Account"),
             "BtnNew", QStringLiteral("income-account-new"));
}

TEST_F(WindowLook, Folders) {
  lookAtLoop(&TFormMain::BtnFoldersClick, QStringLiteral("PickFol"), QStringLiteral("FolderF"),
             "BtnSelect", QStringLiteral("folder"));
}

TEST_F(WindowLook, NewFolder) {
  lookAtLoop(&TFormMain::BtnFoldersClick, QStringLiteral("PickFol"), QStringLiteral("FolderF"),
             "BtnNew", QStringLiteral("folder-new"));
}

}  // namespace
