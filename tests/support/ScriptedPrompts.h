// The scripted user of the tests: every message box (and, in ScriptedUi, every modal form
// and common dialog) must have been announced by the test, in order, and gets the scripted
// answer; nothing blocks. As the program host, a fatal message is a scripted message box
// and the end of the program throws ProgramEnded. ScriptedPrompts serves the operations,
// which ask only through Prompts; ScriptedUi (ScriptedUi.h) serves the windows.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "ProgramHost.h"
#include "Prompts.h"

// Thrown where the program would end.
struct ProgramEnded {
  int exitCode;
};

// Seam: Prompts or an interface derived from it. Extra: what a step of a derived script
// carries besides a message's text and answer.
template <class Seam, class Extra = std::nullptr_t>
class ScriptedSeam : public Seam, public ProgramHost {
 public:
  using Type = Prompts::Type;
  using Buttons = Prompts::Buttons;
  using Answer = Prompts::Answer;

  ~ScriptedSeam() override { expectAllShown(); }

  // A message box with exactly text (and, when given, type and buttons), answered so.
  void expectMessage(const QString& text, Answer answer = Answer::Ok) {
    add(Kind::Message, text).answer = answer;
  }
  void expectMessage(Type type, Buttons buttons, const QString& text, Answer answer = Answer::Ok) {
    Step& step = add(Kind::Message, text);
    step.answer = answer;
    step.box = Box{type, buttons};
  }
  // A question with exactly text, type and buttons, answered with Enter: its default button.
  void expectEnter(Type type, Buttons buttons, const QString& text) {
    Step& step = add(Kind::Message, text);
    step.box = Box{type, buttons};
    step.pressesEnter = true;
  }
  // The general error box with exactly text.
  void expectErrorBox(const QString& text) { add(Kind::ErrorBox, text); }

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
                    << " with buttons " << int(buttons) << ", expected type " << int(step.box->type)
                    << " with buttons " << int(step.box->buttons);
    }
    if (step.kind != Kind::Message) return Answer::Cancel;
    return step.pressesEnter ? Prompts::DefaultAnswer(buttons) : step.answer;
  }
  void errorBox(const QString& text) override {
    errors.append(text);
    next(Kind::ErrorBox, text);
  }

  QStringList messages;  // every message text shown, in order
  QStringList errors;    // every error box text

 protected:
  enum class Kind { Message, ErrorBox, Modal, Font, PageSetup, File };
  struct Box {
    Type type;
    Buttons buttons;
  };
  struct Step {
    Step(Kind kind, QString text) : kind(kind), text(std::move(text)) {}
    Kind kind;
    QString text;  // message or error text, form name, dialog caption; empty: any
    Answer answer = Answer::Ok;
    bool pressesEnter = false;  // answered with the box's default button
    std::optional<Box> box;     // type and buttons to check; none: any
    Extra extra{};
  };

  void tell(const QString& text) override { message(Type::Information, Buttons::Ok, text); }
  void endWith(int exitCode) override { throw ProgramEnded{exitCode}; }

  Step& add(Kind kind, const QString& text) {
    steps_.push_back(Step{kind, text});
    return steps_.back();
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

 private:
  static QString describe(const Step& step) {
    static const char* const names[] = {"message",     "error box",  "modal form",
                                        "font dialog", "page setup", "file dialog"};
    return QString::fromLatin1(names[int(step.kind)]) + QStringLiteral(" \"") + step.text +
           QLatin1Char('"');
  }

  std::deque<Step> steps_;
};

using ScriptedPrompts = ScriptedSeam<Prompts>;
