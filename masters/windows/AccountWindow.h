// The account definition window ("Account Definition"): adds, edits, renumbers, merges
// and deletes the accounts of the chart AccountKind names (AccountChart). Renumbering
// and merging move the chart's transactions to the new number; deleting removes them
// with the account. Deletions only mark records and set PackPending; the maintenance
// loop packs the tables when the window has closed.
//
// REQUIRES while shown: the chart's account table open (OpenAcc or OpenAccI) with its
// number tag selected; the chart's hand-over value 0 (new account) or the record number
// of a live account.
#pragma once

#include <functional>

#include "DefinitionForm.h"
#include "TableAccess.h"

struct AppState;
class AccountChart;
class Database;
class QCheckBox;

class AccountWindow : public DefinitionForm {
  Q_OBJECT

 public:
  // db, state and ui must outlive the window.
  AccountWindow(Database& db, AppState& state, Ui& ui, QWidget* parent = nullptr);

  // Shows the chosen account, or a new one with the next number (the highest number in
  // the chart plus one); gives the number field the focus.
  void prepare() override;
  // Re-formats the number right-aligned in 4 characters, or refuses 0 with a message and
  // keeps the focus.
  void numberLeft() override;
  // Saves a new account, or the chosen one unchanged in number, renumbered (the chart's
  // transactions move along) or merged into the account that holds the typed number.
  // Closes the window when the account was saved; stays open when refused or cancelled,
  // and for the next new account after "Add another account?".
  void saveClicked() override;
  // After the warning, marks the account and all its transactions deleted, sets the
  // hand-over value to 0 and closes.
  void deleteClicked() override;

  QCheckBox* flagCheck;  // "Deduct" or "Taxable", as the chart names its flag

 private:
  int nextAccountNumber(const AccountChart& chart);
  void saveNew(const AccountChart& chart, int number);
  // Renumbers the chosen account to number, or merges it into the live account holding
  // number. Returns false when the user cancelled.
  bool renumberOrMerge(const AccountChart& chart, int number);
  // Opens the chart's transaction table, runs walk on it with its account field, and
  // closes it, which writes the changed records.
  void overTransactions(const AccountChart& chart,
                        const std::function<void(DATA4*, FIELD4*)>& walk);
  // The saved record becomes the hand-over value; the window closes.
  void finishSave(const AccountChart& chart);

  Database& db_;
  AppState& state_;
};
