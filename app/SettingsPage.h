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
  void startMonthLeft();
  void startDayLeft();
  void taxRateLeft();  // after the edit re-formatted its text
  void taxStringLeft();
  void reportFontClicked();
  void pageSetupClicked();

  QGroupBox* fiscalYearBox;
  ExitEdit* startMonthEdit;
  ExitEdit* startDayEdit;
  QPushButton* reportFontButton;
  QLineEdit* reportFontEdit;
  QPushButton* pageSetupButton;
  QLineEdit* printerEdit;
  ExitEdit* taxStringEdit;
  QLabel* taxRateLabel;
  MaskedNumberEdit* taxRateEdit;

 signals:
  // The tax's name was shown or changed; labels that carry it follow.
  void taxNameChanged(const QString& name);

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
