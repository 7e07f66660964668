#include "PickList.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "FontUnits.h"
#include "Guarded.h"
#include "StrToInt.h"
#include "Ui.h"
#include "WindowKeys.h"

namespace {

constexpr int kRowHeight = 25;  // a row and its grid line
constexpr int kButtonWidth = 75;

// The hourglass for as long as the object lives.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

PickList::PickList(Ui& ui, const Layout& layout, QWidget* parent)
    : QDialog(parent), ui_(ui), layout_(layout) {
  setObjectName(layout.name);
  setWindowTitle(layout.caption);
  // A taller window shows more rows; it may be maximised.
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  const int rowHeight = FontUnits::ScaledHeight(*this, kRowHeight);

  grid = new QTableWidget(this);
  grid->setObjectName(QStringLiteral("grid"));
  grid->setMinimumHeight(4 * rowHeight);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(rowHeight);
  grid->verticalHeader()->setMinimumSectionSize(rowHeight);
  grid->horizontalHeader()->setStretchLastSection(false);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setMinimumSectionSize(0);
  grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setShowGrid(true);
  grid->setWordWrap(false);
  grid->setTabKeyNavigation(false);
  grid->installEventFilter(this);
  connect(grid, &QTableWidget::cellClicked, this, [this] { gridClicked(); });
  connect(grid, &QTableWidget::cellDoubleClicked, this,
          guarded(ui, [this] { gridDoubleClicked(); }));

  selectButton = new QPushButton(tr("Select"), this);
  selectButton->setObjectName(QStringLiteral("selectButton"));
  newButton = new QPushButton(tr("New"), this);
  newButton->setObjectName(QStringLiteral("newButton"));
  exitButton = new QPushButton(tr("Exit"), this);
  exitButton->setObjectName(QStringLiteral("exitButton"));
  connect(selectButton, &QPushButton::clicked, this, guarded(ui, [this] { selectClicked(); }));
  connect(newButton, &QPushButton::clicked, this, [this] { newClicked(); });
  connect(exitButton, &QPushButton::clicked, this, [this] { exitClicked(); });

  // The grid, as wide as its columns, takes the height; the three buttons side by side
  // keep the strip below it that the first layout gave them.
  auto* buttonRow = new QHBoxLayout;
  buttonRow->setContentsMargins(0, 0, 0, 0);
  buttonRow->setSpacing(16);
  buttonRow->addStretch();
  for (QPushButton* button : {selectButton, newButton, exitButton}) {
    button->setMinimumWidth(FontUnits::Scaled(*this, {kButtonWidth, 0}).width());
    buttonRow->addWidget(button);
  }
  buttonRow->addStretch();
  auto* buttonStrip = new QWidget(this);
  buttonStrip->setLayout(buttonRow);
  buttonStrip->setFixedHeight(
      FontUnits::ScaledHeight(*this, layout.client.height() - layout.grid.bottom()));
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(layout.grid.left(), layout.grid.top(), layout.grid.left(), 0);
  page->setSpacing(0);
  page->addWidget(grid, 1, Qt::AlignHCenter);
  page->addWidget(buttonStrip);
  FontUnits::Resize(*this, layout.client);
  // Top to bottom: the grid, then the buttons under it.
  setTabOrder(grid, selectButton);
  setTabOrder(selectButton, newButton);
  setTabOrder(newButton, exitButton);
  WindowKeys::Install(*this, &ui);
}

void PickList::gridClicked() { grid->viewport()->update(); }

void PickList::gridKeyPressed(QChar key) {
  if (key == QChar(13)) chooseCurrentRow();
}

void PickList::newClicked() {
  handOver() = 0;
  accept();
}

void PickList::chooseCurrentRow() {
  const int row = grid->currentRow();
  if (row < 0 || grid->rowCount() == 0) return;
  const QTableWidgetItem* record = grid->item(row, grid->columnCount() - 1);
  handOver() = StrToInt(record ? record->text() : QString());
  accept();
}

void PickList::resetGrid() {
  grid->setColumnCount(layout_.restingColumns);
  grid->setRowCount(1);
}

void PickList::reject() {
  handOver() = -1;
  QDialog::reject();
}

void PickList::done(int result) {
  resetGrid();
  QDialog::done(result);
}

void PickList::startFill(const QStringList& headings, const QList<int>& widths) {
  grid->clear();
  grid->setRowCount(0);
  grid->setColumnCount(int(headings.size()));
  grid->setHorizontalHeaderLabels(headings);
  // A narrow column whose heading does not fit widens to it at the expense of the widest
  // column, so the grid keeps its width (the widths suit a smaller font than most).
  QList<int> fitted = widths;
  const auto widest = std::max_element(fitted.begin(), fitted.end());
  for (auto width = fitted.begin(); width != fitted.end(); ++width) {
    if (width == widest || *width == 0) continue;
    const int needed = grid->horizontalHeader()->sectionSizeHint(int(width - fitted.begin()));
    if (needed > *width) {
      *widest -= needed - *width;
      *width = needed;
    }
  }
  for (int column = 0; column < fitted.size(); ++column) {
    grid->setColumnWidth(column, fitted[column]);
  }
}

void PickList::setRow(int row, const QStringList& cells) {
  if (grid->rowCount() < row) grid->setRowCount(row);
  for (int column = 0; column < cells.size(); ++column) {
    grid->setItem(row - 1, column, new QTableWidgetItem(cells[column]));
  }
}

void PickList::finishFill(int currentRow, int scrollAbove) {
  const bool any = grid->rowCount() > 0;
  grid->setEnabled(any);
  selectButton->setEnabled(any);
  if (any) grid->setCurrentCell(currentRow - 1, 0);
  // Counted with the heading row, as the grid's rows are.
  const bool scrolls = grid->rowCount() + 1 > scrollAbove;
  grid->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // The columns fill the grid inside its frame; a scroll bar gets its own room.
  const int scrollBar = scrolls ? grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
  grid->setFixedWidth(grid->horizontalHeader()->length() + 2 * grid->frameWidth() + scrollBar);
  // The saved record in view, also once the window has its final size.
  if (any) {
    const auto showCurrent = [this] {
      if (grid->currentItem())
        grid->scrollToItem(grid->currentItem(), QAbstractItemView::PositionAtCenter);
    };
    showCurrent();
    QTimer::singleShot(0, this, showCurrent);
  }
}

void PickList::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // shown again after being minimised
  runGuarded(ui_, [this] {
    const WaitCursor wait;
    prepare();
  });
}

bool PickList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      runGuarded(ui_, [this] { gridKeyPressed(QChar(13)); });
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
