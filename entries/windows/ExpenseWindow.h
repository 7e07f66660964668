// The expense window ("Expense"): creates, edits and deletes one expense of GSTEXP1 with
// its date, cheque number, amount, the tax the amount contains, payee, memo, account and
// folder. SelectedExpense tells it which record to edit (0: a new one) and gives back the
// record saved (0 after a delete; unchanged after Cancel).
//
// REQUIRES when shown: GSTEXP1 (tag eDate), ACC and FOLDER open, as the main window's
// expense loop leaves them.
#pragma once

#include "EntryWindow.h"

class ExitEdit;

class ExpenseWindow : public EntryWindow {
  Q_OBJECT

 public:
  // db, state, ui and clock must outlive the window.
  ExpenseWindow(Database& db, AppState& state, Ui& ui, const Clock& clock,
                QWidget* parent = nullptr);

  // Shows the record SelectedExpense names, or the defaults of a new one: today, the
  // default folder, the amount including tax when the rate is above 0.
  void prepare() override;
  // The cheque number re-written right-aligned in 8 characters.
  void chequeLeft();
  // The cheque number typed; none is 0. Throws ConversionError for text that is no number.
  int chequeNumber() const;
  // The amount was left: the tax follows a changed amount.
  void amountLeft();
  // Saves the record; a new one offers "Add another expense record?", which keeps the
  // window open with the date, payee, memo, account, folder, box and tax amount shown.
  void saveClicked();
  void deleteClicked();

  ExitEdit* chequeEdit;
  QLineEdit* payToEdit;
  QLineEdit* memoEdit;

 private:
  void layOut();
};
