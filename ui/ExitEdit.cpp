#include "ExitEdit.h"

#include <QFocusEvent>

#include "Guarded.h"

ExitEdit::ExitEdit(Ui& ui, QWidget* parent) : QLineEdit(parent), ui_(ui) {}

bool ExitEdit::runExit() {
  const bool finished = runGuarded(ui_, [this] {
    beforeExit();
    if (exitHandler_) exitHandler_();
  });
  if (!finished) setFocus();
  return finished;
}

void ExitEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  runExit();
}
