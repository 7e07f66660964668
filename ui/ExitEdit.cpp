#include "ExitEdit.h"

#include <QFocusEvent>

#include "ConversionError.h"
#include "StrToInt.h"
#include "Ui.h"

ExitEdit::ExitEdit(Ui& ui, QWidget* parent) : QLineEdit(parent), ui_(ui) {}

QString ExitEdit::named(const QString& message) const {
  const QString prefix = fieldName_ + QStringLiteral(": ");
  return fieldName_.isEmpty() || message.startsWith(prefix) ? message : prefix + message;
}

int ExitEdit::intValue() const {
  try {
    return StrToInt(text());
  } catch (const ConversionError& error) {
    throw ConversionError(named(QString::fromStdString(error.what())).toStdString());
  }
}

bool ExitEdit::runExit() {
  try {
    beforeExit();
    if (exitHandler_) exitHandler_();
    return true;
  } catch (const ConversionError& error) {
    ui_.errorBox(named(QString::fromStdString(error.what())));
    setFocus();
    return false;
  }
}

void ExitEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  runExit();
}
