#include "ExpenseList.h"

#include "AppState.h"

ExpenseList::ExpenseList(Database& db, AppState& state, QWidget* parent)
    : BrowseWindow(db, state, &AppState::SelectedExpense, BrowseList::Kind::Expense,
                   {QStringLiteral("PickExp"), QStringLiteral("Expense Records"), {567, 354}, 516},
                   parent) {}
