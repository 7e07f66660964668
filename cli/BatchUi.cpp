#include "BatchUi.h"

#include <QDialog>

void BatchUi::Tell(const QString& text) {
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  err_ << lines.toStdString() << '\n' << std::flush;
}

Ui::Answer BatchUi::message(Type, Buttons buttons, const QString& text) {
  Tell(text);
  switch (buttons) {
    case Buttons::Ok:
      return Answer::Ok;
    case Buttons::YesNo:
      return Answer::No;
    case Buttons::OkCancel:
      return Answer::Cancel;
  }
  return Answer::Cancel;
}

int BatchUi::showModal(QDialog&) { return QDialog::Rejected; }

void BatchUi::fatal(const QString& message) {
  Tell(message);
  throw BatchEnd{1};
}
