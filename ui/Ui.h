// The one door through which the windows talk to the user modally: the prompts of the
// operations (message boxes, the general error box), modal forms, the common dialogs and help.
// The program installs QtUi (real dialogs); tests install a scripted stand-in that checks
// each message and answers it, so no test ever blocks in a real exec().
#pragma once

#include <QFont>
#include <QString>

#include "Prompts.h"

class QDialog;
class QPrinter;
class QWidget;

class Ui : public Prompts {
 public:
  // Shows form modally until it closes; returns its QDialog result (Accepted/Rejected).
  virtual int showModal(QDialog& form) = 0;
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
};
