// What every window of the program does with the keyboard, as on any desktop: each time a
// dialog is shown the focus goes to its first field; Enter on a focused button presses it,
// while Enter in a field presses nothing (no dialog saves by surprise); F1 opens the help
// topic of the window's help button that is on screen.
#pragma once

class QWidget;
class Ui;

class WindowKeys {
 public:
  // Gives window these keys; ui (which must outlive the window; none for a window without
  // help) opens the help. Call it when the window's buttons are made.
  static void Install(QWidget& window, Ui* ui);
  // The field nearest the top left of window: the top-most widget that takes the focus by
  // Tab and is no button, the left-most of its row.
  static QWidget* FirstField(QWidget& window);
};
