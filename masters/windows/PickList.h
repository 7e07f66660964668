// The frame the account and folder pick lists share: a grid of the table's records, one
// row per record, whose zero-width last column holds the record's number in its table;
// and Select, New and Exit. The list hands back, through its hand-over value, the record
// number of the chosen row, 0 for New, or -1 for Exit. Closing the window any other way
// (its close button, Escape) counts as Exit: a user closing the list means to leave.
#pragma once

#include <QDialog>
#include <QRect>
#include <QStringList>

class QPushButton;
class QTableWidget;
class Ui;

class PickList : public QDialog {
  Q_OBJECT

 public:
  // Fills the grid from the table; runs on every show.
  virtual void prepare() = 0;
  void gridClicked();
  // Double-click, Enter in the grid and Select choose the current row: its record number
  // becomes the hand-over value and the list closes. Nothing happens on an empty list.
  void gridDoubleClicked() { chooseCurrentRow(); }
  void gridKeyPressed(QChar key);
  void selectClicked() { chooseCurrentRow(); }
  // Hand-over value 0 (a new record); closes.
  void newClicked();
  // Hand-over value -1 (leave); closes.
  void exitClicked() { reject(); }
  // Shrinks the grid back to its resting size when the list closes.
  void resetGrid();

  // Sets the hand-over value -1 and closes.
  void reject() override;
  void done(int result) override;

  QTableWidget* grid;
  QPushButton *selectButton, *newButton, *exitButton;

 protected:
  struct Layout {
    QString name;  // the form's name
    QString caption;
    QSize client;
    QRect grid;  // the grid's place in the client area
    int restingColumns;
  };
  // ui must outlive the list.
  PickList(Ui& ui, const Layout& layout, QWidget* parent);

  // The value the list hands back through.
  virtual int& handOver() = 0;

  // Filling, in order: start with the headings and column widths (the last column is
  // the record number's, width 0; a heading wider than its column takes the room from the
  // widest column), which the grid's width fits; then each record's cells in row 1, 2...;
  // then finish with the row to make current (1 the first) and the row count above which
  // the grid widens for its scroll bar.
  void startFill(const QStringList& headings, const QList<int>& widths);
  void setRow(int row, const QStringList& cells);
  void finishFill(int currentRow, int scrollAbove);

  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void chooseCurrentRow();

  Ui& ui_;
  const Layout layout_;
};
