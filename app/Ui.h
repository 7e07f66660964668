// The one door through which the program talks to the user modally: message boxes, modal
// forms, the general error box, the common dialogs, help, and the end of the program.
// The program installs QtUi (real dialogs); tests install a scripted stand-in that checks
// each message and answers it, so no test ever blocks in a real exec().
#pragma once

#include <QFont>
#include <QString>
#include <cstdlib>

class QDialog;
class QPrinter;
class QWidget;

class Ui {
 public:
  enum class Type { Information, Warning, Confirmation };
  enum class Buttons { Ok, YesNo, OkCancel };
  enum class Answer { Ok, Cancel, Yes, No };

  virtual ~Ui() = default;

  // Shows text ("\r\n" breaks lines) in a modal box of type with buttons; returns the
  // button pressed. Closing the box counts as Cancel (OkCancel), No (YesNo) or Ok.
  virtual Answer message(Type type, Buttons buttons, const QString& text) = 0;
  // Shows form modally until it closes; returns its QDialog result (Accepted/Rejected).
  virtual int showModal(QDialog& form) = 0;
  // The general error box: a conversion error no handler caught (see Guarded.h).
  virtual void errorBox(const QString& text) = 0;
  // Ends the program with exitCode through end(); never returns (a stand-in whose end()
  // returns aborts the program). Tables must be closed before.
  [[noreturn]] void endProgram(int exitCode) {
    end(exitCode);
    std::abort();
  }

  // The font dialog started on initial; returns the chosen font, or initial on cancel.
  virtual QFont chooseFont(const QFont& initial) = 0;
  // The page setup dialog on printer; returns true when the user confirmed (printer
  // then holds the choice).
  virtual bool pageSetup(QPrinter& printer) = 0;
  // File dialogs; each returns the chosen path, or an empty text on cancel. filter is in
  // Qt's "Text files (*.txt)" form. saveFileName does not ask about replacing an existing
  // file: its callers do.
  virtual QString saveFileName(const QString& caption, const QString& startPath,
                               const QString& filter) = 0;
  virtual QString openFileName(const QString& caption, const QString& startPath,
                               const QString& filter) = 0;
  virtual QString directory(const QString& caption, const QString& startPath) = 0;

  // Opens the help window at the topic of a help context number, or at the contents.
  virtual void showHelp(int context) = 0;
  virtual void showHelpContents() = 0;

 protected:
  // Ends the program: ends the process, or throws to unwind a test to its end.
  virtual void end(int exitCode) = 0;
};
