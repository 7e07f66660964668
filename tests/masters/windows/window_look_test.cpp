// The look of the master-data windows: every label and button shows its whole text
// inside its window, and a pick list's columns fill its grid. With TALLYWORTH_SHOTS set
// to a directory, each window is also saved there as a PNG for a person to look at.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>

#include "MasterBooks.h"
#include "UserMoves.h"
#include "WindowLook.h"

namespace {

// The list's columns fill its grid: no column is cut and no blank strip is left.
void checkGridFilled(const PickList& list) {
  const QTableWidget& grid = *list.grid;
  const int scrollBar =
      grid.verticalScrollBar()->isVisible() ? grid.verticalScrollBar()->width() : 0;
  EXPECT_EQ(grid.horizontalHeader()->length() + scrollBar + 2 * grid.frameWidth(), grid.width());
}

class WindowLook : public testing::Test {
 protected:
  void SetUp() override {
    shell.start();
    books::addFolder(shell.db(), 1, QStringLiteral("Rental - 12 Elm Street, Springfield"));
    books::addFolder(shell.db(), 2, QStringLiteral("Shop"));
  }
  // Looks at the list, then at the definition window of the record it offers first (or a
  // new record, with New), then leaves.
  void lookAtLoop(void (MainWindow::*command)(), const QString& list, const QString& window,
                  const char* choice, const QString& shot) {
    shell.ui.expectModal(list, [shot, choice](QDialog& form) {
      CheckWindowLook(form, shot + QStringLiteral("-list"), ButtonWidth::TextAndIcon);
      checkGridFilled(dynamic_cast<PickList&>(form));
      click(form, choice);
    });
    shell.ui.expectModal(window, [shot](QDialog& form) {
      CheckWindowLook(form, shot, ButtonWidth::TextAndIcon);
      click(form, "cancelButton");
    });
    shell.ui.expectModal(list, press("exitButton"));
    (shell.form.get()->*command)();
  }

  TestBooks books;
  TestShell shell{books.dir()};
};

TEST_F(WindowLook, ExpenseAccounts) {
  for (int number = 1; number <= 12; ++number) {
    books::addAccount(shell.db(), books::Chart::Expense, number * 10,
                      QStringLiteral("Motor vehicle running costs"));
  }
  lookAtLoop(&MainWindow::expenseAccountsClicked, QStringLiteral("PickAcc"),
             QStringLiteral("Account"), "selectButton", QStringLiteral("expense-account"));
}

TEST_F(WindowLook, ATallerPickListShowsMoreRows) {
  for (int number = 1; number <= 40; ++number) {
    books::addAccount(shell.db(), books::Chart::Expense, number, QStringLiteral("Fuel"));
  }
  shell.ui.expectModal(QStringLiteral("PickAcc"), [](QDialog& form) {
    QTableWidget& grid = *dynamic_cast<PickList&>(form).grid;
    const auto lastShownRow = [&] { return grid.rowAt(grid.viewport()->height() - 1); };
    const int before = lastShownRow();
    form.resize(form.width(), form.height() + 5 * grid.rowHeight(0));
    EXPECT_EQ(lastShownRow(), before + 5);
    checkGridFilled(dynamic_cast<PickList&>(form));
    click(form, "exitButton");
  });
  shell.form->expenseAccountsClicked();
}

TEST_F(WindowLook, NewIncomeAccountFromAnEmptyList) {
  lookAtLoop(&MainWindow::incomeAccountsClicked, QStringLiteral("PickAcc"),
             QStringLiteral("Account"), "newButton", QStringLiteral("income-account-new"));
}

TEST_F(WindowLook, Folders) {
  lookAtLoop(&MainWindow::foldersClicked, QStringLiteral("PickFol"), QStringLiteral("FolderF"),
             "selectButton", QStringLiteral("folder"));
}

TEST_F(WindowLook, NewFolder) {
  lookAtLoop(&MainWindow::foldersClicked, QStringLiteral("PickFol"), QStringLiteral("FolderF"),
             "newButton", QStringLiteral("folder-new"));
}

}  // namespace
