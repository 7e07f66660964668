#include "BrowseWindow.h"

#include <QApplication>
#include <QDate>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "AppState.h"
#include "Guarded.h"
#include "StrToInt.h"

namespace {

constexpr int kGridLeft = 16;
constexpr int kGridTop = 8;
constexpr int kGridHeight = 281;
constexpr int kRowHeight = 25;  // the heading and ten rows fill the grid's height
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

// The hourglass while the list is built and its first page read.
struct HourGlass {
  HourGlass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~HourGlass() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

BrowseWindow::BrowseWindow(Database& db, AppState& state, int AppState::*handOver,
                           BrowseList::Kind kind, const Layout& layout, QWidget* parent)
    : QDialog(parent), state_(state), handOver_(handOver), list_(db, kind) {
  setObjectName(layout.name);
  setWindowTitle(layout.caption);
  setFixedSize(layout.client);

  StringGrid1 = new QTableWidget(this);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  StringGrid1->setGeometry(kGridLeft, kGridTop, layout.gridWidth, kGridHeight);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->setWordWrap(false);
  StringGrid1->setTextElideMode(Qt::ElideNone);
  // Paging belongs to the list's own scroll bar and keys.
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
  StringGrid1->horizontalHeader()->setFixedHeight(kRowHeight);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->horizontalHeader()->setSectionsClickable(false);
  // The payee or description takes what the other columns leave of the grid's width.
  StringGrid1->horizontalHeader()->setStretchLastSection(true);
  StringGrid1->installEventFilter(this);
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { StringGrid1DblClick(); });

  ScrollBar1 = new QScrollBar(Qt::Vertical, this);
  ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
  ScrollBar1->setGeometry(kGridLeft + layout.gridWidth, kGridTop, 16, kGridHeight);
  ScrollBar1->setPageStep(BrowseList::kPageRows);
  ScrollBar1->setSingleStep(1);
  ScrollBar1->setTracking(false);  // the page follows the thumb when it is let go
  connect(ScrollBar1, &QScrollBar::actionTriggered, this,
          [this](int action) { ScrollBar1Scroll(action); });

  const int buttonTop = kGridTop + kGridHeight +
                        (layout.client.height() - kGridTop - kGridHeight - kButtonHeight) / 2;
  const int spacing = 24;
  int left = (layout.client.width() - 3 * kButtonWidth - 2 * spacing) / 2;
  QPushButton** buttons[] = {&selectButton_, &newButton_, &exitButton_};
  const QString captions[] = {tr("Select"), tr("New"), tr("Exit")};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QPushButton(captions[i], this);
    button->setObjectName(layout.buttonNames.value(i));
    button->setGeometry(left, buttonTop, kButtonWidth, kButtonHeight);
    button->setAutoDefault(false);  // Enter belongs to the grid
    left += kButtonWidth + spacing;
    *buttons[i] = button;
  }
  connect(selectButton_, &QPushButton::clicked, this, [this] { chooseCursorRow(); });
  connect(newButton_, &QPushButton::clicked, this, [this] { newRecord(); });
  connect(exitButton_, &QPushButton::clicked, this, [this] { leave(); });

  setTabOrder(StringGrid1, selectButton_);
  setTabOrder(selectButton_, newButton_);
  setTabOrder(newButton_, exitButton_);
  setTabOrder(exitButton_, ScrollBar1);
}

void BrowseWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void BrowseWindow::FormShow() {
  HourGlass hourGlass;
  const QStringList headings = list_.headings();
  const std::vector<int> widths = list_.widths();
  StringGrid1->setColumnCount(list_.columnCount());
  StringGrid1->setRowCount(1);
  StringGrid1->setHorizontalHeaderLabels(headings);
  for (int column = 0; column < list_.columnCount(); ++column) {
    StringGrid1->setColumnWidth(column, std::max(widths[column], fittingWidth(column)));
  }
  // The record number is how a row is tied to its record; the user never sees it.
  StringGrid1->setColumnHidden(list_.columnCount() - 1, true);

  list_.Build(state_.DefaultFolder, state_.*handOver_);
  StringGrid1->setRowCount(std::min(list_.count(), BrowseList::kPageRows));
  StringGrid1->setEnabled(true);
  selectButton_->setEnabled(true);
  ScrollBar1->setEnabled(false);
  ScrollBar1->setRange(0, 0);
  if (list_.count() == 0) {
    StringGrid1->setEnabled(false);
    selectButton_->setEnabled(false);
    newButton_->setFocus();
    return;
  }
  if (list_.lastTop() >= 1) {
    ScrollBar1->setEnabled(true);
    ScrollBar1->setRange(0, list_.lastTop());
    ScrollBar1->setValue(std::min(list_.top(), list_.lastTop()));
  }
  fillPage();
  StringGrid1->setFocus();
}

