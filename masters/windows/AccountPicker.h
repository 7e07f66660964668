// The account pick list ("Select Account"): every live account of the chart AccountKind
// names, in ascending number, with its number, description and flag ("Deduct" or
// "Taxable"). The chart's hand-over value names the row that is current when the list
// opens. The maintenance loops and the account detail reports use it.
//
// REQUIRES while shown: the chart's account table open with its number tag selected.
#pragma once

#include "PickList.h"

struct AppState;
class Database;

class AccountPicker : public PickList {
  Q_OBJECT

 public:
  // db, state and ui must outlive the list.
  AccountPicker(Database& db, AppState& state, Ui& ui, QWidget* parent = nullptr);

  void prepare() override;

 protected:
  int& handOver() override;

 private:
  Database& db_;
  AppState& state_;
};
