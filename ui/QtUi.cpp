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

QMessageBox::StandardButton standardButton(Ui::Answer answer) {
  switch (answer) {
    case Ui::Answer::Yes:
      return QMessageBox::Yes;
    case Ui::Answer::No:
      return QMessageBox::No;
    case Ui::Answer::Cancel:
      return QMessageBox::Cancel;
    case Ui::Answer::Ok:
      break;
  }
  return QMessageBox::Ok;
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
  switch (RefusingAnswer(buttons)) {
    case Answer::No:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case Answer::Cancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
      break;
  }
  box.setDefaultButton(standardButton(DefaultAnswer(buttons)));
  box.setEscapeButton(standardButton(RefusingAnswer(buttons)));
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    case QMessageBox::Ok:
      return Answer::Ok;
    default:
      return RefusingAnswer(buttons);
  }
}

int QtUi::showModal(QDialog& form) {
  // Modal to its own window only: the help window stays usable while the form is open.
  form.setWindowModality(Qt::WindowModal);
  return form.exec();
}

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
