#include "WindowKeys.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "HelpButton.h"
#include "Ui.h"

namespace {

class KeyFilter : public QObject {
 public:
  KeyFilter(QWidget& window, Ui* ui) : QObject(&window), window_(window), ui_(ui) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show && !event->spontaneous() &&
        qobject_cast<QDialog*>(&window_)) {
      // After the window's own show handlers, which may fill or move things.
      QTimer::singleShot(0, &window_, [this] { focusFirstField(); });
      focusFirstField();
    }
    if (event->type() == QEvent::KeyPress && watched == &window_) {
      return keyPressed(static_cast<QKeyEvent*>(event));
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void focusFirstField() {
    if (QWidget* first = WindowKeys::FirstField(window_)) first->setFocus(Qt::TabFocusReason);
  }

  // Keys that no widget of the window took reach the window itself.
  bool keyPressed(QKeyEvent* key) {
    if (key->key() == Qt::Key_F1) {
      if (!ui_) return false;
      for (HelpButton* help : window_.findChildren<HelpButton*>()) {
        if (help->isVisibleTo(&window_)) {
          ui_->showHelp(help->context());
          return true;
        }
      }
      return false;
    }
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    // Push and tool buttons: a focused check box keeps its state.
    QWidget* focused = window_.focusWidget();
    auto* button = qobject_cast<QPushButton*>(focused) || qobject_cast<QToolButton*>(focused)
                       ? static_cast<QAbstractButton*>(focused)
                       : nullptr;
    if (button && button->isEnabled() && window_.isAncestorOf(button)) button->click();
    // Enter in a field is left alone: a dialog would press its default button.
    return qobject_cast<QDialog*>(&window_) != nullptr || button != nullptr;
  }

  QWidget& window_;
  Ui* ui_;
};

bool IsButton(const QWidget* widget) { return qobject_cast<const QAbstractButton*>(widget); }

}  // namespace

void WindowKeys::Install(QWidget& window, Ui* ui) {
  window.installEventFilter(new KeyFilter(window, ui));
  // Push buttons of a dialog would take Enter as its default button.
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
}

QWidget* WindowKeys::FirstField(QWidget& window) {
  QWidget* first = nullptr;
  QRect firstPlace;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (widget->focusProxy() || IsButton(widget) || !(widget->focusPolicy() & Qt::TabFocus) ||
        !widget->isEnabled() || !widget->isVisibleTo(&window) || widget->window() != &window) {
      continue;
    }
    const QRect place(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    // Above the first so far, or on its row and to its left.
    const bool above = place.center().y() < firstPlace.top();
    const bool sameRow = !above && firstPlace.center().y() >= place.top();
    if (!first || above || (sameRow && place.left() < firstPlace.left())) {
      first = widget;
      firstPlace = place;
    }
  }
  return first;
}
