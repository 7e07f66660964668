// The income window ("Income"): creates, edits and deletes one income record of GSTINC1
// with its date, amount, the tax the amount contains, description, account and folder.
// SelectedIncome tells it which record to edit (0: a new one) and gives back the record
// saved (0 after a delete; unchanged after Cancel). An edit keeps the record's imported
// flag; a new record is never imported.
//
// REQUIRES when shown: GSTINC1 (tag IncDate), ACCI and FOLDER open, as the main window's
// income loop leaves them.
#pragma once

#include "EntryWindow.h"

class IncomeWindow : public EntryWindow {
  Q_OBJECT

 public:
  // db, state, ui and clock must outlive the window.
  IncomeWindow(Database& db, AppState& state, Ui& ui, const Clock& clock,
               QWidget* parent = nullptr);

  // Shows the record SelectedIncome names, or the defaults of a new one: today, the
  // default folder, the amount including tax when the rate is above 0.
  void prepare() override;
  // The amount was left: the tax follows a changed amount.
  void amountLeft();
  // Saves the record; a new one offers "Add another income record?", which keeps the
  // window open with the date, description, account, folder, box and tax amount shown.
  void saveClicked();
  void deleteClicked();

  QLineEdit* descriptionEdit;

 private:
  void layOut();
};
