// A Ui for window tests: every message box, modal form and common dialog must have been
// announced by the test, in order, and gets the scripted answer; nothing blocks. As the
// program host, a fatal message is a scripted message box and the end of the program
// throws ProgramEnded. Help requests are recorded.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "ProgramHost.h"
#include "Ui.h"

// Thrown where the program would end.
struct ProgramEnded {
  int exitCode;
};

class ScriptedUi : public Ui, public ProgramHost {
 public:
  ~ScriptedUi() override { expectAllShown(); }

  // A message box with exactly text (and, when given, type and buttons), answered so.
  void expectMessage(const QString& text, Answer answer = Answer::Ok) {
    Step& step = add(Kind::Message, text);
    step.answer = answer;
  }
  void expectMessage(Type type, Buttons buttons, const QString& text, Answer answer = Answer::Ok) {
    Step& step = add(Kind::Message, text);
    step.answer = answer;
    step.box = Box{type, buttons};
  }
  // A modal show of the form named formName; action plays the user (it may close the
  // form with accept() or reject()). The form is shown while action runs.
  void expectModal(const QString& formName, std::function<void(QDialog&)> action = {}) {
    add(Kind::Modal, formName).modal = std::move(action);
  }
  // The general error box with exactly text.
  void expectErrorBox(const QString& text) { add(Kind::ErrorBox, text); }
  // The font dialog; choose gets the dialog's starting font and returns the user's
  // choice (the starting font for a cancel).
  void expectFontDialog(std::function<QFont(const QFont&)> choose) {
    add(Kind::Font, QString()).font = std::move(choose);
  }
  // The page setup dialog; setup changes the printer as the user would and returns
  // whether they confirmed.
  void expectPageSetup(std::function<bool(QPrinter&)> setup) {
    add(Kind::PageSetup, QString()).pageSetup = std::move(setup);
  }
  // A file or directory dialog with caption, answered with path (empty: cancelled).
  void expectFileDialog(const QString& caption, const QString& path) {
    add(Kind::File, caption).path = path;
  }

  // Fails the test for every announced step that was not shown.
  void expectAllShown() {
    for (const Step& step : steps_) ADD_FAILURE() << "not shown: " << describe(step).toStdString();
    steps_.clear();
  }

  Answer message(Type type, Buttons buttons, const QString& text) override {
    messages.append(text);
    Step step = next(Kind::Message, text);
    if (step.kind == Kind::Message && step.box &&
        (step.box->type != type || step.box->buttons != buttons)) {
      ADD_FAILURE() << "message \"" << text.toStdString() << "\" shown as type " << int(type)
                    << " with buttons " << int(buttons) << ", expected type "
                    << int(step.box->type) << " with buttons " << int(step.box->buttons);
    }
    return step.kind == Kind::Message ? step.answer : Answer::Cancel;
  }
  int showModal(QDialog& form) override {
    Step step = next(Kind::Modal, form.objectName());
    form.setResult(QDialog::Rejected);
    form.show();
    if (step.kind == Kind::Modal && step.modal) step.modal(form);
    const int result = form.result();
    form.hide();
    return result;
  }
  void errorBox(const QString& text) override {
    errors.append(text);
    next(Kind::ErrorBox, text);
  }
  QFont chooseFont(const QFont& initial) override {
    Step step = next(Kind::Font, QString());
    return step.kind == Kind::Font && step.font ? step.font(initial) : initial;
  }
  bool pageSetup(QPrinter& printer) override {
    Step step = next(Kind::PageSetup, QString());
    return step.kind == Kind::PageSetup && step.pageSetup && step.pageSetup(printer);
  }
  QString saveFileName(const QString& caption, const QString&, const QString&) override {
    return next(Kind::File, caption).path;
  }
  QString openFileName(const QString& caption, const QString&, const QString&) override {
    return next(Kind::File, caption).path;
  }
  QString directory(const QString& caption, const QString&) override {
    return next(Kind::File, caption).path;
  }
  void showHelp(int context) override { helpContexts.append(context); }
  void showHelpContents() override { ++contentsShown; }

  QStringList messages;     // every message text shown, in order
  QStringList errors;       // every error box text
  QList<int> helpContexts;  // every help topic opened
  int contentsShown = 0;

 protected:
  void tell(const QString& text) override { message(Type::Information, Buttons::Ok, text); }
  void endWith(int exitCode) override { throw ProgramEnded{exitCode}; }

 private:
  enum class Kind { Message, Modal, ErrorBox, Font, PageSetup, File };
  struct Box {
    Type type;
    Buttons buttons;
  };
  struct Step {
    Step(Kind kind, QString text) : kind(kind), text(std::move(text)) {}
    Kind kind;
    QString text;  // message or error text, form name, dialog caption; empty: any
    Answer answer = Answer::Ok;
    std::optional<Box> box;  // type and buttons to check; none: any
    std::function<void(QDialog&)> modal;
    std::function<QFont(const QFont&)> font;
    std::function<bool(QPrinter&)> pageSetup;
    QString path;
  };

  Step& add(Kind kind, const QString& text) {
    steps_.push_back(Step{kind, text});
    return steps_.back();
  }

  static QString describe(const Step& step) {
    static const char* const names[] = {"message",     "modal form", "error box",
                                        "font dialog", "page setup", "file dialog"};
    return QString::fromLatin1(names[int(step.kind)]) + QStringLiteral(" \"") + step.text +
           QLatin1Char('"');
  }

  // The next announced step, which must be of kind with text; a step of another kind
  // is returned (and reported) so the caller can fall back to a safe answer.
  Step next(Kind kind, const QString& text) {
    const Step shown{kind, text};
    if (steps_.empty()) {
      ADD_FAILURE() << "unexpected " << describe(shown).toStdString();
      Step fallback{kind, text};
      if (kind == Kind::Message) fallback.answer = Answer::Cancel;
      return fallback;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    if (step.kind != kind || (!step.text.isEmpty() && step.text != text)) {
      ADD_FAILURE() << "expected " << describe(step).toStdString() << ", shown "
                    << describe(shown).toStdString();
    }
    return step;
  }

  std::deque<Step> steps_;
};
