// The drive and directory chooser of backup and restore: a list of the mounted volumes
// (the "drives"), the directory tree of the chosen one and, for information only, the
// files of the selected directory. The caller sets the caption and okButton's text before
// showing it and reads ChosenDirectory() afterwards. It has no title-bar buttons; Escape
// counts as Cancel.
#pragma once

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QPushButton;
class QTreeView;
class Ui;

class DirectoryChooser : public QDialog {
  Q_OBJECT

 public:
  // ui must outlive the window; the tree starts at startDirectory (the data directory).
  DirectoryChooser(Ui& ui, const QString& startDirectory, QWidget* parent = nullptr);

  // Where the next showing starts.
  void setStartDirectory(const QString& path);
  // Lists the volumes and shows the start directory in its volume's tree.
  void prepare();
  // Shows the tree of the volume chosen in driveBox; a volume that cannot be read
  // gives "Unable to read from drive " and its mount point, and the choice goes back.
  void driveChanged();
  // The directory the path field names (the selection, or a path typed there) is chosen
  // and the window closes; a path that is no directory is refused with a message.
  void okClicked();
  void cancelClicked();  // nothing is chosen; closes

  // Shows path in the tree (switching to its volume) and selects it.
  void selectDirectory(const QString& path);
  QString selectedDirectory() const;
  // What the last showing chose; empty after Cancel.
  const QString& ChosenDirectory() const { return chosen_; }

  QComboBox* driveBox;
  QTreeView* directoryTree;
  QListView* fileList;
  QLineEdit* pathEdit;  // the selected directory in full; a path may be typed
  QPushButton* okButton;
  QPushButton* cancelButton;

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fillDrives();
  int driveIndexOf(const QString& path) const;
  void showDrive(int index);
  void showFilesOf(const QString& directory);

  Ui& ui_;
  QString start_;
  QString chosen_;
  int rememberedDrive_ = -1;
  QFileSystemModel* directories_;
  QFileSystemModel* files_;
};
