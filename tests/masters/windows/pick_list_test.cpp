// The account and folder pick lists: their grids, which row is current, the empty list,
// and the ways of choosing and leaving.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTest>

#include "AccountPicker.h"
#include "AccountWindow.h"
#include "MasterBooks.h"
#include "UserMoves.h"

namespace {

const QString kAcc = QStringLiteral("PickAcc");
const QString kAccount = QStringLiteral("Account");
const QString kFol = QStringLiteral("PickFol");

QStringList headings(const QTableWidget& grid) {
  QStringList texts;
  for (int column = 0; column < grid.columnCount(); ++column) {
    texts.append(grid.horizontalHeaderItem(column)->text());
  }
  return texts;
}

// The columns share total, each heading fits its column, and the last column (the
// record number's) has no width.
void expectColumns(const QTableWidget& grid, int total) {
  int sum = 0;
  for (int column = 0; column < grid.columnCount(); ++column) {
    sum += grid.columnWidth(column);
    if (column + 1 < grid.columnCount()) {
      EXPECT_GE(grid.columnWidth(column), grid.horizontalHeader()->sectionSizeHint(column))
          << "heading " << column << " is cut";
    }
  }
  EXPECT_EQ(sum, total);
  EXPECT_EQ(grid.columnWidth(grid.columnCount() - 1), 0);
}

QStringList row(const QTableWidget& grid, int index) {
  QStringList cells;
  for (int column = 0; column < grid.columnCount(); ++column) {
    cells.append(grid.item(index, column)->text());
  }
  return cells;
}

// Checks the account shown by the definition window, then cancels it.
Move expectAccount(int number) {
  return [number](QDialog& form) {
    EXPECT_EQ(dynamic_cast<AccountWindow&>(form).numberEdit->text(), QString::number(number));
    click(form, "cancelButton");
  };
}

class PickLists : public testing::Test {
 protected:
  void SetUp() override { shell.start(); }
  Database& db() { return shell.db(); }

