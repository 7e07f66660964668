// The program's Ui: real Qt message boxes, dialogs and help window. The only place that
// shows a QMessageBox.
#pragma once

#include <memory>

#include "Ui.h"

class HelpWindow;

class QtUi : public Ui {
 public:
  QtUi();
  ~QtUi() override;

  Answer message(Type type, Buttons buttons, const QString& text) override;
  int showModal(QDialog& form) override;
  void errorBox(const QString& text) override;
  QFont chooseFont(const QFont& initial) override;
  bool pageSetup(QPrinter& printer) override;
  QString saveFileName(const QString& caption, const QString& startPath,
                       const QString& filter) override;
  QString openFileName(const QString& caption, const QString& startPath,
                       const QString& filter) override;
  QString directory(const QString& caption, const QString& startPath) override;
  void showHelp(int context) override;
  void showHelpContents() override;

 private:
  HelpWindow& help();

  std::unique_ptr<HelpWindow> help_;  // made on first use
};
