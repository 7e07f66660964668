// The browse list's model on real tables: which records it keeps and in what order, the
// starting page and highlight for each hand-over value, the page moves, and the cells.
#include <gtest/gtest.h>

#include "BrowseList.h"
#include "EntryBooks.h"

namespace {

const QDate kJan1(2026, 1, 1);

// The record numbers on the page the list shows now.
std::vector<long> pageRecords(BrowseList& list, int* highlightRow = nullptr) {
  const BrowseList::Page page = list.FillPage();
  if (highlightRow) *highlightRow = page.highlightRow;
  std::vector<long> numbers;
  for (const QStringList& row : page.rows) numbers.push_back(row.last().toLong());
  return numbers;
}

class BrowseListTest : public testing::Test {
 protected:
  // count expenses of folder 1, one a day from 1 January, stored latest first so that
  // date order differs from record order. Returns their numbers in date order.
  std::vector<long> addDays(int count) {
    std::vector<long> numbers(count);
    for (int day = count - 1; day >= 0; --day) {
      numbers[day] = books.addExpense(kJan1.addDays(day), 10, 1, 10.0 + day);
    }
    return numbers;
  }
  void build(int defaultFolder, int handOver) {
    books.db.OpenExp();
    list.Build(defaultFolder, handOver);
  }
  void TearDown() override { books.closeAll(); }

