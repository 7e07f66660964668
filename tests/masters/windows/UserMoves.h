// The user's moves in the pick lists and definition windows, as actions for
// ScriptedUi::expectModal: they work the controls the way a user would.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

#include "DefinitionForm.h"
#include "PickList.h"

using Move = std::function<void(QDialog&)>;

inline void click(QDialog& form, const char* button) {
  auto* found = form.findChild<QPushButton*>(QString::fromLatin1(button));
  ASSERT_NE(found, nullptr) << button;
  ASSERT_TRUE(found->isVisible() && found->isEnabled()) << button << " cannot be clicked";
  found->click();
}

inline Move press(const char* button) {
  return [button](QDialog& form) { click(form, button); };
}

// The row of a pick list's grid showing number in its first column (0 is the first data
// row), or -1.
inline int rowOf(const PickList& list, int number) {
  for (int row = 0; row < list.grid->rowCount(); ++row) {
    if (list.grid->item(row, 0)->text() == QString::number(number)) return row;
  }
  return -1;
}

// Makes the row of number current and selects it.
inline Move choose(int number) {
  return [number](QDialog& form) {
    auto& list = dynamic_cast<PickList&>(form);
    const int row = rowOf(list, number);
    ASSERT_GE(row, 0) << number << " is not listed";
    list.grid->setCurrentCell(row, 0);
    click(form, "selectButton");
  };
}

// Types number into the definition window's number field and leaves it, types
// description, and then saves.
inline Move typeAndSave(int number, const QString& description) {
  return [number, description](QDialog& form) {
    auto& window = dynamic_cast<DefinitionForm&>(form);
    window.numberEdit->setText(QString::number(number));
    EXPECT_TRUE(window.numberEdit->runExit());
    window.descriptionEdit->setText(description);
    click(form, "saveButton");
  };
}

// Runs steps as one move on the same window.
inline Move then(std::initializer_list<Move> steps) {
  std::vector<Move> all(steps);
  return [all](QDialog& form) {
    for (const Move& step : all) step(form);
  };
}
