#include "IncomeList.h"

#include "AppState.h"

IncomeList::IncomeList(Database& db, AppState& state, QWidget* parent)
    : BrowseWindow(db, state, &AppState::SelectedIncome, BrowseList::Kind::Income,
                   {QStringLiteral("PickInc"), QStringLiteral("Income Records"), {534, 359}, 488},
                   parent) {}
