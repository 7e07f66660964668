// What the expense and income windows share: the amount with the tax it contains, the
// account and folder boxes, the date, and the Save, Delete, Cancel and help buttons.
//
// The tax: when the amount includes it and the settings' rate is above 0, the tax is
// rate/100 x amount / (rate/100 + 1), recomputed when the amount is left changed and
// whenever the includes-tax box changes state, also when a showing puts a record's flag
// into it. A tax amount typed by hand stands until then. With a rate of 0 the tax field
// is never touched.
#pragma once

#include <QDialog>
#include <functional>
#include <initializer_list>
#include <utility>

#include "TableAccess.h"

struct AppState;
class Clock;
class CodeBox;
class Database;
class DatePicker;
class MaskedNumberEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Ui;

class EntryWindow : public QDialog {
  Q_OBJECT

 public:
  // Fills the window for the record the hand-over value names; runs on every showing.
  virtual void prepare() = 0;

  // The includes-tax box changed state: recompute the tax (see above). Throws
  // ConversionError when the amount is no number.
  void includesTaxChanged();
  void cancelClicked() { reject(); }

  DatePicker* dateEdit;
  MaskedNumberEdit* amountEdit;
  MaskedNumberEdit* taxEdit;
  QLabel* taxLabel;  // "<tax> Amount:"
  QCheckBox* includesTaxCheck;
  CodeBox* accountBox;
  CodeBox* folderBox;
  QPushButton* saveButton;
  QPushButton* deleteButton;
  QPushButton* cancelButton;
  QPushButton* helpButton;

 protected:
  struct Names {
    QString form, caption;
    int helpContext;
  };
  // db, state, ui and clock must outlive the window.
  EntryWindow(Database& db, AppState& state, Ui& ui, const Clock& clock, const Names& names,
              QWidget* parent);

  void showEvent(QShowEvent* event) override;
  // Captions that name the tax: "Includes <tax>" and "<tax> Amount:".
  void showTaxName();
  // The amount was left (after its edit re-formatted it): recompute the tax when its
  // value differs from current, then make it current.
  void recomputeTaxIfChanged(double& current);
  // Fills the account box from the chart and the folder box from FOLDER, choosing the
  // current numbers; tells the user (accountsMissing, foldersMissing) and disables Save
  // when either table is empty.
  void fillBoxes(bool incomeChart, int account, int folder, const QString& accountsMissing,
                 const QString& foldersMissing);
  // Asks first (No is the default); on Yes marks the current record of the transaction
  // table (GSTEXP1 or GSTINC1) deleted and packs the table at once, reopened afterwards by
  // its open routine; then closes the window with handOver 0.
  void deleteAndPack(bool income, int& handOver);
  // An amount of 0.00 is saved only when the user says so (No is the default).
  bool zeroAmountConfirmed(double amount, const QString& recordName);
  // Tells the user the value of field could not be read; nothing is saved.
  void conversionFailed(const QString& field);
  // Tells the user a new record could not be added.
  void appendFailed();
  // Tab order through widgets, in the order given.
  void chainTabOrder(std::initializer_list<QWidget*> widgets);
  // A label for a control, aligned to its right.
  QLabel* label(const QString& text);
  // Runs handler under the error guard.
  void guard(const std::function<void()>& handler);

  Database& db_;
  AppState& state_;
  Ui& ui_;
  const Clock& clock_;
};
