// The folder pick list ("PickFol"): every live folder in ascending number, with its
// number and name. The first folder is current when the list opens.
//
// REQUIRES while shown: FOLDER open (OpenFolder) with FolTag selected.
#pragma once

#include "PickList.h"

struct AppState;
class Database;

class FolderPicker : public PickList {
  Q_OBJECT

 public:
  // db, state and ui must outlive the list.
  FolderPicker(Database& db, AppState& state, Ui& ui, QWidget* parent = nullptr);

  void prepare() override;

 protected:
  int& handOver() override;

 private:
  Database& db_;
  AppState& state_;
};
