// The help button of every window and main-window page (helpButton): the help glyph,
// "Help", and the window's help topic when clicked.
#pragma once

#include <QPushButton>

class Ui;

class HelpButton : public QPushButton {
  Q_OBJECT

 public:
  // Opens help topic context through ui (which must outlive the button) when clicked.
  HelpButton(Ui& ui, int context, QWidget* parent);

  int context() const { return context_; }

 private:
  int context_;
};
