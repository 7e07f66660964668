// The archive window: the date range whose expense and income records are archived
// (hidden from the browse lists) or de-archived, as the main window's ArchiveDirection
// says. The range starts as the whole previous fiscal year.
#pragma once

#include <QDialog>

struct AppState;
class Clock;
class Database;
class DatePicker;
class HelpButton;
class ProgressSink;
class QLabel;
class QPushButton;
class Ui;

class ArchiveDialog : public QDialog {
  Q_OBJECT

 public:
  // The referenced objects must outlive the window.
  ArchiveDialog(Database& db, AppState& state, Ui& ui, ProgressSink& progress, const Clock& clock,
                QWidget* parent = nullptr);

  // The caption and fromLabel by direction; the range := the previous fiscal year, from the
  // settings' start month and day and today.
  void prepare();
  // Closes the window, then marks the records of the range (Archiver), reporting a write
  // the engine could not make.
  void okClicked();
  void cancelClicked();

  QLabel* fromLabel;
  DatePicker* fromDateEdit;
  DatePicker* throughDateEdit;
  QPushButton* okButton;
  QPushButton* cancelButton;
  HelpButton* helpButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  Database& db_;
  AppState& state_;
  Ui& ui_;
  ProgressSink& progress_;
  const Clock& clock_;
};
