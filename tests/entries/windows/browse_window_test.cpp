// The browse list windows on real tables: the grid, buttons and scroll bar of each
// starting state, the paging keys and scroll-bar actions at both ends, and the choices
// they hand over.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

#include "EntryBooks.h"
#include "ExpenseList.h"
#include "IncomeList.h"

namespace {

class PickExpTest : public testing::Test {
 protected:
  void SetUp() override { books.state.DefaultFolder = -1; }
  void TearDown() override {
    pick.hide();
    books.closeAll();
  }

  // count expenses of folder 1, one a day; their numbers in date order.
  std::vector<long> addDays(int count) {
    std::vector<long> numbers;
    for (int day = 0; day < count; ++day) {
      numbers.push_back(books.addExpense(QDate(2026, 1, 1).addDays(day), 10, 1, 1.0 + day));
    }
    return numbers;
  }
  // Shows the list as the expense loop does, with the tables open.
  void open(int handOver) {
    books.state.SelectedExpense = handOver;
    books.openExpenseTables();
    pick.show();
  }

  QTableWidget& grid() { return *pick.grid; }
  QScrollBar& scroll() { return *pick.scrollBar; }
  // The record on grid row (0-based), by its hidden record-number cell.
  long recordOn(int row) { return grid().item(row, 6)->text().toLong(); }
  long cursorRecord() { return recordOn(grid().currentRow()); }
  void key(int key) { QTest::keyClick(&grid(), Qt::Key(key)); }

