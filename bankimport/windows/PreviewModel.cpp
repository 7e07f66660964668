#include "PreviewModel.h"

#include <QBrush>

#include "ContainedTax.h"

int PreviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(plan_.lines.size());
}

int PreviewModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QString PreviewModel::nameOf(const std::vector<NamedNumber>& list, int number) const {
  for (const NamedNumber& entry : list)
    if (entry.number == number) return BookChoices::Item(entry);
  return number == 0 ? QString() : QString::number(number);
}

QVariant PreviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const PlannedLine& line = plan_.lines[static_cast<std::size_t>(index.row())];
  const bool ignored = line.kind == EntryKind::Ignore;
  if (role == Qt::CheckStateRole) {
    if (index.column() == Skip) return line.skip ? Qt::Checked : Qt::Unchecked;
    if (index.column() == IncludesTax && !ignored)
      return line.includesTax ? Qt::Checked : Qt::Unchecked;
    return {};
  }
  if (role == Qt::TextAlignmentRole && (index.column() == Amount || index.column() == Tax))
    return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role == Qt::ForegroundRole && line.status() != PlannedLine::Status::New)
    return QBrush(Qt::gray);
  // What a line to import still lacks stands out until it is chosen.
  if (role == Qt::BackgroundRole && line.toImport() &&
      ((index.column() == Account && line.account == 0) ||
       (index.column() == Folder && line.folder == 0)))
    return QBrush(QColor(255, 214, 214));
  if (role == Qt::EditRole) {
    if (index.column() == Kind) return static_cast<int>(line.kind);
    if (index.column() == Account) return line.account;
    if (index.column() == Folder) return line.folder;
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const double money = line.kind == EntryKind::Expense ? -line.line.amount : line.line.amount;
  switch (index.column()) {
    case Date:
      return line.line.date.toString(Qt::ISODate);
    case Description:
      return line.line.description;
    case Amount:
      return QString::number(line.line.amount, 'f', 2);
    case Kind:
      return KindText(line.kind);
    case Account:
      return ignored ? QString() : nameOf(choices_.accountsFor(line.kind), line.account);
    case Folder:
      return ignored ? QString() : nameOf(choices_.folders, line.folder);
    case Tax:
      return line.includesTax && rate_ > 0 && !ignored
                 ? QString::number(ContainedTax(rate_, money), 'f', 2)
                 : QString();
    case Status:
      return StatusText(line.status());
    default:
      return {};
  }
}

bool PreviewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid()) return false;
  PlannedLine& line = plan_.lines[static_cast<std::size_t>(index.row())];
  const bool checked = value.toInt() == Qt::Checked;
  if (role == Qt::CheckStateRole && index.column() == Skip) {
    line.skip = checked;
  } else if (role == Qt::CheckStateRole && index.column() == IncludesTax) {
    line.includesTax = checked;
  } else if (role == Qt::EditRole && index.column() == Kind) {
    const auto kind = static_cast<EntryKind>(value.toInt());
    // An account of the other chart means nothing there.
    if (kind != line.kind) line.account = 0;
    line.kind = kind;
  } else if (role == Qt::EditRole && index.column() == Account) {
    line.account = value.toInt();
  } else if (role == Qt::EditRole && index.column() == Folder) {
    line.folder = value.toInt();
  } else {
    return false;
  }
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), kColumns - 1));
  return true;
}

Qt::ItemFlags PreviewModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == Skip || index.column() == IncludesTax) flags |= Qt::ItemIsUserCheckable;
  if (index.column() == Kind || index.column() == Account || index.column() == Folder)
    flags |= Qt::ItemIsEditable;
  return flags;
}

QVariant PreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical)
    return plan_.lines[static_cast<std::size_t>(section)].line.fileLine;
  static const char* const kHeaders[kColumns] = {"Skip", "Date",    "Description", "Amount",
                                                 "Kind", "Account", "Folder",      "Incl. Tax",
                                                 "Tax",  "Status"};
  return QString::fromLatin1(kHeaders[section]);
}

void PreviewModel::refresh() {
  if (plan_.lines.empty()) return;
  emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}
