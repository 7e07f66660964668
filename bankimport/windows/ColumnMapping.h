// The columns of a CSV statement as the user sees and changes them: which column holds
// the date, the description, the amount or the paid-out and paid-in amounts, whether a
// header row comes first and how the dates are written.
#pragma once

#include <QWidget>

#include "CsvProfile.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

class ColumnMapping : public QWidget {
  Q_OBJECT

 public:
  explicit ColumnMapping(QWidget* parent = nullptr);

  void showProfile(const CsvProfile& profile);
  // base with the columns, header and date order shown.
  CsvProfile profile(CsvProfile base) const;

  QSpinBox* dateSpin;
  QSpinBox* descriptionSpin;
  QSpinBox* amountSpin;
  QSpinBox* paidOutSpin;
  QSpinBox* paidInSpin;
  QCheckBox* headerCheck;
  QComboBox* dateOrderBox;
};
