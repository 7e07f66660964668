#include "BrowseWindow.h"

#include <QApplication>
#include <QDate>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "AppState.h"
#include "FontUnits.h"
#include "Guarded.h"
#include "StrToInt.h"
#include "WindowKeys.h"

namespace {

constexpr int kGridLeft = 16;
constexpr int kGridTop = 8;
constexpr int kGridHeight = 281;
constexpr int kRowHeight = 25;  // the heading and ten rows fill the grid's height
constexpr int kButtonWidth = 75;

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
  // A taller window shows more rows; it may be maximised.
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  rowHeight_ = FontUnits::ScaledHeight(*this, kRowHeight);

  grid = new QTableWidget(this);
  grid->setObjectName(QStringLiteral("grid"));
  grid->setMinimumWidth(FontUnits::Scaled(*this, {layout.gridWidth, 0}).width());
  grid->setMinimumHeight(4 * rowHeight_);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setTabKeyNavigation(false);
  grid->setWordWrap(false);
  grid->setTextElideMode(Qt::ElideNone);
  // Paging belongs to the list's own scroll bar and keys.
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(rowHeight_);
  grid->horizontalHeader()->setFixedHeight(rowHeight_);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->horizontalHeader()->setSectionsClickable(false);
  // The payee or description takes what the other columns leave of the grid's width.
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->installEventFilter(this);
  grid->viewport()->installEventFilter(this);  // its height decides the rows of a page
  connect(grid, &QTableWidget::cellDoubleClicked, this, [this] { gridDoubleClicked(); });

  scrollBar = new QScrollBar(Qt::Vertical, this);
  scrollBar->setObjectName(QStringLiteral("scrollBar"));
  scrollBar->setPageStep(list_.pageRows());
  scrollBar->setSingleStep(1);
  scrollBar->setTracking(false);  // the page follows the thumb when it is let go
  connect(scrollBar, &QScrollBar::actionTriggered, this,
          [this](int action) { scrollBarTriggered(action); });

  QPushButton** buttons[] = {&selectButton, &newButton, &exitButton};
  const QString names[] = {QStringLiteral("selectButton"), QStringLiteral("newButton"),
                           QStringLiteral("exitButton")};
  const QString captions[] = {tr("Select"), tr("New"), tr("Exit")};
  auto* buttonRow = new QHBoxLayout;
  buttonRow->setSpacing(24);
  buttonRow->addStretch();
  for (int i = 0; i < 3; ++i) {
    auto* button = new QPushButton(captions[i], this);
    button->setObjectName(names[i]);
    button->setMinimumWidth(FontUnits::Scaled(*this, {kButtonWidth, 0}).width());
    button->setAutoDefault(false);  // Enter belongs to the grid
    buttonRow->addWidget(button);
    *buttons[i] = button;
  }
  buttonRow->addStretch();
  connect(selectButton, &QPushButton::clicked, this, [this] { selectClicked(); });
  connect(newButton, &QPushButton::clicked, this, [this] { newClicked(); });
  connect(exitButton, &QPushButton::clicked, this, [this] { exitClicked(); });

  // The grid and its scroll bar take the height; the buttons keep the strip below them
  // that the first layout gave them.
  auto* listRow = new QHBoxLayout;
  listRow->setSpacing(0);
  listRow->addWidget(grid, 1);
  listRow->addWidget(scrollBar);
  auto* buttonStrip = new QWidget(this);
  buttonStrip->setLayout(buttonRow);
  buttonStrip->setFixedHeight(
      FontUnits::ScaledHeight(*this, layout.client.height() - kGridTop - kGridHeight));
  buttonRow->setContentsMargins(0, 0, 0, 0);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(kGridLeft, kGridTop, kGridLeft, 0);
  page->setSpacing(0);
  page->addLayout(listRow, 1);
  page->addWidget(buttonStrip);
  FontUnits::Resize(*this, layout.client);

  setTabOrder(grid, selectButton);
  setTabOrder(selectButton, newButton);
  setTabOrder(newButton, exitButton);
  setTabOrder(exitButton, scrollBar);
  WindowKeys::Install(*this, nullptr);
}

void BrowseWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) prepare();
}