int BrowseWindow::fittingWidth(int column) const {
  // The widths were made for a smaller font: no heading or date may be cut.
  const QFontMetrics metrics = StringGrid1->fontMetrics();
  int widest = metrics.horizontalAdvance(StringGrid1->horizontalHeaderItem(column)->text());
  if (column == 0) {
    for (int month = 1; month <= 12; ++month) {
      widest = std::max(widest, metrics.horizontalAdvance(locale().toString(QDate(2000, month, 28),
                                                                            QLocale::ShortFormat)));
    }
  }
  return widest + 2 * metrics.averageCharWidth();
}

void BrowseWindow::fillPage() {
  const BrowseList::Page page = list_.FillPage();
  ScrollBar1->setValue(list_.top());
  for (int row = 0; row < static_cast<int>(page.rows.size()); ++row) {
    const QStringList& cells = page.rows[row];
    for (int column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      const Qt::Alignment horizontal = list_.rightAligned(column) ? Qt::AlignRight : Qt::AlignLeft;
      item->setTextAlignment(horizontal | Qt::AlignVCenter);
      StringGrid1->setItem(row, column, item);
    }
  }
  const int current = StringGrid1->currentRow();
  moveCursorTo(page.highlightRow >= 0 ? page.highlightRow : std::max(current, 0));
}

void BrowseWindow::moveCursorTo(int row) {
  StringGrid1->setCurrentCell(row, 0);
  StringGrid1->selectRow(row);
}

void BrowseWindow::StringGrid1KeyPress(QChar key) {
  if (key == QChar(13)) chooseCursorRow();
}

bool BrowseWindow::StringGrid1KeyDown(int key) {
  const int row = StringGrid1->currentRow();
  const int lastRow = StringGrid1->rowCount() - 1;
  if (lastRow < 0) return false;
  const int lastPageRow = BrowseList::kPageRows - 1;
  int cursor = row;
  bool moved = false;
  switch (key) {
    case Qt::Key_PageDown:
      moved = list_.MoveTop(BrowseList::Move::PageDown);
      cursor = lastRow;
      break;
    case Qt::Key_PageUp:
      moved = list_.MoveTop(BrowseList::Move::PageUp);
      cursor = 0;
      break;
    case Qt::Key_End:
      moved = list_.MoveTop(BrowseList::Move::Last);
      cursor = lastRow;
      break;
    case Qt::Key_Home:
      moved = list_.MoveTop(BrowseList::Move::First);
      cursor = 0;
      break;
    case Qt::Key_Down:
      if (row == lastPageRow) moved = list_.MoveTop(BrowseList::Move::LineDown);
      cursor = std::min(row + 1, lastRow);
      break;
    case Qt::Key_Up:
      if (row == 0) moved = list_.MoveTop(BrowseList::Move::LineUp);
      cursor = std::max(row - 1, 0);
      break;
    default:
      return false;
  }
  if (moved) fillPage();
  moveCursorTo(cursor);
  return true;
}

void BrowseWindow::ScrollBar1Scroll(int action) {
  bool moved = false;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      moved = list_.MoveTop(BrowseList::Move::LineUp);
      break;
    case QAbstractSlider::SliderSingleStepAdd:
      moved = list_.MoveTop(BrowseList::Move::LineDown);
      break;
    case QAbstractSlider::SliderPageStepSub:
      moved = list_.MoveTop(BrowseList::Move::PageUp);
      break;
    case QAbstractSlider::SliderPageStepAdd:
      moved = list_.MoveTop(BrowseList::Move::PageDown);
      break;
    case QAbstractSlider::SliderToMinimum:
      moved = list_.MoveTop(BrowseList::Move::First);
      break;
    case QAbstractSlider::SliderToMaximum:
      moved = list_.MoveTop(BrowseList::Move::Last);
      break;
    case QAbstractSlider::SliderMove:
      // While the thumb is dragged nothing moves; where it is let go (or where the
      // wheel put it) the page follows.
      if (ScrollBar1->isSliderDown()) return;
      moved = list_.MoveTop(BrowseList::Move::To, ScrollBar1->sliderPosition());
      break;
    default:
      return;
  }
  if (moved) fillPage();
  ScrollBar1->setSliderPosition(list_.top());
}

void BrowseWindow::chooseCursorRow() {
  const int row = StringGrid1->currentRow();
  if (row < 0 || row >= StringGrid1->rowCount() || !StringGrid1->isEnabled()) return;
  const QTableWidgetItem* cell = StringGrid1->item(row, list_.columnCount() - 1);
  if (!cell) return;
  state_.*handOver_ = StrToInt(cell->text());
  accept();
}

void BrowseWindow::newRecord() {
  state_.*handOver_ = 0;
  accept();
}

void BrowseWindow::reject() {
  state_.*handOver_ = -1;
  QDialog::reject();
}

void BrowseWindow::done(int result) {
  FormClose();
  QDialog::done(result);
}

void BrowseWindow::FormClose() {
  StringGrid1->setRowCount(1);
  StringGrid1->setCurrentCell(0, 0);
}

bool BrowseWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      StringGrid1KeyPress(QChar(13));
      return true;
    }
    if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
      return StringGrid1KeyDown(key->key());
    }
  }
  return QDialog::eventFilter(watched, event);
}
