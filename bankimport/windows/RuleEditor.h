// Edits one bank import rule: the description pattern (text contained, or a regular
// expression), the amount range (either bound may stay empty), and what a matching line
// becomes. "OK" refuses a rule that cannot work and says why.
#pragma once

#include <QDialog>

#include "BankRule.h"
#include "BookChoices.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class Ui;

class RuleEditor : public QDialog {
  Q_OBJECT

 public:
  RuleEditor(Ui& ui, QWidget* parent = nullptr);

  // Shows rule for editing with the accounts and folders of choices; true, with rule
  // changed, when the user confirmed it.
  bool edit(BankRule& rule, const BookChoices& choices);
  void okClicked();

  QLineEdit* patternEdit;
  QCheckBox* regexCheck;
  QLineEdit* minAmountEdit;
  QLineEdit* maxAmountEdit;
  QComboBox* kindBox;
  QComboBox* accountBox;
  QComboBox* folderBox;
  QCheckBox* includesTaxCheck;
  QPushButton* okButton;
  QPushButton* cancelButton;

 private:
  void fillAccounts(int account);
  // The rule as the fields say; *problem gets what is wrong with it.
  BankRule ruleShown(QString* problem) const;

  Ui& ui_;
  const BookChoices* choices_ = nullptr;
};