void BrowseWindow::prepare() {
  HourGlass hourGlass;
  const QStringList headings = list_.headings();
  const std::vector<int> widths = list_.widths();
  grid->setColumnCount(list_.columnCount());
  grid->setRowCount(1);
  grid->setHorizontalHeaderLabels(headings);
  for (int column = 0; column < list_.columnCount(); ++column) {
    grid->setColumnWidth(column, std::max(widths[column], fittingWidth(column)));
  }
  // The record number is how a row is tied to its record; the user never sees it.
  grid->setColumnHidden(list_.columnCount() - 1, true);

  list_.Build(state_.DefaultFolder, state_.*handOver_);
  grid->setRowCount(std::min(list_.count(), list_.pageRows()));
  grid->setEnabled(true);
  selectButton->setEnabled(true);
  updateScrollBar();
  if (list_.count() == 0) {
    grid->setEnabled(false);
    selectButton->setEnabled(false);
    newButton->setFocus();
    return;
  }
  fillPage();
  grid->setFocus();
}

void BrowseWindow::updateScrollBar() {
  const bool scrolls = list_.lastTop() >= 1;
  scrollBar->setEnabled(scrolls);
  scrollBar->setRange(0, scrolls ? list_.lastTop() : 0);
  if (scrolls) scrollBar->setValue(std::min(list_.top(), list_.lastTop()));
}

void BrowseWindow::fitRowsToGrid() {
  const int rows = std::max(grid->viewport()->height() / rowHeight_, 1);
  if (rows == list_.pageRows()) return;
  list_.setPageRows(rows);
  scrollBar->setPageStep(rows);
  // Before the window is shown the list may be an old one; prepare fills the page then.
  if (!isVisible() || list_.count() == 0) return;
  grid->setRowCount(std::min(list_.count(), rows));
  updateScrollBar();
  fillPage();
}

int BrowseWindow::fittingWidth(int column) const {
  // The widths were made for a smaller font: no heading or date may be cut.
  const QFontMetrics metrics = grid->fontMetrics();
  int widest = metrics.horizontalAdvance(grid->horizontalHeaderItem(column)->text());
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
  scrollBar->setValue(list_.top());
  for (int row = 0; row < static_cast<int>(page.rows.size()); ++row) {
    const QStringList& cells = page.rows[row];
    for (int column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      const Qt::Alignment horizontal = list_.rightAligned(column) ? Qt::AlignRight : Qt::AlignLeft;
      item->setTextAlignment(horizontal | Qt::AlignVCenter);
      grid->setItem(row, column, item);
    }
  }
  const int current = grid->currentRow();
  moveCursorTo(page.highlightRow >= 0 ? page.highlightRow : std::max(current, 0));
}

void BrowseWindow::moveCursorTo(int row) {
  grid->setCurrentCell(row, 0);
  grid->selectRow(row);
}

void BrowseWindow::gridKeyPressed(QChar key) {
  if (key == QChar(13)) chooseCursorRow();
}

bool BrowseWindow::pagingKeyPressed(int key) {
  const int row = grid->currentRow();
  const int lastRow = grid->rowCount() - 1;
  if (lastRow < 0) return false;
  const int lastPageRow = list_.pageRows() - 1;
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

void BrowseWindow::scrollBarTriggered(int action) {
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
      if (scrollBar->isSliderDown()) return;
      moved = list_.MoveTop(BrowseList::Move::To, scrollBar->sliderPosition());
      break;
    default:
      return;
  }
  if (moved) fillPage();
  scrollBar->setSliderPosition(list_.top());
}

void BrowseWindow::chooseCursorRow() {
  const int row = grid->currentRow();
  if (row < 0 || row >= grid->rowCount() || !grid->isEnabled()) return;
  const QTableWidgetItem* cell = grid->item(row, list_.columnCount() - 1);
  if (!cell) return;
  state_.*handOver_ = StrToInt(cell->text());
  accept();
}

void BrowseWindow::newClicked() {
  state_.*handOver_ = 0;
  accept();
}

void BrowseWindow::reject() {
  state_.*handOver_ = -1;
  QDialog::reject();
}

void BrowseWindow::done(int result) {
  resetGrid();
  QDialog::done(result);
}

void BrowseWindow::resetGrid() {
  grid->setRowCount(1);
  grid->setCurrentCell(0, 0);
}

bool BrowseWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid->viewport() && event->type() == QEvent::Resize) fitRowsToGrid();
  // The grid pages only through its scroll bar: the wheel over the rows turns it.
  if (watched == grid->viewport() && event->type() == QEvent::Wheel) {
    QCoreApplication::sendEvent(scrollBar, event);
    return true;
  }
  if (watched == grid && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      gridKeyPressed(QChar(13));
      return true;
    }
    if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
      return pagingKeyPressed(key->key());
    }
  }
  return QDialog::eventFilter(watched, event);
}
