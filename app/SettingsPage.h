// The "Program Setup" page: the start of the fiscal year, the tax's name and rate, the
// report font and the printer. Every setting is written to the settings record as soon
// as its control is left with a valid new value; an unchanged value writes nothing.
#pragma once

#include "MainPage.h"

struct AppState;
class Database;
class ExitEdit;
class MaskedNumberEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class SettingsPage : public MainPage {
  Q_OBJECT

 public:
  // ui, state and db must outlive the page.
  SettingsPage(Ui& ui, AppState& state, Database& db, QWidget* parent = nullptr);

  // Shows the settings record (read at start-up), the report font and the printer.
  void fill();

  // Handlers (the edits run theirs when they are left).
  void MaskEdit3Exit();  // start month
  void MaskEdit4Exit();  // start day
  void MaskEdit5Exit();  // tax rate, after the edit re-formatted its text
  void Edit3Exit();      // tax string
  void BtnFontClick();
  void BtnPSetupClick();

  QGroupBox* GroupBox1;
  ExitEdit* MaskEdit3;
  ExitEdit* MaskEdit4;
  QPushButton* BtnFont;
  QLineEdit* Edit1;
  QPushButton* BtnPSetup;
  QLineEdit* Edit2;
  ExitEdit* Edit3;
  QLabel* Label6;
  MaskedNumberEdit* MaskEdit5;

 private:
  void layOut();
  void showReportFont();
  void showRateLabel();
  // Writes the whole settings record.
  void save();

  Ui& ui_;
  AppState& state_;
  Database& db_;
};
