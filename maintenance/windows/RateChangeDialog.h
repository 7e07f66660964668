// The rate change window: an expense account, the old and the new unit rate and a date
// range; "Apply" multiplies the amount of every expense of that account in the range by
// new rate / old rate (RateChanger). The tables ACC and GSTEXP1 are opened by the main
// window before the window is shown.
#pragma once

#include <QDialog>

class Clock;
class Database;
class DatePicker;
class HelpButton;
class MaskedNumberEdit;
class QComboBox;
class QPushButton;
class Ui;

class RateChangeDialog : public QDialog {
  Q_OBJECT

 public:
  // The referenced objects must outlive the window.
  RateChangeDialog(Database& db, Ui& ui, const Clock& clock, QWidget* parent = nullptr);

  // Lists the expense accounts ("Expense Accounts must be defined before entering Expense
  // Records" and Apply disabled when there are none), sets both rates to 1.0000 and the
  // range to 1 January of this year through today. REQUIRES: ACC open.
  void prepare();
  // Reads and checks the entries and re-rates; closes only when the change was made (or
  // failed part-way, which it reports). REQUIRES: GSTEXP1 open.
  void applyClicked();
  void cancelClicked();

  QComboBox* accountBox;
  MaskedNumberEdit* oldRateEdit;
  MaskedNumberEdit* newRateEdit;
  DatePicker* fromDateEdit;
  DatePicker* throughDateEdit;
  QPushButton* applyButton;
  QPushButton* cancelButton;
  HelpButton* helpButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void warn(const QString& text);

  Database& db_;
  Ui& ui_;
  const Clock& clock_;
};
