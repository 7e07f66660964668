// The preview of a bank statement before anything is written: each line with its date,
// description and amount and what it will become (expense or income, account, folder,
// whether the amount includes tax, the tax at the settings' rate) and its status (new,
// already in the books, ignored). The user changes any of these in the grid, ticks lines
// to skip, turns a line's choice into a rule, saves the columns of a CSV statement as a
// profile, and imports (BankImporter).
#pragma once

#include <QDialog>
#include <memory>

#include "BookChoices.h"
#include "CsvProfile.h"
#include "ImportPlan.h"
#include "StatementFile.h"

class BankRulesWindow;
class ColumnMapping;
class Clock;
class Database;
class PreviewModel;
class ProgressSink;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class Ui;

class BankPreviewWindow : public QDialog {
  Q_OBJECT

 public:
  // The referenced objects must outlive the window.
  BankPreviewWindow(Database& db, Ui& ui, ProgressSink& progress, const Clock& clock,
                    QWidget* parent = nullptr);
  ~BankPreviewWindow() override;

  // Reads path (a CSV file with the profile chosen, else detected; the user is asked the
  // order of day and month when the dates leave it open) and plans its lines. False, the
  // user told why, when the file is refused. REQUIRES: no table open.
  bool load(const QString& path);
  // The profile box changed: the file is read again with the profile chosen.
  void profileChosen();
  // The file read again with the columns shown.
  void readAgainClicked();
  void saveProfileClicked();
  // A rule from the current line: its description, kind, account, folder and tax; edited
  // in the rule editor, stored last, and applied to every line.
  void makeRuleClicked();
  void rulesClicked();
  void importClicked();

  const ImportPlan& plan() const { return plan_; }
  PreviewModel* model() { return model_.get(); }
  BankRulesWindow* rulesWindow() { return rulesWindow_; }

  QLabel* fileLabel;
  QComboBox* profileBox;
  ColumnMapping* columnMapping;
  QPushButton* readAgainButton;
  QLineEdit* profileNameEdit;
  QPushButton* saveProfileButton;
  QTableView* linesView;
  QLabel* summaryLabel;
  QPushButton* makeRuleButton;
  QPushButton* rulesButton;
  QPushButton* importButton;
  QPushButton* cancelButton;

 private:
  // Reads the file with profile and shows its plan. A CSV file whose columns are not known
  // shows no line and waits for the user to give them. False when the file is refused.
  bool read(const std::optional<CsvProfile>& profile);
  void showPlan();
  void showSummary();
  void applyRules();
  void fillProfiles();

  Database& db_;
  Ui& ui_;
  ProgressSink& progress_;
  const Clock& clock_;
  BankRulesWindow* rulesWindow_;
  QString path_;
  StatementFile::Result read_;
  BookChoices choices_;
  ImportPlan plan_;
  std::unique_ptr<PreviewModel> model_;
};
