#include "FolderChooser.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "Conversions.h"
#include "Database.h"

FolderChooser::FolderChooser(Database& db, QWidget* parent) : QDialog(parent), db_(db) {
  setObjectName(QStringLiteral("MultFol"));
  setWindowTitle(QStringLiteral("Select Folder(s) to Include"));

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setSelectionMode(QAbstractItemView::MultiSelection);
  BtnRun = new QPushButton(QStringLiteral("Run"), this);
  BtnRun->setObjectName(QStringLiteral("BtnRun"));
  BtnAll = new QPushButton(QStringLiteral("All"), this);
  BtnAll->setObjectName(QStringLiteral("BtnAll"));
  BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BtnRun->setDefault(true);
  connect(BtnRun, &QPushButton::clicked, this, &FolderChooser::BtnRunClick);
  connect(BtnAll, &QPushButton::clicked, this, &FolderChooser::BtnAllClick);
  connect(BtnCancel, &QPushButton::clicked, this, &FolderChooser::BtnCancelClick);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnRun);
  buttons->addWidget(BtnAll);
  buttons->addWidget(BtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListBox1);
  layout->addLayout(buttons);
  resize(320, 260);
}

void FolderChooser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void FolderChooser::FormShow() {
  ListBox1->clear();
  selected_.clear();
  FolderTable& folder = db_.folder();
  d4tagSelectP(folder.data, folder.FolTag);
  for (int rc = d4top(folder.data); rc == 0; rc = d4skip(folder.data)) {
    if (d4deleted(folder.data)) continue;
    db_.ReadFolder();
    const FolderRecord& record = db_.folderRecord();
    ListBox1->addItem(Conversions::PadLeft(record.FolNo, 4) + QStringLiteral(" - ") +
                      record.FolName);
  }
  if (ListBox1->count() == 1) ListBox1->item(0)->setSelected(true);
}

void FolderChooser::BtnAllClick() { ListBox1->selectAll(); }

void FolderChooser::BtnRunClick() {
  selected_.clear();
  for (int row = 0; row < ListBox1->count(); ++row) {
    const QListWidgetItem* item = ListBox1->item(row);
    if (item->isSelected()) selected_.append(item->text().left(4).trimmed().toInt());
  }
  accept();
}

void FolderChooser::BtnCancelClick() {
  selected_.clear();
  reject();
}
