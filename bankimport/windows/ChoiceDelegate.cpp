#include "ChoiceDelegate.h"

#include <QComboBox>

#include "PreviewModel.h"

QWidget* ChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex& index) const {
  auto* box = new QComboBox(parent);
  const BookChoices& choices = model_.choices();
  if (index.column() == PreviewModel::Kind) {
    for (EntryKind kind : {EntryKind::Expense, EntryKind::Income, EntryKind::Ignore})
      box->addItem(KindText(kind), static_cast<int>(kind));
    return box;
  }
  const auto kind =
      static_cast<EntryKind>(index.siblingAtColumn(PreviewModel::Kind).data(Qt::EditRole).toInt());
  const std::vector<NamedNumber>& list =
      index.column() == PreviewModel::Folder ? choices.folders : choices.accountsFor(kind);
  for (const NamedNumber& entry : list) box->addItem(BookChoices::Item(entry), entry.number);
  return box;
}

void ChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* box = static_cast<QComboBox*>(editor);
  box->setCurrentIndex(std::max(0, box->findData(index.data(Qt::EditRole))));
}

void ChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
  auto* box = static_cast<QComboBox*>(editor);
  if (box->currentIndex() >= 0) model->setData(index, box->currentData(), Qt::EditRole);
}
