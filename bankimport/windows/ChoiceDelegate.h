// Edits the preview's kind, account and folder cells in a drop-down list: the kinds, the
// accounts of the chart of the row's kind, or the folders, each item carrying its value.
#pragma once

#include <QStyledItemDelegate>

class PreviewModel;

class ChoiceDelegate : public QStyledItemDelegate {
 public:
  ChoiceDelegate(const PreviewModel& model, QObject* parent)
      : QStyledItemDelegate(parent), model_(model) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 private:
  const PreviewModel& model_;
};
