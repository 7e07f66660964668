#include "ImportPlan.h"

PlannedLine::Status PlannedLine::status() const {
  if (toImport()) return Status::New;
  return inBooks ? Status::InBooks : Status::Ignored;
}

QString KindText(EntryKind kind) {
  switch (kind) {
    case EntryKind::Expense:
      return QStringLiteral("Expense");
    case EntryKind::Income:
      return QStringLiteral("Income");
    case EntryKind::Ignore:
      break;
  }
  return QStringLiteral("Ignore");
}

QString StatusText(PlannedLine::Status status) {
  switch (status) {
    case PlannedLine::Status::New:
      return QStringLiteral("new");
    case PlannedLine::Status::InBooks:
      return QStringLiteral("already in the books");
    case PlannedLine::Status::Ignored:
      break;
  }
  return QStringLiteral("ignored");
}
