#include "IncomeWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "AppState.h"
#include "Clock.h"
#include "CodeBox.h"
#include "ConversionError.h"
#include "Database.h"
#include "DatePicker.h"
#include "MaskedNumberEdit.h"
#include "Ui.h"

IncomeWindow::IncomeWindow(Database& db, AppState& state, Ui& ui, const Clock& clock, QWidget* parent)
    : EntryWindow(db, state, ui, clock,
                  {QStringLiteral("Income"), QStringLiteral("Income"), QStringLiteral("MaskEdit2"),
                   QStringLiteral("MaskEdit3"), QStringLiteral("Label6"), 510},
                  parent),
      MaskEdit2(amount_),
      MaskEdit3(tax_),
      Label6(taxLabel_) {
  MaskEdit2->setExitHandler([this] { MaskEdit2Exit(); });
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setMaxLength(30);
  connect(BtnSave, &QPushButton::clicked, this, [this] { guard([this] { BtnSaveClick(); }); });
  connect(BtnDelete, &QPushButton::clicked, this, [this] { BtnDeleteClick(); });
  layOut();
}

void IncomeWindow::layOut() {
  setFixedSize(427, 269);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(8);
  grid->addWidget(label(tr("Date:")), 0, 0);
  grid->addWidget(DateTimePicker1, 0, 1);
  grid->addWidget(label(tr("Amount:")), 1, 0);
  grid->addWidget(MaskEdit2, 1, 1);
  grid->addWidget(CheckBox1, 1, 2);
  grid->addWidget(Label6, 2, 0);
  grid->addWidget(MaskEdit3, 2, 1);
  grid->addWidget(label(tr("Description:")), 3, 0);
  grid->addWidget(Edit1, 3, 1, 1, 2);
  grid->addWidget(label(tr("Account:")), 4, 0);
  grid->addWidget(ComboBox1, 4, 1, 1, 2);
  grid->addWidget(label(tr("Folder")), 5, 0);
  grid->addWidget(ComboBox2, 5, 1, 1, 2);
  grid->setColumnStretch(2, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {BtnSave, BtnDelete, BtnCancel, helpButton}) buttons->addWidget(button);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(16, 16, 16, 12);
  page->addLayout(grid);
  page->addStretch();
  page->addLayout(buttons);

  chainTabOrder({MaskEdit2, CheckBox1, MaskEdit3, Edit1, ComboBox1, BtnSave, BtnDelete, BtnCancel,
                 ComboBox2, helpButton, DateTimePicker1});
}

void IncomeWindow::FormShow() {
  showTaxName();
  BtnSave->setEnabled(true);
  IncomeRecord& record = db_.incRecord();
  const double rate = db_.settingsRecord().GSTRate;
  if (state_.SelectedIncome != 0) {
    d4go(db_.inc().data, state_.SelectedIncome);
    db_.ReadInc();
    BtnDelete->setVisible(true);
  } else {
    record = IncomeRecord{};
    record.IncDate = clock_.today();
    record.FolNo = state_.DefaultFolder;
    record.lGstI = rate > 0;
    BtnDelete->setVisible(false);
  }
  // A record without a date (none is ever saved so) is offered today's.
  DateTimePicker1->setDate(record.IncDate.isValid() ? record.IncDate : clock_.today());
  MaskEdit2->setValue(record.IncAmt);
  MaskEdit3->setValue(record.GstI);
  CheckBox1->setChecked(record.lGstI);  // a change of state computes the tax
  Edit1->setText(record.IncDesc.trimmed());
  fillBoxes(true, record.IncAcc, record.FolNo,
            QStringLiteral("Income Accounts must be defined before entering Income Records"),
            QStringLiteral("Folders must be defined before entering Income Records"));
  DateTimePicker1->setFocus();
}

void IncomeWindow::MaskEdit2Exit() { amountLeft(db_.incRecord().IncAmt); }

void IncomeWindow::BtnSaveClick() {
  // The imported flag is kept as read (false for a new record).
  IncomeRecord values = db_.incRecord();
  try {
    values.IncAcc = ComboBox1->Number();
    values.IncDate = DateTimePicker1->date();
    values.IncAmt = MaskEdit2->value();
    values.IncDesc = Edit1->text().trimmed();
    values.FolNo = ComboBox2->Number();
    values.Archive = false;
    values.GstI = MaskEdit3->value();
    values.lGstI = CheckBox1->isChecked();
  } catch (const ConversionError&) {
    return conversionFailed();
  }
  // A number too wide for its field is refused before a blank record is appended for it.
  const IncomeTable& table = db_.inc();
  if (!fits({{table.IncAcc, double(values.IncAcc)},
             {table.FolNo, double(values.FolNo)},
             {table.IncAmt, values.IncAmt},
             {table.GstI, values.GstI}})) {
    return conversionFailed();
  }
  if (state_.SelectedIncome <= 0) {
    if (d4appendBlank(db_.inc().data) != 0) return appendFailed();
    db_.incRecord() = values;
    db_.WriteInc();
    if (ui_.message(Ui::Type::Confirmation, Ui::Buttons::YesNo,
                    QStringLiteral("Add another income record?")) == Ui::Answer::Yes) {
      db_.incRecord().IncAmt = 0;
      MaskEdit2->setValue(0);
      Edit1->setText(values.IncDesc);
      DateTimePicker1->setFocus();
      return;
    }
  } else {
    db_.incRecord() = values;
    db_.WriteInc();
  }
  state_.SelectedIncome = static_cast<int>(d4recNo(db_.inc().data));
  accept();
}

void IncomeWindow::BtnDeleteClick() { deleteAndPack(true, state_.SelectedIncome); }
