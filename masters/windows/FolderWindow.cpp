#include "FolderWindow.h"

#include <QLineEdit>
#include <QPushButton>

#include "AppState.h"
#include "Conversions.h"
#include "Database.h"
#include "MasterTables.h"
#include "Ui.h"

FolderWindow::FolderWindow(Database& db, AppState& state, Ui& ui, QWidget* parent)
    : DefinitionForm(ui, QStringLiteral("FolderF"), QStringLiteral("Folder Definition"),
                     QSize(368, 167), 570, parent),
      db_(db),
      state_(state) {
  addField(fieldLabel(QStringLiteral("numberLabel"), tr("Folder Number:")), numberEdit);
  numberEdit->setFieldName(tr("Folder Number"));
  addField(fieldLabel(QStringLiteral("descriptionLabel"), tr("Description:")), descriptionEdit);
}

void FolderWindow::prepare() {
  FolderRecord& folder = db_.folderRecord();
  const bool existing = state_.SelectedFolder != 0;
  if (existing) {
    d4go(db_.folder().data, state_.SelectedFolder);
    db_.ReadFolder();
  } else {
    folder.FolNo = db_.NextFreeFolderNo();
    folder.FolName.clear();
  }
  deleteButton->setVisible(existing);
  numberEdit->setText(QString::number(folder.FolNo));
  descriptionEdit->setText(folder.FolName.trimmed());
  // A new folder's number is not the user's to choose.
  numberEdit->setEnabled(existing);
  if (existing) {
    numberEdit->setFocus();
  } else {
    descriptionEdit->setFocus();
  }
}

void FolderWindow::numberLeft() {
  numberEdit->setText(Conversions::PadLeft(numberEdit->intValue(), 4));
}

void FolderWindow::saveClicked() {
  FolderRecord& folder = db_.folderRecord();
  folder.FolName = descriptionEdit->text().trimmed();
  const int number = numberEdit->intValue();
  if (state_.SelectedFolder == 0) {
    saveNew();
    return;
  }
  if (number == folder.FolNo) {
    d4go(db_.folder().data, state_.SelectedFolder);
    db_.WriteFolder();
  } else if (!renumberOrMerge(number)) {
    return;
  }
  finishSave();
}

void FolderWindow::saveNew() {
  FolderRecord& folder = db_.folderRecord();
  // Taken now, not from the field: another folder may have taken the shown number.
  folder.FolNo = db_.NextFreeFolderNo();
  if (db_.AppendFolder(folder) == Database::kNotAppended) {
    ui().message(Ui::Type::Warning, Ui::Buttons::Ok, db_.AppendRefusedMessage());
    return;
  }
  if (ui().message(Ui::Type::Confirmation, Ui::Buttons::YesNo,
                   QStringLiteral("Add another folder?")) == Ui::Answer::Yes) {
    folder.FolNo = db_.NextFreeFolderNo();
    folder.FolName.clear();
    numberEdit->setText(QString::number(folder.FolNo));
    descriptionEdit->clear();
    descriptionEdit->setFocus();
    return;
  }
  finishSave();
}

bool FolderWindow::renumberOrMerge(int number) {
  FolderRecord& folder = db_.folderRecord();
  const QString oldNumber = QString::number(folder.FolNo);
  const QString newNumber = QString::number(number);
  const bool merge = MasterTables::seekLive(db_.folder().data, db_.folder().FolNo, number);
  const QString text =
      merge ? QStringLiteral("FOLDER NUMBER ") + newNumber +
                  QStringLiteral(
                      " ALREADY EXISTS.\r\n\r\nIf you continue, all income and expenses in "
                      "folder ") +
                  oldNumber + QStringLiteral(" will be merged into folder number ") + newNumber +
                  QStringLiteral(" which will be renamed to ") + descriptionEdit->text().trimmed()
            : QStringLiteral(
                  "FOLDER NUMBER CHANGED!\r\n\r\nIf you continue, all income and expenses in "
                  "folder ") +
                  oldNumber + QStringLiteral(" will be assigned to folder number ") + newNumber +
                  QStringLiteral(" AND Folder Number ") + oldNumber +
                  QStringLiteral(" will no longer exist.");
  if (ui().message(Ui::Type::Information, Ui::Buttons::OkCancel, text) != Ui::Answer::Ok) {
    return false;
  }
  const long other = merge ? d4recNo(db_.folder().data) : 0;
  const int from = folder.FolNo;
  overTransactions([this, from, number](DATA4* data, FIELD4* field) {
    MasterTables::reassign(db_, data, field, from, number);
  });
  d4go(db_.folder().data, state_.SelectedFolder);
  folder.FolNo = number;
  db_.WriteFolder();  // reopens the table: its handle changes
  if (merge) {
    DATA4* table = db_.folder().data;
    d4go(table, other);
    d4delete(table);
    state_.PackPending = true;
    // Back on the saved folder, which writes the mark: the refresh that ends the save
    // would otherwise drop it and leave two live folders with one number.
    d4go(table, state_.SelectedFolder);
  }
  return true;
}

void FolderWindow::overTransactions(const std::function<void(DATA4*, FIELD4*)>& walk) {
  db_.OpenInc();
  db_.OpenExp();
  walk(db_.inc().data, db_.inc().FolNo);
  walk(db_.exp().data, db_.exp().FolNo);
  d4close(db_.code(), db_.inc().data);
  d4close(db_.code(), db_.exp().data);
  error4exitTest(db_.code(), db_.host());
}

void FolderWindow::finishSave() {
  state_.SelectedFolder = static_cast<int>(d4recNo(db_.folder().data));
  d4refresh(db_.folder().data);
  accept();
}

void FolderWindow::deleteClicked() {
  if (ui().message(Ui::Type::Warning, Ui::Buttons::YesNoDefaultNo,
                   QStringLiteral("WARNING: All income and expenses assigned to this folder will "
                                  "be deleted.\r\n\r\nARE YOU SURE YOU WANT TO DELETE THIS "
                                  "FOLDER?")) != Ui::Answer::Yes) {
    return;
  }
  const int number = db_.folderRecord().FolNo;
  overTransactions([this, number](DATA4* data, FIELD4* field) {
    MasterTables::removeHolding(db_, data, field, number);
  });
  // A cancelled renumbering may have left the table on another folder (its seek for the
  // typed number): go back to the chosen one before marking it.
  d4go(db_.folder().data, state_.SelectedFolder);
  d4delete(db_.folder().data);
  state_.PackPending = true;
  error4exitTest(db_.code(), db_.host());
  state_.SelectedFolder = 0;
  accept();
}
