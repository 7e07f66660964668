// What the expense and income browse lists share: a grid of records a page (ten, or as
// many as a resized window shows) with its own scroll bar, paging keys, and the choice of a record
// (Select, double-click, Enter), of a new one (New) or of leaving (Exit). The choice goes to the
// main window's loop as the list's hand-over value: a record number, 0 for a new record, -1 to
// leave. Closing the window by its title bar (or Escape) leaves, as Exit does, so the loop never
// opens the entry window on a value left from before.
#pragma once

#include <QDialog>
#include <QSize>

#include "BrowseList.h"

struct AppState;
class Database;
class QPushButton;
class QScrollBar;
class QTableWidget;

class BrowseWindow : public QDialog {
  Q_OBJECT

 public:
  // Builds the list and shows its starting page: the page holding the record the
  // hand-over value names (the last page with the last record for 0), the cursor on
  // that record; the first page with the cursor on row 1 when no record matches.
  void prepare();
  // The user double-clicked the grid, or pressed Enter on it (character 13).
  void gridDoubleClicked() { chooseCursorRow(); }
  void gridKeyPressed(QChar key);
  // Paging keys: Page Down and Page Up move the page by its rows, Home and End to the
  // first and last page, Down on the last row and Up on row 1 by one record; the cursor then
  // moves as the grid moves it. Returns false for a key the grid handles alone.
  bool pagingKeyPressed(int key);
  // A scroll-bar action (QAbstractSlider::SliderAction) moved the page.
  void scrollBarTriggered(int action);
  // Select, like Enter and a double-click, hands over the cursor's record and closes;
  // nothing happens on an empty list.
  void selectClicked() { chooseCursorRow(); }
  // The hand-over value becomes 0 (a new record); closes.
  void newClicked();
  void exitClicked() { reject(); }
  // Cuts the grid back to one data row, so a list reopened without a record to show
  // starts on row 1.
  void resetGrid();

  // Leaves the loop: the hand-over value becomes -1.
  void reject() override;
  void done(int result) override;

  const BrowseList& list() const { return list_; }

  QTableWidget* grid;
  QScrollBar* scrollBar;
  QPushButton* selectButton;
  QPushButton* newButton;
  QPushButton* exitButton;

 protected:
  struct Layout {
    QString name;     // object name
    QString caption;  // window title
    QSize client;     // client area
    int gridWidth;    // the grid's narrowest width; its height holds the heading and ten rows
  };
  // db and state must outlive the window; handOver is the member of state the list
  // hands its choice over in.
  BrowseWindow(Database& db, AppState& state, int AppState::*handOver, BrowseList::Kind kind,
               const Layout& layout, QWidget* parent);

  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void chooseCursorRow();
  void fillPage();
  // The scroll bar's range and position for the list's pages.
  void updateScrollBar();
  // Makes the page as many rows as the grid's height shows, and shows it again.
  void fitRowsToGrid();
  // The narrowest width that shows column's heading (and, for the date, any date) whole.
  int fittingWidth(int column) const;
  void moveCursorTo(int row);

  AppState& state_;
  int AppState::*handOver_;
  BrowseList list_;
  int rowHeight_;
};
