// The choice of folders a report includes: every live folder of FOLDER in folder-number
// order, any number of them selected by clicking; "Run" takes the selection, "All"
// selects every folder, "Cancel" takes none.
#pragma once

#include <QDialog>
#include <QList>

class Database;
class QListWidget;
class QPushButton;

class FolderChooser : public QDialog {
  Q_OBJECT

 public:
  // db must outlive the dialog; FOLDER must be open (OpenFolder) whenever it is shown.
  explicit FolderChooser(Database& db, QWidget* parent = nullptr);

  QListWidget* folderList;
  QPushButton* runButton;
  QPushButton* allButton;
  QPushButton* cancelButton;

  // Lists the folders, "   3 - " and the stored name; the only one is selected already.
  // Empties SelectedFolders().
  void prepare();
  void allClicked();
  // Takes the number of each selected folder in list order, then closes (accepted).
  void runClicked();
  void cancelClicked();

  // The folders chosen by the last runClicked; empty after a cancel or with none selected.
  const QList<int>& SelectedFolders() const { return selected_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  Database& db_;
  QList<int> selected_;
};
