#include "MasterTables.h"

#include "Conversions.h"
#include "Database.h"
#include "TableWalk.h"

bool MasterTables::seekLive(DATA4* data, FIELD4* numberField, int number) {
  const std::string key = Conversions::PadLeft(number, 4).toStdString();
  return d4seek(data, key) == 0 && f4int(numberField) == number && d4deleted(data) == 0;
}

void MasterTables::selectRecordOrder(CODE4* code, DATA4* data) {
  code4errTagName(code, 0);
  TAG4* none = d4tag(data, "");
  code4errTagName(code, 1);
  d4tagSelectP(data, none);
}

bool MasterTables::forEachHolding(Database& db, DATA4* data, FIELD4* field, int number,
                                  const std::function<void()>& change) {
  selectRecordOrder(db.code(), data);
  bool any = false;
  WalkAll(data, [&] {
    error4exitTest(db.code(), db.host());
    if (f4int(field) == number) {
      change();
      any = true;
    }
  });
  error4exitTest(db.code(), db.host());
  return any;
}

void MasterTables::reassign(Database& db, DATA4* data, FIELD4* field, int from, int to) {
  forEachHolding(db, data, field, from, [field, to] { f4assignInt(field, to); });
}

bool MasterTables::removeHolding(Database& db, DATA4* data, FIELD4* field, int number) {
  return forEachHolding(db, data, field, number, [data] { d4delete(data); });
}
