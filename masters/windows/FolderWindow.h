// The folder definition window ("Folder Definition"): adds, renames, renumbers, merges
// and deletes folders. Renumbering and merging move the income and expenses of the
// folder to the new number; deleting removes them with the folder. Deletions only mark
// records and set PackPending; the maintenance loop packs the tables afterwards.
//
// REQUIRES while shown: FOLDER open (OpenFolder) with FolTag selected; SelectedFolder 0
// (new folder) or the record number of a live folder.
#pragma once

#include <functional>

#include "DefinitionForm.h"
#include "TableAccess.h"

struct AppState;
class Database;

class FolderWindow : public DefinitionForm {
  Q_OBJECT

 public:
  // db, state and ui must outlive the window.
  FolderWindow(Database& db, AppState& state, Ui& ui, QWidget* parent = nullptr);

  // Shows the chosen folder with its number field enabled and focused, or a new folder
  // with the lowest free number, its number field disabled and the name focused.
  void prepare() override;
  // Re-formats the number right-aligned in 4 characters (0 included).
  void numberLeft() override;
  // Saves a new folder under the lowest free number, or the chosen one renamed,
  // renumbered (its income and expenses move along) or merged into the folder holding the
  // typed number. Closes the window when saved; stays open when the user cancels, and
  // for the next new folder after "Add another folder?".
  void saveClicked() override;
  // After the warning, marks the folder and all its income and expenses deleted, sets
  // SelectedFolder to 0 and closes.
  void deleteClicked() override;

 private:
  void saveNew();
  // Renumbers the chosen folder to number, or merges it into the live folder holding
  // number. Returns false when the user cancelled.
  bool renumberOrMerge(int number);
  // Opens GSTINC1 and GSTEXP1, runs walk on each (income first) with its folder field,
  // and closes them, which writes the changed records.
  void overTransactions(const std::function<void(DATA4*, FIELD4*)>& walk);
  void finishSave();

  Database& db_;
  AppState& state_;
};