  TestBooks books;
  TestShell shell{books.dir()};
};

TEST_F(PickLists, TheAccountListShowsEachAccountWithItsFlagAndRecordNumber) {
  books::addAccount(db(), books::Chart::Expense, 12, QStringLiteral("Travel"), false);
  books::addAccount(db(), books::Chart::Expense, 4, QStringLiteral("Bank fees"), true);
  shell.ui.expectModal(kAcc, [](QDialog& form) {
    const QTableWidget& grid = *dynamic_cast<PickList&>(form).grid;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Expense Accounts"));
    EXPECT_EQ(headings(grid), (QStringList{QStringLiteral("Number"), QStringLiteral("Description"),
                                           QStringLiteral("Deduct"), QString()}));
    expectColumns(grid, 336);
    EXPECT_GE(grid.columnWidth(2), 48);
    ASSERT_EQ(grid.rowCount(), 2);
    // In ascending number; the description as stored; the record number last.
    EXPECT_EQ(row(grid, 0),
              (QStringList{QStringLiteral("4"), QStringLiteral("Bank fees").leftJustified(30),
                           QStringLiteral("Yes"), QStringLiteral("2")}));
    EXPECT_EQ(row(grid, 1),
              (QStringList{QStringLiteral("12"), QStringLiteral("Travel").leftJustified(30),
                           QStringLiteral("No"), QStringLiteral("1")}));
    EXPECT_EQ(grid.currentRow(), 0) << "no account chosen yet: the first is current";
    EXPECT_TRUE(grid.isEnabled());
    click(form, "exitButton");
  });
  shell.form->expenseAccountsClicked();
}

TEST_F(PickLists, TheFolderListReturnsOnTheSavedFolder) {
  books::addFolder(db(), 7, QStringLiteral("Shop"));
  books::addFolder(db(), 2, QStringLiteral("Flat"));
  shell.ui.expectModal(kFol, [](QDialog& form) {
    const QTableWidget& grid = *dynamic_cast<PickList&>(form).grid;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Folders"));
    EXPECT_EQ(headings(grid),
              (QStringList{QStringLiteral("Number"), QStringLiteral("Description"), QString()}));
    expectColumns(grid, 288);
    EXPECT_EQ(row(grid, 0),
              (QStringList{QStringLiteral("2"), QStringLiteral("Flat").leftJustified(30),
                           QStringLiteral("2")}));
    choose(7)(form);
  });
  shell.ui.expectModal(QStringLiteral("FolderF"), press("saveButton"));
  shell.ui.expectModal(kFol, [](QDialog& form) {
    const PickList& list = dynamic_cast<PickList&>(form);
    EXPECT_EQ(list.grid->currentRow(), rowOf(list, 7));
    click(form, "exitButton");
  });
  shell.form->foldersClicked();
}

TEST_F(PickLists, AnEmptyListChoosesNothingButOffersNewAndExit) {
  shell.ui.expectModal(kAcc, [this](QDialog& form) {
    auto& list = dynamic_cast<PickList&>(form);
    EXPECT_EQ(list.grid->rowCount(), 0);
    EXPECT_EQ(list.grid->columnCount(), 4) << "the heading row stays";
    EXPECT_FALSE(list.grid->isEnabled());
    EXPECT_FALSE(list.selectButton->isEnabled());
    EXPECT_TRUE(list.newButton->isEnabled());
    EXPECT_TRUE(list.exitButton->isEnabled());
    list.gridKeyPressed(QChar(13));
    list.gridDoubleClicked();
    list.selectClicked();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(shell.state.SelectedExpenseAccount, 0);
    click(form, "exitButton");
  });
  shell.form->expenseAccountsClicked();
  EXPECT_EQ(shell.state.SelectedExpenseAccount, -1);
}

TEST_F(PickLists, EnterDoubleClickAndSelectChooseTheSameAccount) {
  for (int number : {3, 7, 9})
    books::addAccount(db(), books::Chart::Expense, number, QStringLiteral("Account"));
  auto current7 = [](QDialog& form) {
    auto& list = dynamic_cast<PickList&>(form);
    list.grid->setCurrentCell(rowOf(list, 7), 1);
    return list.grid;
  };
  shell.ui.expectModal(kAcc,
                       [&](QDialog& form) { QTest::keyClick(current7(form), Qt::Key_Return); });
  shell.ui.expectModal(kAccount, expectAccount(7));
  shell.ui.expectModal(kAcc, [&](QDialog& form) {
    QTableWidget* grid = current7(form);
    const QRect cell = grid->visualItemRect(grid->item(grid->currentRow(), 1));
    // A click, then the double-click event, as the window system delivers them.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    const QPointF at(cell.center());
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, grid->viewport()->mapToGlobal(at),
                            Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(grid->viewport(), &doubleClick);
  });
  shell.ui.expectModal(kAccount, expectAccount(7));
  shell.ui.expectModal(kAcc, [&](QDialog& form) {
    current7(form);
    click(form, "selectButton");
  });
  shell.ui.expectModal(kAccount, expectAccount(7));
  shell.ui.expectModal(kAcc, press("exitButton"));
  shell.form->expenseAccountsClicked();
}

TEST_F(PickLists, NewLeadsToANewAccountAndClosingTheListLeavesTheLoop) {
  books::addAccount(db(), books::Chart::Expense, 3, QStringLiteral("Account"));
  shell.ui.expectModal(kAcc, press("newButton"));
  shell.ui.expectModal(kAccount, [this](QDialog& form) {
    EXPECT_EQ(shell.state.SelectedExpenseAccount, 0);
    expectAccount(4)(form);
  });
  // The close button of the list's own window.
  shell.ui.expectModal(kAcc, [](QDialog& form) { form.close(); });
  shell.form->expenseAccountsClicked();
  EXPECT_EQ(shell.state.SelectedExpenseAccount, -1);

  shell.ui.expectModal(kFol, [](QDialog& form) { QTest::keyClick(&form, Qt::Key_Escape); });
  shell.form->foldersClicked();
  EXPECT_EQ(shell.state.SelectedFolder, -1);
}

TEST_F(PickLists, AGridWithMoreRowsThanItShowsWidensForItsScrollBar) {
  auto gridWidth = [this] {
    int width = 0;
    shell.ui.expectModal(kAcc, [&width](QDialog& form) {
      width = dynamic_cast<PickList&>(form).grid->width();
      click(form, "exitButton");
    });
    shell.form->expenseAccountsClicked();
    return width;
  };
  for (int number = 1; number <= 9; ++number) {
    books::addAccount(db(), books::Chart::Expense, number, QStringLiteral("Account"));
  }
  const int nine = gridWidth();
  books::addAccount(db(), books::Chart::Expense, 10, QStringLiteral("Account"));
  const int ten = gridWidth();
  EXPECT_GE(nine, 336);
  EXPECT_GT(ten, nine);
}

// The list returns on the saved account, scrolled so the user sees it.
TEST_F(PickLists, TheSavedAccountIsInView) {
  for (int number = 1; number <= 40; ++number) {
    books::addAccount(db(), books::Chart::Expense, number, QStringLiteral("Account"));
  }
  shell.ui.expectModal(kAcc, choose(35));
  shell.ui.expectModal(QStringLiteral("Account"), press("saveButton"));
  shell.ui.expectModal(kAcc, [](QDialog& form) {
    const QTableWidget& grid = *dynamic_cast<PickList&>(form).grid;
    ASSERT_EQ(grid.currentRow(), 34);
    EXPECT_TRUE(grid.viewport()->rect().contains(grid.visualItemRect(grid.currentItem())));
    click(form, "exitButton");
  });
  shell.form->findChild<QAbstractButton*>(QStringLiteral("expenseAccountsButton"))->click();
}

}  // namespace
