// The preview's grid: one row per statement line of the plan, showing what the line will
// become and letting the user change it. Skip and includes-tax are check boxes; kind,
// account and folder take the number (or EntryKind) as the edit value and show names.
#pragma once

#include <QAbstractTableModel>

#include "BookChoices.h"
#include "ImportPlan.h"

class PreviewModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { Skip, Date, Description, Amount, Kind, Account, Folder, IncludesTax, Tax, Status };
  static constexpr int kColumns = Status + 1;

  // plan and choices must outlive the model; rate: the settings' tax rate.
  PreviewModel(ImportPlan& plan, const BookChoices& choices, double rate, QObject* parent = nullptr)
      : QAbstractTableModel(parent), plan_(plan), choices_(choices), rate_(rate) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The plan changed as a whole (rules applied again): every row shows it anew.
  void refresh();
  const BookChoices& choices() const { return choices_; }

 private:
  QString nameOf(const std::vector<NamedNumber>& list, int number) const;

  ImportPlan& plan_;
  const BookChoices& choices_;
  double rate_;
};
