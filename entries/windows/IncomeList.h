// The income browse list ("Select Item"): the income records of the default folder that
// are not archived, in date order, ten a page; its choice goes to SelectedIncome.
#pragma once

#include "BrowseWindow.h"

class IncomeList : public BrowseWindow {
  Q_OBJECT

 public:
  // db and state must outlive the window.
  IncomeList(Database& db, AppState& state, QWidget* parent = nullptr);
};
