// What operations below the windows may ask of the user: a message box (a question when it
// has Yes/No or OK/Cancel buttons) and the general error box. The window program answers
// through its dialogs, the command line through its error stream, tests through a script.
#pragma once

#include <QString>

class Prompts {
 public:
  enum class Type { Information, Warning, Confirmation };
  enum class Buttons { Ok, YesNo, OkCancel };
  enum class Answer { Ok, Cancel, Yes, No };

  virtual ~Prompts() = default;

  // Shows text ("\r\n" breaks lines) in a modal box of type with buttons; returns the
  // button pressed. Closing the box counts as Cancel (OkCancel), No (YesNo) or Ok.
  virtual Answer message(Type type, Buttons buttons, const QString& text) = 0;
  // The general error box: a conversion error no handler caught.
  virtual void errorBox(const QString& text) = 0;
};
