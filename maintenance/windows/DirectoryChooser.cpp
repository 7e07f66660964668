#include "DirectoryChooser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeView>
#include <algorithm>

#include "Ui.h"
#include "WindowKeys.h"

DirectoryChooser::DirectoryChooser(Ui& ui, const QString& startDirectory, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(ui),
      start_(QDir(startDirectory).absolutePath()) {
  setObjectName(QStringLiteral("DriveDir"));
  driveBox = new QComboBox(this);
  driveBox->setObjectName(QStringLiteral("driveBox"));
  directories_ = new QFileSystemModel(this);
  directories_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  directoryTree = new QTreeView(this);
  directoryTree->setObjectName(QStringLiteral("directoryTree"));
  directoryTree->setModel(directories_);
  directoryTree->setHeaderHidden(true);
  for (int column = 1; column < directories_->columnCount(); ++column) {
    directoryTree->hideColumn(column);
  }
  files_ = new QFileSystemModel(this);
  files_->setFilter(QDir::Files | QDir::Hidden);
  fileList = new QListView(this);
  fileList->setObjectName(QStringLiteral("fileList"));
  fileList->setModel(files_);
  fileList->setEnabled(false);  // shows what the directory holds; nothing to pick
  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setObjectName(QStringLiteral("okButton"));
  cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  connect(okButton, &QPushButton::clicked, this, &DirectoryChooser::okClicked);
  connect(cancelButton, &QPushButton::clicked, this, &DirectoryChooser::cancelClicked);
  connect(driveBox, &QComboBox::activated, this, [this] { driveChanged(); });
  // The tree fills as its folders are read: the selection comes into view when they are.
  connect(directories_, &QFileSystemModel::directoryLoaded, this,
          [this] { directoryTree->scrollTo(directoryTree->currentIndex()); });
  connect(directoryTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { showFilesOf(selectedDirectory()); });
  // The tree shows names only; the whole path of the choice is spelled out below it,
  // where a path may also be typed (Enter shows it in the tree).
  pathEdit = new QLineEdit(this);
  pathEdit->setObjectName(QStringLiteral("pathEdit"));
  connect(pathEdit, &QLineEdit::returnPressed, this, [this] {
    if (QFileInfo(pathEdit->text().trimmed()).isDir()) selectDirectory(pathEdit->text().trimmed());
  });

  auto* grid = new QGridLayout(this);
  grid->addWidget(pathEdit, 0, 0, 1, 2);
  grid->addWidget(driveBox, 1, 0);
  grid->addWidget(directoryTree, 2, 0);
  grid->addWidget(fileList, 1, 1, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  grid->addLayout(buttons, 3, 0, 1, 2);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);
  setTabOrder(pathEdit, driveBox);
  setTabOrder(driveBox, directoryTree);
  setTabOrder(directoryTree, okButton);
  setTabOrder(okButton, cancelButton);
  resize(520, 300);
  WindowKeys::Install(*this, &ui_);
}

void DirectoryChooser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  prepare();
}

void DirectoryChooser::fillDrives() {
  QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
  std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
    return a.rootPath() < b.rootPath();
  });
  QSignalBlocker quiet(driveBox);
  driveBox->clear();
  for (const QStorageInfo& volume : volumes) {
    if (!volume.isValid() || volume.rootPath().isEmpty()) continue;
    const QString label =
        volume.name().isEmpty() ? QString::fromLocal8Bit(volume.device()) : volume.name();
    driveBox->addItem(volume.rootPath() + QStringLiteral("  [") + label + QLatin1Char(']'),
                      volume.rootPath());
  }
}

int DirectoryChooser::driveIndexOf(const QString& path) const {
  // The volume whose mount point is the longest prefix of path.
  int best = -1;
  qsizetype bestLength = -1;
  for (int i = 0; i < driveBox->count(); ++i) {
    const QString root = driveBox->itemData(i).toString();
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if ((path == root || path.startsWith(prefix)) && root.size() > bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  return best;
}

void DirectoryChooser::setStartDirectory(const QString& path) {
  start_ = QDir(path).absolutePath();
}

void DirectoryChooser::prepare() {
  chosen_.clear();
  rememberedDrive_ = -1;
  directories_->setRootPath(QDir::rootPath());  // the file system is watched from here on
  fillDrives();
  selectDirectory(start_);
}

void DirectoryChooser::showDrive(int index) {
  QSignalBlocker quiet(driveBox);
  driveBox->setCurrentIndex(index);
  rememberedDrive_ = index;
  const QString root = driveBox->itemData(index).toString();
  directoryTree->setRootIndex(directories_->index(root));
}

void DirectoryChooser::driveChanged() {
  const int index = driveBox->currentIndex();
  if (index < 0 || index == rememberedDrive_) return;
  const QString root = driveBox->itemData(index).toString();
  const QStorageInfo volume(root);
  if (!volume.isReady() || !QDir(root).isReadable()) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Unable to read from drive ") + root);
    if (rememberedDrive_ >= 0) showDrive(rememberedDrive_);
    return;
  }
  showDrive(index);
  selectDirectory(root);
}

void DirectoryChooser::selectDirectory(const QString& path) {
  const QString absolute = QDir::cleanPath(QDir(path).absolutePath());
  const int drive = driveIndexOf(absolute);
  if (drive >= 0 && drive != rememberedDrive_) showDrive(drive);
  const QModelIndex index = directories_->index(absolute);
  directoryTree->setCurrentIndex(index);
  directoryTree->scrollTo(index);
  showFilesOf(absolute);
}

QString DirectoryChooser::selectedDirectory() const {
  const QModelIndex current = directoryTree->currentIndex();
  return current.isValid() ? directories_->filePath(current) : QString();
}

void DirectoryChooser::showFilesOf(const QString& directory) {
  pathEdit->setText(directory);
  pathEdit->setToolTip(directory);
  pathEdit->end(false);  // a long path shows its last, most telling, part
  if (directory.isEmpty()) return;
  fileList->setRootIndex(files_->setRootPath(directory));
}

void DirectoryChooser::okClicked() {
  const QString typed = pathEdit->text().trimmed();
  if (!QFileInfo(typed).isDir()) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("There is no folder ") + typed + QStringLiteral("."));
    pathEdit->setFocus();
    return;
  }
  chosen_ = QDir::cleanPath(QDir(typed).absolutePath());
  accept();
}

void DirectoryChooser::cancelClicked() { reject(); }

void DirectoryChooser::reject() {
  chosen_.clear();
  QDialog::reject();
}
