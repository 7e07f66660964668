#include "ExpenseList.h"

#include "AppState.h"

ExpenseList::ExpenseList(Database& db, AppState& state, QWidget* parent)
    : BrowseWindow(db, state, &AppState::SelectedExpense, BrowseList::Kind::Expense,
                   {QStringLiteral("PickExp"), QStringLiteral("Select Expense"), {567, 354}, 516},
                   parent) {}
