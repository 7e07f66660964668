// The payment import window: where the Billwise payment file is, the income account and
// folder the payments go to and the date range; "Import" replaces the earlier import of
// the range with the payments of the file (PaymentImporter). The tables GSTINC1, FOLDER
// and ACCI are opened by the main window before the window is shown.
#pragma once

#include <QDialog>

struct AppState;
class Clock;
class Database;
class DatePicker;
class HelpButton;
class ProgressSink;
class QComboBox;
class QLineEdit;
class QPushButton;
class Ui;

class PaymentImportDialog : public QDialog {
  Q_OBJECT

 public:
  // The referenced objects must outlive the window.
  PaymentImportDialog(Database& db, AppState& state, Ui& ui, ProgressSink& progress,
                      const Clock& clock, QWidget* parent = nullptr);

  // Lists the income accounts and the folders (a message and Import disabled when either
  // is empty), takes "gstPmt.dbf" as the path when the data directory holds the payment
  // file, and sets the range to the current fiscal year through today.
  void prepare();
  // The file dialog; the payment file of the directory of the file chosen becomes the
  // path, or the user is told that it holds none. A cancelled dialog changes nothing.
  void browseClicked();
  // Checks the entries and the payment file with the window open (a refusal leaves it
  // open), then closes it and imports. Sets PackPending when earlier imports were deleted.
  void importClicked();
  void cancelClicked();

  // The payment file's path as shown in pathEdit: empty, "gstPmt.dbf" (in the data
  // directory) or a full path.
  const QString& path() const { return path_; }

  QPushButton* browseButton;
  QLineEdit* pathEdit;
  QComboBox* accountBox;
  QComboBox* folderBox;
  QPushButton* importButton;
  QPushButton* cancelButton;
  HelpButton* helpButton;
  DatePicker* fromDateEdit;
  DatePicker* throughDateEdit;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fillAccounts();
  void fillFolders();
  void setPath(const QString& path);

  Database& db_;
  AppState& state_;
  Ui& ui_;
  ProgressSink& progress_;
  const Clock& clock_;
  QString path_;
};
