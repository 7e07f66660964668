// One page of the main window: a navy ground with a teal shape holding the page's
// controls, and a help button that opens the page's help topic.
#pragma once

#include <QWidget>

class QGridLayout;
class QPushButton;
class Ui;

class MainPage : public QWidget {
  Q_OBJECT

 public:
  // name is the page's object name (the main window's member that holds it); helpContext
  // its help topic.
  // ui must outlive the page.
  MainPage(const QString& name, int helpContext, Ui& ui, QWidget* parent = nullptr);

  int helpContext() const { return helpContext_; }
  // Where the page's controls go; the help button sits in its last row, right.
  QGridLayout* grid() const { return grid_; }
  // Puts the help button below every row used so far; call after the controls are in.
  void addHelpButton();

  QPushButton* helpButton = nullptr;  // made by addHelpButton

  // The colours of the main window.
  static QColor navy() { return QColor(0x00, 0x00, 0x80); }
  static QColor teal() { return QColor(0x00, 0x80, 0x80); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int helpContext_;
  Ui& ui_;
  QGridLayout* grid_;
};
