#include "ColumnMapping.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace {

QSpinBox* columnSpin(QWidget* parent, const char* name) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(0, 99);
  spin->setSpecialValueText(QStringLiteral("-"));  // 0: the statement has no such column
  return spin;
}

}  // namespace

ColumnMapping::ColumnMapping(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("columnMapping"));
  dateSpin = columnSpin(this, "dateSpin");
  descriptionSpin = columnSpin(this, "descriptionSpin");
  amountSpin = columnSpin(this, "amountSpin");
  paidOutSpin = columnSpin(this, "paidOutSpin");
  paidInSpin = columnSpin(this, "paidInSpin");
  headerCheck = new QCheckBox(tr("Header row"), this);
  headerCheck->setObjectName(QStringLiteral("headerCheck"));
  dateOrderBox = new QComboBox(this);
  dateOrderBox->setObjectName(QStringLiteral("dateOrderBox"));
  dateOrderBox->addItem(tr("Dates: detect"), static_cast<int>(DateOrder::Unknown));
  dateOrderBox->addItem(tr("Day first"), static_cast<int>(DateOrder::DayFirst));
  dateOrderBox->addItem(tr("Month first"), static_cast<int>(DateOrder::MonthFirst));
  dateOrderBox->addItem(tr("Year first"), static_cast<int>(DateOrder::YearFirst));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  const std::pair<QString, QSpinBox*> columns[] = {{tr("Date"), dateSpin},
                                                   {tr("Description"), descriptionSpin},
                                                   {tr("Amount"), amountSpin},
                                                   {tr("Paid out"), paidOutSpin},
                                                   {tr("Paid in"), paidInSpin}};
  for (const auto& [caption, spin] : columns) {
    row->addWidget(new QLabel(caption + QLatin1Char(':'), this));
    row->addWidget(spin);
  }
  row->addWidget(headerCheck);
  row->addWidget(dateOrderBox);
}

void ColumnMapping::showProfile(const CsvProfile& p) {
  dateSpin->setValue(p.dateColumn);
  descriptionSpin->setValue(p.descriptionColumn);
  amountSpin->setValue(p.amountColumn);
  paidOutSpin->setValue(p.debitColumn);
  paidInSpin->setValue(p.creditColumn);
  headerCheck->setChecked(p.header);
  dateOrderBox->setCurrentIndex(std::max(0, dateOrderBox->findData(static_cast<int>(p.dateOrder))));
}

CsvProfile ColumnMapping::profile(CsvProfile p) const {
  p.dateColumn = dateSpin->value();
  p.descriptionColumn = descriptionSpin->value();
  p.amountColumn = amountSpin->value();
  p.debitColumn = paidOutSpin->value();
  p.creditColumn = paidInSpin->value();
  p.header = headerCheck->isChecked();
  p.dateOrder = static_cast<DateOrder>(dateOrderBox->currentData().toInt());
  return p;
}
