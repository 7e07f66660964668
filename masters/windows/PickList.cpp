#include "PickList.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

#include "Guarded.h"
#include "StrToInt.h"
#include "Ui.h"

namespace {

constexpr int kRowHeight = 25;  // a row and its grid line
constexpr QSize kButton{75, 25};

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
  setFixedSize(layout.client);

  StringGrid1 = new QTableWidget(this);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  StringGrid1->setGeometry(layout.grid);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
  StringGrid1->verticalHeader()->setMinimumSectionSize(kRowHeight);
  StringGrid1->horizontalHeader()->setStretchLastSection(false);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setMinimumSectionSize(0);
  StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setShowGrid(true);
  StringGrid1->setWordWrap(false);
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->installEventFilter(this);
  connect(StringGrid1, &QTableWidget::cellClicked, this, [this] { StringGrid1Click(); });
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this,
          guarded(ui, [this] { StringGrid1DblClick(); }));

  BtnSelect = new QPushButton(tr("Select"), this);
  BtnSelect->setObjectName(QStringLiteral("BtnSelect"));
  BtnNew = new QPushButton(tr("New"), this);
  BtnNew->setObjectName(QStringLiteral("BtnNew"));
  BtnExit = new QPushButton(tr("Exit"), this);
  BtnExit->setObjectName(QStringLiteral("BtnExit"));
  connect(BtnSelect, &QPushButton::clicked, this, guarded(ui, [this] { BtnSelectClick(); }));
  connect(BtnNew, &QPushButton::clicked, this, [this] { BtnNewClick(); });
  connect(BtnExit, &QPushButton::clicked, this, [this] { BtnExitClick(); });

  // The three buttons side by side, centred under the grid.
  const int gap = 16;
  const int rowWidth = 3 * kButton.width() + 2 * gap;
  int left = layout.grid.center().x() - rowWidth / 2;
  const int top = layout.grid.bottom() + (layout.client.height() - layout.grid.bottom()) / 2 -
                  kButton.height() / 2;
  for (QPushButton* button : {BtnSelect, BtnNew, BtnExit}) {
    button->setGeometry(QRect(QPoint(left, top), kButton));
    left += kButton.width() + gap;
  }
  if (layout.gridFirst) {
    setTabOrder(StringGrid1, BtnSelect);
    setTabOrder(BtnSelect, BtnNew);
    setTabOrder(BtnNew, BtnExit);
  } else {
    setTabOrder(BtnSelect, BtnNew);
    setTabOrder(BtnNew, BtnExit);
    setTabOrder(BtnExit, StringGrid1);
  }
}

void PickList::StringGrid1Click() { StringGrid1->viewport()->update(); }

void PickList::StringGrid1KeyPress(QChar key) {
  if (key == QChar(13)) chooseCurrentRow();
}

void PickList::BtnNewClick() {
  handOver() = 0;
  accept();
}

void PickList::chooseCurrentRow() {
  const int row = StringGrid1->currentRow();
  if (row < 0 || StringGrid1->rowCount() == 0) return;
  const QTableWidgetItem* record = StringGrid1->item(row, StringGrid1->columnCount() - 1);
  handOver() = StrToInt(record ? record->text() : QString());
  accept();
}

void PickList::FormClose() {
  StringGrid1->setColumnCount(layout_.restingColumns);
  StringGrid1->setRowCount(1);
}

void PickList::reject() {
  handOver() = -1;
  QDialog::reject();
}

void PickList::done(int result) {
  FormClose();
  QDialog::done(result);
}

void PickList::startFill(const QStringList& headings, const QList<int>& widths) {
  StringGrid1->clear();
  StringGrid1->setRowCount(0);
  StringGrid1->setColumnCount(int(headings.size()));
  StringGrid1->setHorizontalHeaderLabels(headings);
  // A narrow column whose heading does not fit widens to it at the expense of the widest
  // column, so the grid keeps its width (the widths suit a smaller font than most).
  QList<int> fitted = widths;
  const auto widest = std::max_element(fitted.begin(), fitted.end());
  for (auto width = fitted.begin(); width != fitted.end(); ++width) {
    if (width == widest || *width == 0) continue;
    const int needed =
        StringGrid1->horizontalHeader()->sectionSizeHint(int(width - fitted.begin()));
    if (needed > *width) {
      *widest -= needed - *width;
      *width = needed;
    }
  }
  for (int column = 0; column < fitted.size(); ++column) {
    StringGrid1->setColumnWidth(column, fitted[column]);
  }
}

void PickList::setRow(int row, const QStringList& cells) {
  if (StringGrid1->rowCount() < row) StringGrid1->setRowCount(row);
  for (int column = 0; column < cells.size(); ++column) {
    StringGrid1->setItem(row - 1, column, new QTableWidgetItem(cells[column]));
  }
}

void PickList::finishFill(int currentRow, int scrollAbove) {
  const bool any = StringGrid1->rowCount() > 0;
  StringGrid1->setEnabled(any);
  BtnSelect->setEnabled(any);
  if (any) StringGrid1->setCurrentCell(currentRow - 1, 0);
  // Counted with the heading row, as the grid's rows are.
  const bool scrolls = StringGrid1->rowCount() + 1 > scrollAbove;
  StringGrid1->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // The columns fill the grid inside its frame; a scroll bar gets its own room.
  const int scrollBar = scrolls ? StringGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
  StringGrid1->resize(
      StringGrid1->horizontalHeader()->length() + 2 * StringGrid1->frameWidth() + scrollBar,
      layout_.grid.height());
}

void PickList::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // shown again after being minimised
  runGuarded(ui_, [this] {
    const WaitCursor wait;
    FormShow();
  });
}

bool PickList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      runGuarded(ui_, [this] { StringGrid1KeyPress(QChar(13)); });
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
