#include "IncomeList.h"

#include "AppState.h"

IncomeList::IncomeList(Database& db, AppState& state, QWidget* parent)
    : BrowseWindow(
          db, state, &AppState::SelectedIncome, BrowseList::Kind::Income,
          {QStringLiteral("PickInc"),
           QStringLiteral("Select Item"),
           {534, 359},
           488,
           {QStringLiteral("Button1"), QStringLiteral("Button2"), QStringLiteral("Button3")}},
          parent),
      Button1(selectButton_),
      Button2(newButton_),
      Button3(exitButton_) {}
