// What operations below the windows may ask of the user: a message box (a question when it
// has Yes/No or OK/Cancel buttons) and the general error box. The window program answers
// through its dialogs, the command line through its error stream, tests through a script.
#pragma once

#include <QString>

class Prompts {
 public:
  enum class Type { Information, Warning, Confirmation };
  // A question whose Yes or OK destroys or hides data takes a set whose default button
  // (the one Enter presses) is No or Cancel.
  enum class Buttons { Ok, YesNo, OkCancel, YesNoDefaultNo, OkCancelDefaultCancel };
  enum class Answer { Ok, Cancel, Yes, No };

  // The button Enter presses.
  static Answer DefaultAnswer(Buttons buttons) {
    switch (buttons) {
      case Buttons::YesNo:
        return Answer::Yes;
      case Buttons::YesNoDefaultNo:
        return Answer::No;
      case Buttons::OkCancelDefaultCancel:
        return Answer::Cancel;
      case Buttons::Ok:
      case Buttons::OkCancel:
        break;
    }
    return Answer::Ok;
  }
  // The answer of a box closed without a button (Escape, its title bar): No or Cancel.
  static Answer RefusingAnswer(Buttons buttons) {
    switch (buttons) {
      case Buttons::YesNo:
      case Buttons::YesNoDefaultNo:
        return Answer::No;
      case Buttons::OkCancel:
      case Buttons::OkCancelDefaultCancel:
        return Answer::Cancel;
      case Buttons::Ok:
        break;
    }
    return Answer::Ok;
  }

  virtual ~Prompts() = default;

  // Shows text ("\r\n" breaks lines) in a modal box of type with buttons; returns the
  // button pressed. Closing the box counts as RefusingAnswer.
  virtual Answer message(Type type, Buttons buttons, const QString& text) = 0;
  // The general error box: a conversion error no handler caught.
  virtual void errorBox(const QString& text) = 0;
};
