// The bank import rules in the order they are tried: add, edit, delete and move them up
// or down. Every change is stored at once (BankTables).
#pragma once

#include <QDialog>

#include "BankRule.h"
#include "BookChoices.h"

class Database;
class QPushButton;
class QTableWidget;
class RuleEditor;
class Ui;

class BankRulesWindow : public QDialog {
  Q_OBJECT

 public:
  // The help topic of the bank import's windows.
  static constexpr int kHelpContext = 525;

  // The referenced objects must outlive the window.
  BankRulesWindow(Database& db, Ui& ui, QWidget* parent = nullptr);

  // Reads the rules and the books' accounts and folders and shows them modally.
  // REQUIRES: no table open.
  void showRules();
  // Adds rule at the end (the rule editor is not shown): the preview's "Make Rule".
  void addRule(const BankRule& rule);
  void addClicked();
  void editClicked();
  void deleteClicked();
  void moveUpClicked() { move(-1); }
  void moveDownClicked() { move(1); }

  const std::vector<BankRule>& rules() const { return rules_; }
  RuleEditor* ruleEditor() { return editor_; }

  QTableWidget* rulesGrid;
  QPushButton* addButton;
  QPushButton* editButton;
  QPushButton* deleteButton;
  QPushButton* moveUpButton;
  QPushButton* moveDownButton;
  QPushButton* closeButton;

 private:
  void move(int by);
  // Stores the rules, shows them, and selects row.
  void store(int row);
  void fillGrid();
  QString nameIn(const std::vector<NamedNumber>& list, int number) const;

  Database& db_;
  Ui& ui_;
  RuleEditor* editor_;
  BookChoices choices_;
  std::vector<BankRule> rules_;
};
