// The expense browse list ("Select Expense"): the expenses of the default folder that are
// not archived, in date order, ten a page; its choice goes to SelectedExpense.
#pragma once

#include "BrowseWindow.h"

class ExpenseList : public BrowseWindow {
  Q_OBJECT

 public:
  // db and state must outlive the window.
  ExpenseList(Database& db, AppState& state, QWidget* parent = nullptr);
};
