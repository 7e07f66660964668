#include "BrowseList.h"

#include <algorithm>

#include "Database.h"
#include "NumberText.h"

namespace {

// The table a list walks and the two fields that decide whether a record is shown.
struct Walked {
  DATA4* data;
  FIELD4* folder;
  FIELD4* archive;
};

}  // namespace

BrowseList::BrowseList(Database& db, Kind kind, const QLocale& locale)
    : db_(db), kind_(kind), locale_(locale) {}

QStringList BrowseList::headings() const {
  if (kind_ == Kind::Expense) {
    return {QStringLiteral("Date"),
            QStringLiteral("Acc#"),
            QStringLiteral("Fol#"),
            QStringLiteral("Check#"),
            QStringLiteral("Amount"),
            QStringLiteral("Paid To"),
            QString()};
  }
  return {QStringLiteral("Date"),   QStringLiteral("Acc#"),        QStringLiteral("Folder"),
          QStringLiteral("Amount"), QStringLiteral("Description"), QString()};
}

std::vector<int> BrowseList::widths() const {
  if (kind_ == Kind::Expense) return {64, 32, 32, 64, 72, 240, 0};
  return {64, 32, 48, 96, 240, 0};
}

bool BrowseList::rightAligned(int column) const {
  // Numbers line up on the right: the account, folder and cheque numbers and amounts.
  if (kind_ == Kind::Expense) return column >= 1 && column <= 4;
  return column >= 1 && column <= 3;
}

void BrowseList::Build(int defaultFolder, int handOver) {
  const Walked table = kind_ == Kind::Expense
                           ? Walked{db_.exp().data, db_.exp().FolNo, db_.exp().Archive}
                           : Walked{db_.inc().data, db_.inc().FolNo, db_.inc().Archive};
  records_.clear();
  top_ = 0;
  highlight_ = 0;
  d4select(
      table.data,
      [&] {
        return f4true(table.archive) != 1 &&
               (defaultFolder == -1 || f4int(table.folder) == defaultFolder);
      },
      &records_);
  if (handOver != 0) {
    const auto at = std::find(records_.begin(), records_.end(), handOver);
    if (at != records_.end()) {
      highlight_ = handOver;
      top_ = static_cast<int>(at - records_.begin());
    }
  }
  if (handOver == 0 && !records_.empty()) {
    top_ = count() - 1;
    highlight_ = records_.back();
  }
  lastTop_ = std::max(count() - pageRows_, 0);
}

void BrowseList::setPageRows(int rows) {
  pageRows_ = std::max(rows, 1);
  lastTop_ = std::max(count() - pageRows_, 0);
  top_ = std::clamp(top_, 0, lastTop_);
}

bool BrowseList::MoveTop(Move move, int position) {
  int wanted = top_;
  switch (move) {
    case Move::LineUp:
      wanted = top_ - 1;
      break;
    case Move::LineDown:
      wanted = top_ + 1;
      break;
    case Move::PageUp:
      wanted = top_ - pageRows_;
      break;
    case Move::PageDown:
      wanted = top_ + pageRows_;
      break;
    case Move::First:
      wanted = 0;
      break;
    case Move::Last:
      wanted = lastTop_;
      break;
    case Move::To:
      wanted = position;
      break;
  }
  const int before = top_;
  top_ = std::clamp(wanted, 0, lastTop_);
  return top_ != before;
}

BrowseList::Page BrowseList::FillPage() {
  top_ = std::clamp(top_, 0, lastTop_);
  Page page;
  for (int index = top_; index < count() && index < top_ + pageRows_; ++index) {
    const long record = records_[index];
    if (record == highlight_) page.highlightRow = static_cast<int>(page.rows.size());
    page.rows.push_back(rowOf(record));
  }
  highlight_ = 0;
  return page;
}

QStringList BrowseList::rowOf(long record) {
  const QString recordText = QString::number(record);
  if (kind_ == Kind::Expense) {
    d4go(db_.exp().data, record);
    db_.ReadExp();
    const ExpenseRecord& r = db_.expRecord();
    return {locale_.toString(r.ExpDate, QLocale::ShortFormat),
            QString::number(r.AccNo),
            QString::number(r.FolNo),
            QString::number(r.CheckNo),
            NumberText::Grouped(r.Amount, 12, 2, locale_),
            r.PayTo,
            recordText};
  }
  d4go(db_.inc().data, record);
  db_.ReadInc();
  const IncomeRecord& r = db_.incRecord();
  return {locale_.toString(r.IncDate, QLocale::ShortFormat),
          QString::number(r.IncAcc),
          QString::number(r.FolNo),
          NumberText::Grouped(r.IncAmt, 12, 2, locale_),
          r.IncDesc,
          recordText};
}
