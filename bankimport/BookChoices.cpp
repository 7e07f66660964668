#include "BookChoices.h"

#include <algorithm>

#include "Database.h"
#include "TableWalk.h"

namespace {

std::vector<NamedNumber> namedNumbers(DATA4* data, FIELD4* number, FIELD4* name) {
  std::vector<NamedNumber> list;
  WalkAll(data, [&] { list.push_back({f4int(number), f4text(name).trimmed()}); });
  return list;
}

}  // namespace

BookChoices BookChoices::Read(Database& db) {
  BookChoices choices;
  db.OpenAcc();
  db.OpenAccI();
  db.OpenFolder();
  choices.expenseAccounts = namedNumbers(db.acc().data, db.acc().AccNo, db.acc().AcDesc);
  choices.incomeAccounts = namedNumbers(db.accI().data, db.accI().AccNo, db.accI().AcDesc);
  choices.folders = namedNumbers(db.folder().data, db.folder().FolNo, db.folder().FolName);
  code4close(db.code());
  return choices;
}

const std::vector<NamedNumber>& BookChoices::accountsFor(EntryKind kind) const {
  static const std::vector<NamedNumber> none;
  if (kind == EntryKind::Expense) return expenseAccounts;
  return kind == EntryKind::Income ? incomeAccounts : none;
}

bool BookChoices::Holds(const std::vector<NamedNumber>& list, int number) {
  return std::any_of(list.begin(), list.end(),
                     [number](const NamedNumber& entry) { return entry.number == number; });
}

QString BookChoices::Item(const NamedNumber& entry) {
  return QStringLiteral("%1 - %2").arg(entry.number, 4).arg(entry.name);
}
