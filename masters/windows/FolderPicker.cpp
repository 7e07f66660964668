#include "FolderPicker.h"

#include "AppState.h"
#include "Database.h"
#include "TableWalk.h"

FolderPicker::FolderPicker(Database& db, AppState& state, Ui& ui, QWidget* parent)
    : PickList(ui,
               {QStringLiteral("PickFol"), QStringLiteral("Folders"), QSize(375, 341),
                QRect(32, 8, 305, 281), 3},
               parent),
      db_(db),
      state_(state) {}

int& FolderPicker::handOver() { return state_.SelectedFolder; }

void FolderPicker::prepare() {
  startFill({QStringLiteral("Number"), QStringLiteral("Description"), QString()}, {48, 240, 0});
  const FolderRecord& folder = db_.folderRecord();
  DATA4* table = db_.folder().data;
  int row = 0;
  int current = 1;
  WalkAll(table, [&] {
    if (d4deleted(table)) return;
    db_.ReadFolder();
    const long recNo = d4recNo(table);
    setRow(++row, {QString::number(folder.FolNo), folder.FolName, QString::asprintf("%ld", recNo)});
    if (recNo == state_.SelectedFolder) current = row;
  });
  finishFill(current, 9);
}
