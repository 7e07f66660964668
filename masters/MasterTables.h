// The table work the account and folder windows share: finding the live record of a
// number, and the cascades that carry a renumbering, merge or deletion into the
// transaction tables.
#pragma once

#include <functional>

#include "TableAccess.h"

class Database;

class MasterTables {
 public:
  // Seeks number, as its key text right-aligned in 4 characters, in the selected tag of
  // data. Returns true only when the seek finds exactly that key on a record that is not
  // marked deleted and whose numberField holds number; data then stands on that record.
  // Otherwise data stands wherever the seek stopped.
  static bool seekLive(DATA4* data, FIELD4* numberField, int number);

  // Switches data to record-number order, so that a walk visits every record: deleted,
  // archived and imported ones included. (The tag of the empty name is no tag.)
  static void selectRecordOrder(CODE4* code, DATA4* data);
  // In record-number order, assigns to to field in every record of data where it holds
  // from. A fatal library error ends the program (error4exitTest) after any step.
  static void reassign(Database& db, DATA4* data, FIELD4* field, int from, int to);
  // In record-number order, marks deleted every record of data whose field holds number.
  // Returns true when any was marked. A fatal library error ends the program.
  static bool removeHolding(Database& db, DATA4* data, FIELD4* field, int number);

 private:
  static bool forEachHolding(Database& db, DATA4* data, FIELD4* field, int number,
                             const std::function<void()>& change);
};
