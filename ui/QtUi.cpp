#include "QtUi.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <cstdio>
#include <cstdlib>

#include "HelpWindow.h"

namespace {

// The window a box belongs to: the active one, so it opens over the window in use.
QWidget* owner() { return QApplication::activeWindow(); }

// Message texts break lines with "\r\n"; a label wants "\n".
QString displayText(const QString& text) {
  QString shown = text;
  return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

QtUi::QtUi() = default;
QtUi::~QtUi() = default;

Ui::Answer QtUi::message(Type type, Buttons buttons, const QString& text) {
  QMessageBox box(owner());
  switch (type) {
    case Type::Information:
      box.setIcon(QMessageBox::Information);
      box.setWindowTitle(QObject::tr("Information"));
      break;
    case Type::Warning:
      box.setIcon(QMessageBox::Warning);
      box.setWindowTitle(QObject::tr("Warning"));
      break;
    case Type::Confirmation:
      box.setIcon(QMessageBox::Question);
      box.setWindowTitle(QObject::tr("Confirm"));
      break;
  }
  box.setText(displayText(text));
  switch (buttons) {
    case Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case Buttons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
}

int QtUi::showModal(QDialog& form) { return form.exec(); }

void QtUi::errorBox(const QString& text) {
  QMessageBox::critical(owner(), QApplication::applicationName(), displayText(text));
}

QFont QtUi::chooseFont(const QFont& initial) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, owner(), QObject::tr("Report Font"));
  return ok ? chosen : initial;
}

bool QtUi::pageSetup(QPrinter& printer) {
  QPageSetupDialog dialog(&printer, owner());
  return dialog.exec() == QDialog::Accepted;
}

QString QtUi::saveFileName(const QString& caption, const QString& startPath,
                           const QString& filter) {
  // Callers ask about replacing an existing file themselves, in the program's words.
  return QFileDialog::getSaveFileName(owner(), caption, startPath, filter, nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}

QString QtUi::openFileName(const QString& caption, const QString& startPath,
                           const QString& filter) {
  return QFileDialog::getOpenFileName(owner(), caption, startPath, filter);
}

QString QtUi::directory(const QString& caption, const QString& startPath) {
  return QFileDialog::getExistingDirectory(owner(), caption, startPath);
}

HelpWindow& QtUi::help() {
  if (!help_) help_ = std::make_unique<HelpWindow>();
  return *help_;
}

void QtUi::showHelp(int context) { help().showPage(HelpWindow::topicUrl(context)); }

void QtUi::showHelpContents() { help().showPage(HelpWindow::contentsUrl()); }
