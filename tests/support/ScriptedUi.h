// The scripted user of the window tests (see ScriptedPrompts.h): besides message boxes,
// every modal form, font, page setup and file dialog must have been announced. Help
// requests are recorded.
#pragma once

#include <QDialog>
#include <QFont>
#include <QList>
#include <functional>

#include "ScriptedPrompts.h"
#include "Ui.h"

// What a step of the window script carries: the user's play on a modal form or dialog.
struct DialogPlay {
  std::function<void(QDialog&)> modal;
  std::function<QFont(const QFont&)> font;
  std::function<bool(QPrinter&)> pageSetup;
  QString path;
};

class ScriptedUi : public ScriptedSeam<Ui, DialogPlay> {
 public:
  // A modal show of the form named formName; action plays the user (it may close the
  // form with accept() or reject()). The form is shown while action runs.
  void expectModal(const QString& formName, std::function<void(QDialog&)> action = {}) {
    add(Kind::Modal, formName).extra.modal = std::move(action);
  }
  // The font dialog; choose gets the dialog's starting font and returns the user's
  // choice (the starting font for a cancel).
  void expectFontDialog(std::function<QFont(const QFont&)> choose) {
    add(Kind::Font, QString()).extra.font = std::move(choose);
  }
  // The page setup dialog; setup changes the printer as the user would and returns
  // whether they confirmed.
  void expectPageSetup(std::function<bool(QPrinter&)> setup) {
    add(Kind::PageSetup, QString()).extra.pageSetup = std::move(setup);
  }
  // A file or directory dialog with caption, answered with path (empty: cancelled).
  void expectFileDialog(const QString& caption, const QString& path) {
    add(Kind::File, caption).extra.path = path;
  }

  int showModal(QDialog& form) override {
    Step step = next(Kind::Modal, form.objectName());
    form.setResult(QDialog::Rejected);
    form.show();
    if (step.kind == Kind::Modal && step.extra.modal) step.extra.modal(form);
    const int result = form.result();
    form.hide();
    return result;
  }
  QFont chooseFont(const QFont& initial) override {
    Step step = next(Kind::Font, QString());
    return step.kind == Kind::Font && step.extra.font ? step.extra.font(initial) : initial;
  }
  bool pageSetup(QPrinter& printer) override {
    Step step = next(Kind::PageSetup, QString());
    return step.kind == Kind::PageSetup && step.extra.pageSetup && step.extra.pageSetup(printer);
  }
  QString saveFileName(const QString& caption, const QString&, const QString&) override {
    return next(Kind::File, caption).extra.path;
  }
  QString openFileName(const QString& caption, const QString&, const QString&) override {
    return next(Kind::File, caption).extra.path;
  }
  QString directory(const QString& caption, const QString&) override {
    return next(Kind::File, caption).extra.path;
  }
  void showHelp(int context) override { helpContexts.append(context); }
  void showHelpContents() override { ++contentsShown; }

  QList<int> helpContexts;  // every help topic opened
  int contentsShown = 0;
};
