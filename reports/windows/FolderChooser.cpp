#include "FolderChooser.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "Conversions.h"
#include "Database.h"
#include "FontUnits.h"
#include "TableWalk.h"

FolderChooser::FolderChooser(Database& db, QWidget* parent) : QDialog(parent), db_(db) {
  setObjectName(QStringLiteral("MultFol"));
  setWindowTitle(QStringLiteral("Select Folder(s) to Include"));

  folderList = new QListWidget(this);
  folderList->setObjectName(QStringLiteral("folderList"));
  folderList->setSelectionMode(QAbstractItemView::MultiSelection);
  FontUnits::UseFixedPitch(*folderList);  // the padded folder numbers line up
  runButton = new QPushButton(QStringLiteral("Run"), this);
  runButton->setObjectName(QStringLiteral("runButton"));
  allButton = new QPushButton(QStringLiteral("All"), this);
  allButton->setObjectName(QStringLiteral("allButton"));
  cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  runButton->setDefault(true);
  connect(runButton, &QPushButton::clicked, this, &FolderChooser::runClicked);
  connect(allButton, &QPushButton::clicked, this, &FolderChooser::allClicked);
  connect(cancelButton, &QPushButton::clicked, this, &FolderChooser::cancelClicked);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(runButton);
  buttons->addWidget(allButton);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(folderList);
  layout->addLayout(buttons);
  resize(320, 260);
}

void FolderChooser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  prepare();
}

void FolderChooser::prepare() {
  folderList->clear();
  selected_.clear();
  FolderTable& folder = db_.folder();
  d4tagSelectP(folder.data, folder.FolTag);
  WalkAll(folder.data, [&] {
    if (d4deleted(folder.data)) return;
    db_.ReadFolder();
    const FolderRecord& record = db_.folderRecord();
    folderList->addItem(Conversions::PadLeft(record.FolNo, 4) + QStringLiteral(" - ") +
                        record.FolName);
  });
  if (folderList->count() == 1) folderList->item(0)->setSelected(true);
}

void FolderChooser::allClicked() { folderList->selectAll(); }

void FolderChooser::runClicked() {
  selected_.clear();
  for (int row = 0; row < folderList->count(); ++row) {
    const QListWidgetItem* item = folderList->item(row);
    if (item->isSelected()) selected_.append(item->text().left(4).trimmed().toInt());
  }
  accept();
}

void FolderChooser::cancelClicked() {
  selected_.clear();
  reject();
}
