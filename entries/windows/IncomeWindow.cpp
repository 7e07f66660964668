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
#include "FontUnits.h"
#include "MaskedNumberEdit.h"
#include "Ui.h"

IncomeWindow::IncomeWindow(Database& db, AppState& state, Ui& ui, const Clock& clock,
                           QWidget* parent)
    : EntryWindow(db, state, ui, clock, {QStringLiteral("Income"), QStringLiteral("Income"), 510},
                  parent) {
  amountEdit->setExitHandler([this] { amountLeft(); });
  descriptionEdit = new QLineEdit(this);
  descriptionEdit->setObjectName(QStringLiteral("descriptionEdit"));
  descriptionEdit->setMaxLength(30);
  connect(saveButton, &QPushButton::clicked, this, [this] { guard([this] { saveClicked(); }); });
  connect(deleteButton, &QPushButton::clicked, this, [this] { deleteClicked(); });
  layOut();
}

void IncomeWindow::layOut() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(8);
  grid->addWidget(label(tr("Date:")), 0, 0);
  grid->addWidget(dateEdit, 0, 1);
  grid->addWidget(label(tr("Amount:")), 1, 0);
  grid->addWidget(amountEdit, 1, 1);
  grid->addWidget(includesTaxCheck, 1, 2);
  grid->addWidget(taxLabel, 2, 0);
  grid->addWidget(taxEdit, 2, 1);
  grid->addWidget(label(tr("Description:")), 3, 0);
  grid->addWidget(descriptionEdit, 3, 1, 1, 2);
  grid->addWidget(label(tr("Account:")), 4, 0);
  grid->addWidget(accountBox, 4, 1, 1, 2);
  grid->addWidget(label(tr("Folder:")), 5, 0);
  grid->addWidget(folderBox, 5, 1, 1, 2);
  grid->setColumnStretch(2, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {saveButton, deleteButton, cancelButton, helpButton}) {
    buttons->addWidget(button);
  }
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(16, 16, 16, 12);
  page->addLayout(grid);
  page->addStretch();
  page->addLayout(buttons);

  FontUnits::FixSize(*this, {427, 269});
  chainTabOrder({dateEdit, amountEdit, includesTaxCheck, taxEdit, descriptionEdit, accountBox,
                 folderBox, saveButton, deleteButton, cancelButton, helpButton});
}

void IncomeWindow::prepare() {
  showTaxName();
  saveButton->setEnabled(true);
  IncomeRecord& record = db_.incRecord();
  const double rate = db_.settingsRecord().GSTRate;
  if (state_.SelectedIncome != 0) {
    d4go(db_.inc().data, state_.SelectedIncome);
    db_.ReadInc();
    deleteButton->setVisible(true);
  } else {
    record = IncomeRecord{};
    record.IncDate = clock_.today();
    record.FolNo = state_.DefaultFolder;
    record.lGstI = rate > 0;
    deleteButton->setVisible(false);
  }
  // A record without a date (none is ever saved so) is offered today's.
  dateEdit->setDate(record.IncDate.isValid() ? record.IncDate : clock_.today());
  amountEdit->setValue(record.IncAmt);
  taxEdit->setValue(record.GstI);
  includesTaxCheck->setChecked(record.lGstI);  // a change of state computes the tax
  descriptionEdit->setText(record.IncDesc.trimmed());
  fillBoxes(true, record.IncAcc, record.FolNo,
            QStringLiteral("Income Accounts must be defined before entering Income Records"),
            QStringLiteral("Folders must be defined before entering Income Records"));
}

void IncomeWindow::amountLeft() { recomputeTaxIfChanged(db_.incRecord().IncAmt); }

void IncomeWindow::saveClicked() {
  // The imported flag is kept as read (false for a new record).
  IncomeRecord values = db_.incRecord();
  const bool adding = state_.SelectedIncome <= 0;
  values.IncDate = dateEdit->readDate();  // a date it cannot read is refused, naming it
  QString field;                          // the one being read, named when it cannot be
  try {
    field = tr("Account");
    values.IncAcc = accountBox->Number();
    field = tr("Amount");
    values.IncAmt = amountEdit->value();
    values.IncDesc = descriptionEdit->text().trimmed();
    field = tr("Folder");
    values.FolNo = folderBox->Number();
    values.Archive = false;
    field = taxLabel->text().chopped(1);
    values.GstI = taxEdit->value();
    values.lGstI = includesTaxCheck->isChecked();
    if (!zeroAmountConfirmed(values.IncAmt, QStringLiteral("income record"))) return;
    // A number too wide for its field is refused before anything is written: the amount,
    // or the tax it carries.
    field = tr("Amount");
    if (adding) {
      if (db_.AppendInc(values) == Database::kNotAppended) return appendFailed();
    } else {
      db_.incRecord() = values;
      db_.WriteInc();
    }
  } catch (const ConversionError&) {
    return conversionFailed(field);
  }
  if (adding) {
    if (ui_.message(Ui::Type::Confirmation, Ui::Buttons::YesNo,
                    QStringLiteral("Add another income record?")) == Ui::Answer::Yes) {
      db_.incRecord().IncAmt = 0;
      amountEdit->setValue(0);
      descriptionEdit->setText(values.IncDesc);
      dateEdit->setFocus();
      return;
    }
  }
  state_.SelectedIncome = static_cast<int>(d4recNo(db_.inc().data));
  accept();
}

void IncomeWindow::deleteClicked() { deleteAndPack(true, state_.SelectedIncome); }