  EntryBooks books;
  BrowseList list{books.db, BrowseList::Kind::Expense,
                  QLocale(QLocale::English, QLocale::Australia)};
};

TEST_F(BrowseListTest, KeepsTheDefaultFoldersLiveRecordsInDateThenAccountOrder) {
  const long late = books.addExpense(QDate(2026, 3, 1), 40, 1, 1);
  const long account30 = books.addExpense(QDate(2026, 2, 1), 30, 1, 1);
  const long otherFolder = books.addExpense(QDate(2026, 2, 10), 10, 2, 1);
  books.addExpense(QDate(2026, 2, 5), 10, 1, 1, true);  // archived
  const long account7 = books.addExpense(QDate(2026, 2, 1), 7, 1, 1);
  const long early = books.addExpense(QDate(2025, 12, 31), 99, 1, 1);

  build(1, 0);
  EXPECT_EQ(list.count(), 4);
  EXPECT_EQ(pageRecords(list), (std::vector<long>{early, account7, account30, late}));
  books.closeAll();

  build(-1, 0);  // every folder; archived records still hidden
  EXPECT_EQ(pageRecords(list), (std::vector<long>{early, account7, account30, otherFolder, late}));
  books.closeAll();

  build(2, 0);
  EXPECT_EQ(pageRecords(list), (std::vector<long>{otherFolder}));
}

TEST_F(BrowseListTest, LeavesRecordsMarkedDeletedOut) {
  const std::vector<long> days = addDays(3);
  books.db.OpenExp();
  d4go(books.db.exp().data, days[1]);
  d4delete(books.db.exp().data);
  books.closeAll();
  build(-1, 0);
  EXPECT_EQ(pageRecords(list), (std::vector<long>{days[0], days[2]}));
}

struct Size {
  int records;
  int lastTop;
};

class BrowseListSizes : public BrowseListTest, public testing::WithParamInterface<Size> {};

TEST_P(BrowseListSizes, OpenOnTheLastPageWithTheLastRecordHighlighted) {
  const int n = GetParam().records;
  const std::vector<long> days = addDays(n);
  build(-1, 0);
  EXPECT_EQ(list.count(), n);
  EXPECT_EQ(list.lastTop(), GetParam().lastTop);
  int highlight = -2;
  const std::vector<long> page = pageRecords(list, &highlight);
  EXPECT_EQ(list.top(), GetParam().lastTop);
  EXPECT_EQ(page, std::vector<long>(days.begin() + GetParam().lastTop, days.end()));
  EXPECT_EQ(highlight, n == 0 ? -1 : static_cast<int>(page.size()) - 1);
  // The highlight places the cursor once: the next fill of the same page does not.
  pageRecords(list, &highlight);
  EXPECT_EQ(highlight, -1);
}

INSTANTIATE_TEST_SUITE_P(Counts, BrowseListSizes,
                         testing::Values(Size{0, 0}, Size{1, 0}, Size{9, 0}, Size{10, 0},
                                         Size{11, 1}, Size{25, 15}),
                         [](const testing::TestParamInfo<Size>& info) {
                           return std::to_string(info.param.records) + "records";
                         });

TEST_F(BrowseListTest, ASavedRecordInTheMiddleStartsThePage) {
  const std::vector<long> days = addDays(25);
  build(-1, static_cast<int>(days[7]));
  int highlight = -2;
  const std::vector<long> page = pageRecords(list, &highlight);
  EXPECT_EQ(list.top(), 7);
  EXPECT_EQ(page.front(), days[7]);
  EXPECT_EQ(page.size(), 10u);
  EXPECT_EQ(highlight, 0);
}

TEST_F(BrowseListTest, ASavedRecordAmongTheLastTenShowsTheLastPage) {
  const std::vector<long> days = addDays(25);
  build(-1, static_cast<int>(days[20]));
  int highlight = -2;
  const std::vector<long> page = pageRecords(list, &highlight);
  EXPECT_EQ(list.top(), 15);
  EXPECT_EQ(page.back(), days[24]);
  EXPECT_EQ(highlight, 5);
}

TEST_F(BrowseListTest, ARecordMovedToAnotherFolderShowsTheFirstPageWithoutHighlight) {
  const std::vector<long> days = addDays(15);
  const long moved = books.addExpense(kJan1.addDays(3), 10, 2, 1);
  build(1, static_cast<int>(moved));
  int highlight = -2;
  const std::vector<long> page = pageRecords(list, &highlight);
  EXPECT_EQ(list.top(), 0);
  EXPECT_EQ(page.front(), days[0]);
  EXPECT_EQ(highlight, -1);
}

TEST_F(BrowseListTest, MovesKeepThePageWithinTheList) {
  addDays(25);
  build(-1, 0);
  list.FillPage();
  ASSERT_EQ(list.top(), 15);
  using M = BrowseList::Move;
  EXPECT_FALSE(list.MoveTop(M::PageDown));
  EXPECT_FALSE(list.MoveTop(M::LineDown));
  EXPECT_FALSE(list.MoveTop(M::Last));
  EXPECT_EQ(list.top(), 15);
  EXPECT_TRUE(list.MoveTop(M::PageUp));
  EXPECT_EQ(list.top(), 5);
  EXPECT_TRUE(list.MoveTop(M::PageUp));
  EXPECT_EQ(list.top(), 0);
  EXPECT_FALSE(list.MoveTop(M::PageUp));
  EXPECT_FALSE(list.MoveTop(M::LineUp));
  EXPECT_FALSE(list.MoveTop(M::First));
  EXPECT_TRUE(list.MoveTop(M::LineDown));
  EXPECT_EQ(list.top(), 1);
  EXPECT_TRUE(list.MoveTop(M::PageDown));
  EXPECT_EQ(list.top(), 11);
  EXPECT_TRUE(list.MoveTop(M::PageDown));
  EXPECT_EQ(list.top(), 15);
  EXPECT_TRUE(list.MoveTop(M::To, 3));
  EXPECT_EQ(list.top(), 3);
  EXPECT_TRUE(list.MoveTop(M::To, 99));
  EXPECT_EQ(list.top(), 15);
  EXPECT_TRUE(list.MoveTop(M::First));
  EXPECT_EQ(list.top(), 0);
  EXPECT_TRUE(list.MoveTop(M::Last));
  EXPECT_EQ(list.top(), 15);
}

TEST_F(BrowseListTest, ExpenseCellsShowDateNumbersGroupedAmountPayeeAndRecord) {
  ExpenseRecord record;
  record.ExpDate = QDate(2026, 3, 2);
  record.CheckNo = 100234;
  record.AccNo = 12;
  record.FolNo = 3;
  record.Amount = 1234.5;
  record.PayTo = QStringLiteral("Acme Pty Ltd");
  const long number = books::addExpense(books.db, record);
  build(-1, 0);
  const BrowseList::Page page = list.FillPage();
  ASSERT_EQ(page.rows.size(), 1u);
  EXPECT_EQ(page.rows[0], (QStringList{"2/3/26", "12", "3", "100234", "    1,234.50",
                                       QStringLiteral("Acme Pty Ltd").leftJustified(30),
                                       QString::number(number)}));
  EXPECT_EQ(list.headings(),
            (QStringList{"Date", "Acc#", "Fol#", "Check#", "Amount", "Paid To", QString()}));
  EXPECT_EQ(list.widths(), (std::vector<int>{64, 32, 32, 64, 72, 240, 0}));
}

TEST_F(BrowseListTest, IncomeListWalksIncomeInDateOrderWithItsOwnCells) {
  BrowseList income(books.db, BrowseList::Kind::Income,
                    QLocale(QLocale::English, QLocale::Australia));
  const long later = books.addIncome(QDate(2026, 5, 1), 4, 2, 99.999);
  const long earlier = books.addIncome(QDate(2026, 4, 1), 8, 2, 55);
  books.addIncome(QDate(2026, 4, 15), 8, 1, 55);
  books.addIncome(QDate(2026, 4, 20), 8, 2, 55, true);
  books.db.OpenInc();
  income.Build(2, 0);
  const BrowseList::Page page = income.FillPage();
  ASSERT_EQ(page.rows.size(), 2u);
  EXPECT_EQ(page.rows[0].last(), QString::number(earlier));
  // 99.999 is stored as 100.00 in the two-decimal field.
  EXPECT_EQ(page.rows[1],
            (QStringList{"1/5/26", "4", "2", "      100.00",
                         QStringLiteral("Sale 4").leftJustified(30), QString::number(later)}));
  EXPECT_EQ(income.headings(),
            (QStringList{"Date", "Acc#", "Folder", "Amount", "Description", QString()}));
  EXPECT_EQ(income.widths(), (std::vector<int>{64, 32, 48, 96, 240, 0}));
}

}  // namespace
