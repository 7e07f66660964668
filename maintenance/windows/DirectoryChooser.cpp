#include "DirectoryChooser.h"

#include <QComboBox>
#include <QDir>
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

DirectoryChooser::DirectoryChooser(Ui& ui, const QString& startDirectory, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(ui),
      start_(QDir(startDirectory).absolutePath()) {
  setObjectName(QStringLiteral("DriveDir"));
  DriveComboBox1 = new QComboBox(this);
  DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
  directories_ = new QFileSystemModel(this);
  directories_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  DirectoryListBox1 = new QTreeView(this);
  DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
  DirectoryListBox1->setModel(directories_);
  DirectoryListBox1->setHeaderHidden(true);
  for (int column = 1; column < directories_->columnCount(); ++column) {
    DirectoryListBox1->hideColumn(column);
  }
  files_ = new QFileSystemModel(this);
  files_->setFilter(QDir::Files | QDir::Hidden);
  FileListBox1 = new QListView(this);
  FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
  FileListBox1->setModel(files_);
  FileListBox1->setEnabled(false);  // shows what the directory holds; nothing to pick
  BtnOK = new QPushButton(QStringLiteral("OK"), this);
  BtnOK->setObjectName(QStringLiteral("BtnOK"));
  BtnOK->setDefault(true);
  BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  connect(BtnOK, &QPushButton::clicked, this, &DirectoryChooser::BtnOKClick);
  connect(BtnCancel, &QPushButton::clicked, this, &DirectoryChooser::BtnCancelClick);
  connect(DriveComboBox1, &QComboBox::activated, this, [this] { DriveComboBox1Change(); });
  connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { showFilesOf(selectedDirectory()); });
  // The tree shows names only; the whole path of the choice is spelled out below it.
  path_ = new QLineEdit(this);
  path_->setObjectName(QStringLiteral("PathEdit"));
  path_->setReadOnly(true);
  path_->setFrame(false);
  path_->setFocusPolicy(Qt::NoFocus);

  auto* grid = new QGridLayout(this);
  grid->addWidget(DriveComboBox1, 0, 0);
  grid->addWidget(DirectoryListBox1, 1, 0);
  grid->addWidget(FileListBox1, 0, 1, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(path_, 1);
  buttons->addWidget(BtnOK);
  buttons->addWidget(BtnCancel);
  grid->addLayout(buttons, 2, 0, 1, 2);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);
  resize(427, 212);
}

void DirectoryChooser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void DirectoryChooser::fillDrives() {
  QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
  std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
    return a.rootPath() < b.rootPath();
  });
  QSignalBlocker quiet(DriveComboBox1);
  DriveComboBox1->clear();
  for (const QStorageInfo& volume : volumes) {
    if (!volume.isValid() || volume.rootPath().isEmpty()) continue;
    const QString label =
        volume.name().isEmpty() ? QString::fromLocal8Bit(volume.device()) : volume.name();
    DriveComboBox1->addItem(volume.rootPath() + QStringLiteral("  [") + label + QLatin1Char(']'),
                            volume.rootPath());
  }
}

int DirectoryChooser::driveIndexOf(const QString& path) const {
  // The volume whose mount point is the longest prefix of path.
  int best = -1;
  qsizetype bestLength = -1;
  for (int i = 0; i < DriveComboBox1->count(); ++i) {
    const QString root = DriveComboBox1->itemData(i).toString();
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if ((path == root || path.startsWith(prefix)) && root.size() > bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  return best;
}

void DirectoryChooser::FormShow() {
  chosen_.clear();
  rememberedDrive_ = -1;
  directories_->setRootPath(QDir::rootPath());  // the file system is watched from here on
  fillDrives();
  selectDirectory(start_);
}

void DirectoryChooser::showDrive(int index) {
  QSignalBlocker quiet(DriveComboBox1);
  DriveComboBox1->setCurrentIndex(index);
  rememberedDrive_ = index;
  const QString root = DriveComboBox1->itemData(index).toString();
  DirectoryListBox1->setRootIndex(directories_->index(root));
}

void DirectoryChooser::DriveComboBox1Change() {
  const int index = DriveComboBox1->currentIndex();
  if (index < 0 || index == rememberedDrive_) return;
  const QString root = DriveComboBox1->itemData(index).toString();
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
  DirectoryListBox1->setCurrentIndex(index);
  DirectoryListBox1->scrollTo(index);
  showFilesOf(absolute);
}

QString DirectoryChooser::selectedDirectory() const {
  const QModelIndex current = DirectoryListBox1->currentIndex();
  return current.isValid() ? directories_->filePath(current) : QString();
}

void DirectoryChooser::showFilesOf(const QString& directory) {
  path_->setText(directory);
  path_->setToolTip(directory);
  path_->end(false);  // a long path shows its last, most telling, part
  if (directory.isEmpty()) return;
  FileListBox1->setRootIndex(files_->setRootPath(directory));
}

void DirectoryChooser::BtnOKClick() {
  chosen_ = selectedDirectory();
  accept();
}

void DirectoryChooser::BtnCancelClick() { reject(); }

void DirectoryChooser::reject() {
  chosen_.clear();
  QDialog::reject();
}
