#include "ExpenseWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "AppState.h"
#include "Clock.h"
#include "CodeBox.h"
#include "ConversionError.h"
#include "Conversions.h"
#include "Database.h"
#include "DatePicker.h"
#include "FontUnits.h"
#include "MaskedNumberEdit.h"
#include "NumberText.h"
#include "Ui.h"

ExpenseWindow::ExpenseWindow(Database& db, AppState& state, Ui& ui, const Clock& clock,
                             QWidget* parent)
    : EntryWindow(db, state, ui, clock, {QStringLiteral("Expense"), QStringLiteral("Expense"), 530},
                  parent) {
  chequeEdit = new ExitEdit(ui, this);
  chequeEdit->setObjectName(QStringLiteral("chequeEdit"));
  chequeEdit->setFieldName(tr("Check No"));
  chequeEdit->setMaxLength(8);
  chequeEdit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^ *[0-9]* *$")), this));
  chequeEdit->setExitHandler([this] { chequeLeft(); });
  amountEdit->setExitHandler([this] { amountLeft(); });
  payToEdit = new QLineEdit(this);
  payToEdit->setObjectName(QStringLiteral("payToEdit"));
  payToEdit->setMaxLength(30);
  memoEdit = new QLineEdit(this);
  memoEdit->setObjectName(QStringLiteral("memoEdit"));
  memoEdit->setMaxLength(30);
  connect(saveButton, &QPushButton::clicked, this, [this] { guard([this] { saveClicked(); }); });
  connect(deleteButton, &QPushButton::clicked, this, [this] { deleteClicked(); });
  layOut();
}

void ExpenseWindow::layOut() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(8);
  grid->addWidget(label(tr("Date:")), 0, 0);
  grid->addWidget(dateEdit, 0, 1);
  grid->addWidget(label(tr("Check No:")), 0, 2);
  grid->addWidget(chequeEdit, 0, 3);
  grid->addWidget(label(tr("Amount:")), 1, 0);
  grid->addWidget(amountEdit, 1, 1);
  grid->addWidget(includesTaxCheck, 1, 2, 1, 2);
  grid->addWidget(taxLabel, 2, 0);
  grid->addWidget(taxEdit, 2, 1);
  grid->addWidget(label(tr("Pay to:")), 3, 0);
  grid->addWidget(payToEdit, 3, 1, 1, 3);
  grid->addWidget(label(tr("Memo:")), 4, 0);
  grid->addWidget(memoEdit, 4, 1, 1, 3);
  grid->addWidget(label(tr("Account:")), 5, 0);
  grid->addWidget(accountBox, 5, 1, 1, 3);
  grid->addWidget(label(tr("Folder:")), 6, 0);
  grid->addWidget(folderBox, 6, 1, 1, 3);
  grid->setColumnStretch(3, 1);
  chequeEdit->setFixedWidth(amountEdit->width());
  chequeEdit->setAlignment(Qt::AlignRight);

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

  FontUnits::FixSize(*this, {468, 314});
  chainTabOrder({dateEdit, chequeEdit, amountEdit, includesTaxCheck, taxEdit, payToEdit, memoEdit,
                 accountBox, folderBox, saveButton, deleteButton, cancelButton, helpButton});
}

void ExpenseWindow::prepare() {
  showTaxName();
  ExpenseRecord& record = db_.expRecord();
  const double rate = db_.settingsRecord().GSTRate;
  if (state_.SelectedExpense != 0) {
    d4go(db_.exp().data, state_.SelectedExpense);
    db_.ReadExp();
    deleteButton->setVisible(true);
  } else {
    record = ExpenseRecord{};
    record.ExpDate = clock_.today();
    record.FolNo = state_.DefaultFolder;
    record.LGSTE = rate > 0;
    deleteButton->setVisible(false);
  }
  chequeEdit->setText(QString::number(record.CheckNo));
  // A record without a date (none is ever saved so) is offered today's.
  dateEdit->setDate(record.ExpDate.isValid() ? record.ExpDate : clock_.today());
  amountEdit->setValue(record.Amount);
  taxEdit->setValue(record.GSTE);
  includesTaxCheck->setChecked(record.LGSTE);  // a change of state computes the tax
  payToEdit->setText(record.PayTo.trimmed());
  memoEdit->setText(record.EMemo.trimmed());
  saveButton->setEnabled(true);
  fillBoxes(false, record.AccNo, record.FolNo,
            QStringLiteral("Expense Accounts must be defined before entering Expense Records"),
            QStringLiteral("Folders must be defined before entering Expense Records"));
}

int ExpenseWindow::chequeNumber() const {
  // No cheque number is cheque number 0.
  const QString text = chequeEdit->text().trimmed();
  return text.isEmpty() ? 0 : chequeEdit->intValue();
}

void ExpenseWindow::chequeLeft() { chequeEdit->setText(Conversions::PadLeft(chequeNumber(), 8)); }

void ExpenseWindow::amountLeft() { recomputeTaxIfChanged(db_.expRecord().Amount); }

void ExpenseWindow::saveClicked() {
  ExpenseRecord values = db_.expRecord();
  const bool adding = state_.SelectedExpense <= 0;
  values.ExpDate = dateEdit->readDate();  // a date it cannot read is refused, naming it
  QString field;                          // the one being read, named when it cannot be
  try {
    field = tr("Check No");
    values.CheckNo = chequeNumber();
    values.PayTo = payToEdit->text().trimmed();
    field = tr("Amount");
    values.Amount = amountEdit->value();
    values.EMemo = memoEdit->text().trimmed();
    field = tr("Account");
    values.AccNo = accountBox->Number();
    field = tr("Folder");
    values.FolNo = folderBox->Number();
    values.Archive = false;
    values.LGSTE = includesTaxCheck->isChecked();
    field = taxLabel->text().chopped(1);
    values.GSTE = taxEdit->value();
    if (!zeroAmountConfirmed(values.Amount, QStringLiteral("expense record"))) return;
    // A number too wide for its field is refused before anything is written: the amount,
    // or the tax it carries.
    field = tr("Amount");
    if (adding) {
      if (db_.AppendExp(values) == Database::kNotAppended) return appendFailed();
    } else {
      db_.expRecord() = values;
      db_.WriteExp();
    }
  } catch (const ConversionError&) {
    return conversionFailed(field);
  }
  if (adding) {
    if (ui_.message(Ui::Type::Confirmation, Ui::Buttons::YesNo,
                    QStringLiteral("Add another expense record?")) == Ui::Answer::Yes) {
      db_.expRecord().CheckNo = 0;
      db_.expRecord().Amount = 0;
      chequeEdit->setText(QStringLiteral("0"));
      amountEdit->setValue(0);
      payToEdit->setText(values.PayTo);
      memoEdit->setText(values.EMemo);
      chequeEdit->setFocus();
      return;
    }
  }
  state_.SelectedExpense = static_cast<int>(d4recNo(db_.exp().data));
  accept();
}

void ExpenseWindow::deleteClicked() { deleteAndPack(false, state_.SelectedExpense); }