  EntryBooks books;
  ExpenseList pick{books.db, books.state};
};

TEST_F(PickExpTest, AnEmptyListOffersOnlyNewAndExit) {
  books.addExpense(QDate(2026, 1, 1), 10, 2, 5);        // another folder
  books.addExpense(QDate(2026, 1, 2), 10, 1, 5, true);  // archived
  books.state.DefaultFolder = 1;
  open(0);
  EXPECT_EQ(pick.windowTitle(), QStringLiteral("Expense Records"));
  EXPECT_EQ(grid().rowCount(), 0);
  EXPECT_EQ(grid().columnCount(), 7);
  EXPECT_FALSE(grid().isEnabled());
  EXPECT_FALSE(pick.selectButton->isEnabled());
  EXPECT_FALSE(scroll().isEnabled());
  EXPECT_TRUE(pick.newButton->isEnabled());
  EXPECT_TRUE(pick.exitButton->isEnabled());
  pick.selectClicked();
  EXPECT_TRUE(pick.isVisible()) << "Select chose a row of an empty list";
  pick.newButton->click();
  EXPECT_EQ(books.state.SelectedExpense, 0);
  EXPECT_EQ(pick.result(), QDialog::Accepted);
}

struct Opening {
  int records;
  bool scrolls;
};

class PickExpSizes : public PickExpTest, public testing::WithParamInterface<Opening> {};

TEST_P(PickExpSizes, OpenOnTheLastRecord) {
  const std::vector<long> days = addDays(GetParam().records);
  open(0);
  const int rows = std::min(GetParam().records, 10);
  EXPECT_EQ(grid().rowCount(), rows);
  EXPECT_TRUE(grid().isEnabled());
  EXPECT_TRUE(pick.selectButton->isEnabled());
  EXPECT_EQ(scroll().isEnabled(), GetParam().scrolls);
  EXPECT_EQ(grid().currentRow(), rows - 1);
  EXPECT_EQ(grid().currentColumn(), 0);
  EXPECT_EQ(cursorRecord(), days.back());
  EXPECT_EQ(recordOn(0), days[GetParam().records - rows]);
  if (GetParam().scrolls) {
    EXPECT_EQ(scroll().minimum(), 0);
    EXPECT_EQ(scroll().maximum(), GetParam().records - 10);
    EXPECT_EQ(scroll().value(), GetParam().records - 10);
    EXPECT_EQ(scroll().pageStep(), 10);
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, PickExpSizes,
                         testing::Values(Opening{1, false}, Opening{9, false}, Opening{10, false},
                                         Opening{11, true}),
                         [](const testing::TestParamInfo<Opening>& info) {
                           return std::to_string(info.param.records) + "records";
                         });

TEST_F(PickExpTest, ReturnsToASavedRecordAtTheTopOfItsPage) {
  const std::vector<long> days = addDays(25);
  open(static_cast<int>(days[6]));
  EXPECT_EQ(recordOn(0), days[6]);
  EXPECT_EQ(grid().currentRow(), 0);
  EXPECT_EQ(scroll().value(), 6);
}

TEST_F(PickExpTest, ReopensOnRowOneWhenTheSavedRecordLeftTheFolder) {
  const std::vector<long> days = addDays(25);
  const long moved = books.addExpense(QDate(2026, 1, 5), 10, 3, 1);
  books.state.DefaultFolder = 1;
  open(0);
  ASSERT_EQ(grid().currentRow(), 9);
  pick.exitButton->click();
  books.closeAll();
  open(static_cast<int>(moved));
  EXPECT_EQ(recordOn(0), days[0]);
  EXPECT_EQ(grid().currentRow(), 0);
  EXPECT_EQ(scroll().value(), 0);
}

TEST_F(PickExpTest, PagingKeysAtTheEndLeaveThePage) {
  const std::vector<long> days = addDays(25);
  open(0);
  for (int k : {Qt::Key_PageDown, Qt::Key_End, Qt::Key_Down}) {
    key(k);
    EXPECT_EQ(recordOn(0), days[15]) << k;
    EXPECT_EQ(grid().currentRow(), 9) << k;
    EXPECT_EQ(scroll().value(), 15) << k;
  }
}

TEST_F(PickExpTest, ATallerWindowShowsMoreRowsAndPagesByThem) {
  const std::vector<long> days = addDays(40);
  open(0);
  ASSERT_EQ(grid().rowCount(), 10);
  pick.resize(pick.width(), pick.height() + 5 * grid().rowHeight(0));
  EXPECT_EQ(grid().rowCount(), 15);
  EXPECT_EQ(recordOn(14), days[39]) << "the last page ends on the last record";
  EXPECT_EQ(scroll().maximum(), 25);
  key(Qt::Key_Home);
  key(Qt::Key_PageDown);
  EXPECT_EQ(recordOn(0), days[15]);
  EXPECT_EQ(grid().currentRow(), 14);
}

TEST_F(PickExpTest, PagingKeysMoveThePageAndTheCursor) {
  const std::vector<long> days = addDays(25);
  open(0);
  key(Qt::Key_Home);
  EXPECT_EQ(recordOn(0), days[0]);
  EXPECT_EQ(grid().currentRow(), 0);
  EXPECT_EQ(scroll().value(), 0);
  for (int k : {Qt::Key_PageUp, Qt::Key_Home, Qt::Key_Up}) {
    key(k);
    EXPECT_EQ(recordOn(0), days[0]) << k;
    EXPECT_EQ(grid().currentRow(), 0) << k;
  }
  key(Qt::Key_Down);  // within the page: only the cursor moves
  EXPECT_EQ(recordOn(0), days[0]);
  EXPECT_EQ(grid().currentRow(), 1);
  key(Qt::Key_PageDown);
  EXPECT_EQ(recordOn(0), days[10]);
  EXPECT_EQ(grid().currentRow(), 9);
  key(Qt::Key_Down);  // on row 10: the page moves by one, the cursor stays
  EXPECT_EQ(recordOn(0), days[11]);
  EXPECT_EQ(grid().currentRow(), 9);
  EXPECT_EQ(cursorRecord(), days[20]);
  EXPECT_EQ(scroll().value(), 11);
  key(Qt::Key_Up);
  EXPECT_EQ(grid().currentRow(), 8);
  key(Qt::Key_PageUp);
  EXPECT_EQ(recordOn(0), days[1]);
  EXPECT_EQ(grid().currentRow(), 0);
  key(Qt::Key_Up);  // on row 1: the page moves back by one
  EXPECT_EQ(recordOn(0), days[0]);
  EXPECT_EQ(grid().currentRow(), 0);
  key(Qt::Key_End);
  EXPECT_EQ(recordOn(0), days[15]);
  EXPECT_EQ(cursorRecord(), days[24]);
}

TEST_F(PickExpTest, PagingKeysOnAShortListMoveOnlyTheCursor) {
  const std::vector<long> days = addDays(4);
  open(0);
  key(Qt::Key_Home);
  EXPECT_EQ(cursorRecord(), days[0]);
  key(Qt::Key_PageDown);
  EXPECT_EQ(cursorRecord(), days[3]);
  key(Qt::Key_Down);
  EXPECT_EQ(cursorRecord(), days[3]);
  EXPECT_EQ(recordOn(0), days[0]);
}

TEST_F(PickExpTest, ScrollBarActionsMoveThePageWithinItsEnds) {
  const std::vector<long> days = addDays(25);
  open(0);
  struct Step {
    QAbstractSlider::SliderAction action;
    int top;
  };
  for (const Step& step :
       {Step{QAbstractSlider::SliderPageStepAdd, 15},
        Step{QAbstractSlider::SliderSingleStepAdd, 15}, Step{QAbstractSlider::SliderToMaximum, 15},
        Step{QAbstractSlider::SliderSingleStepSub, 14}, Step{QAbstractSlider::SliderPageStepSub, 4},
        Step{QAbstractSlider::SliderPageStepSub, 0}, Step{QAbstractSlider::SliderSingleStepSub, 0},
        Step{QAbstractSlider::SliderToMinimum, 0}, Step{QAbstractSlider::SliderSingleStepAdd, 1},
        Step{QAbstractSlider::SliderPageStepAdd, 11}, Step{QAbstractSlider::SliderToMinimum, 0},
        Step{QAbstractSlider::SliderToMaximum, 15}}) {
    scroll().triggerAction(step.action);
    EXPECT_EQ(recordOn(0), days[step.top]) << step.action;
    EXPECT_EQ(scroll().value(), step.top) << step.action;
    EXPECT_EQ(grid().rowCount(), 10);
  }
}

TEST_F(PickExpTest, TheWheelOverTheRowsMovesThePage) {
  const std::vector<long> days = addDays(25);
  open(0);  // the last page: records 15 to 24
  QWheelEvent up(QPointF(5, 5), grid().viewport()->mapToGlobal(QPointF(5, 5)), QPoint(),
                 QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(grid().viewport(), &up);
  EXPECT_LT(scroll().value(), 15);
  EXPECT_EQ(recordOn(0), days[scroll().value()]);
}

TEST_F(PickExpTest, TheThumbMovesThePageWhereItIsLetGo) {
  const std::vector<long> days = addDays(25);
  open(0);
  scroll().setSliderDown(true);
  scroll().setSliderPosition(3);
  EXPECT_EQ(recordOn(0), days[15]) << "the page followed the dragged thumb";
  scroll().setSliderDown(false);
  EXPECT_EQ(recordOn(0), days[3]);
  EXPECT_EQ(scroll().value(), 3);
}

TEST_F(PickExpTest, SelectEnterAndDoubleClickHandOverTheCursorRecord) {
  const std::vector<long> days = addDays(12);
  open(0);
  key(Qt::Key_Up);
  pick.selectButton->click();
  EXPECT_EQ(books.state.SelectedExpense, days[10]);
  EXPECT_EQ(pick.result(), QDialog::Accepted);
  EXPECT_FALSE(pick.isVisible());
  EXPECT_EQ(grid().rowCount(), 1) << "the grid is cut back when the list closes";

  books.closeAll();
  open(static_cast<int>(days[10]));
  key(Qt::Key_Down);
  key(Qt::Key_Return);
  EXPECT_EQ(books.state.SelectedExpense, days[11]);
  EXPECT_FALSE(pick.isVisible());

  books.closeAll();
  open(0);
  key(Qt::Key_Home);
  const QPoint second = grid().visualItemRect(grid().item(1, 0)).center();
  QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, second);
  QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(books.state.SelectedExpense, days[1]);
}

TEST_F(PickExpTest, ExitAndTheTitleBarLeaveTheLoop) {
  addDays(3);
  open(0);
  pick.exitButton->click();
  EXPECT_EQ(books.state.SelectedExpense, -1);
  EXPECT_EQ(pick.result(), QDialog::Rejected);

  books.closeAll();
  open(0);
  pick.close();  // the title bar's close button
  EXPECT_EQ(books.state.SelectedExpense, -1);
  EXPECT_FALSE(pick.isVisible());
}

TEST(PickInc, ShowsIncomeOfTheDefaultFolderWithItsOwnButtons) {
  EntryBooks books;
  std::vector<long> numbers;
  for (int day = 0; day < 11; ++day) {
    numbers.push_back(books.addIncome(QDate(2026, 2, 1).addDays(day), 4, 2, 20));
  }
  books.addIncome(QDate(2026, 3, 1), 4, 1, 20);
  books.state.DefaultFolder = 2;
  books.state.SelectedIncome = 0;
  books.openIncomeTables();
  IncomeList pick(books.db, books.state);
  pick.show();
  EXPECT_EQ(pick.windowTitle(), QStringLiteral("Income Records"));
  EXPECT_EQ(pick.grid->columnCount(), 6);
  EXPECT_EQ(pick.grid->horizontalHeaderItem(2)->text(), QStringLiteral("Folder"));
  EXPECT_EQ(pick.grid->currentRow(), 9);
  EXPECT_TRUE(pick.scrollBar->isEnabled());
  EXPECT_EQ(pick.scrollBar->maximum(), 1);
  EXPECT_EQ(pick.selectButton->objectName(), QStringLiteral("selectButton"));
  pick.selectButton->click();
  EXPECT_EQ(books.state.SelectedIncome, numbers.back());
  pick.show();
  pick.exitButton->click();
  EXPECT_EQ(books.state.SelectedIncome, -1);
  pick.show();
  pick.newButton->click();
  EXPECT_EQ(books.state.SelectedIncome, 0);
  books.closeAll();
}

}  // namespace
