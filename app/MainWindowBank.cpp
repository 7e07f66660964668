// The main window's File menu commands of the bank statement import.
#include "BankPreviewWindow.h"
#include "BankRulesWindow.h"
#include "MainWindow.h"
#include "Ui.h"

void MainWindow::importBankClicked() {
  const QString path =
      env_.ui.openFileName(tr("Import Bank Statement"), QString::fromStdString(env_.dataDirectory),
                           tr("Bank statements (*.csv *.ofx *.qfx *.qif);;All files (*)"));
  if (path.isEmpty()) return;
  if (bankPreviewWindow->load(path)) env_.ui.showModal(*bankPreviewWindow);
}

void MainWindow::bankRulesClicked() { bankPreviewWindow->rulesWindow()->showRules(); }
