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
#include "MaskedNumberEdit.h"
#include "NumberText.h"
#include "StrToInt.h"
#include "Ui.h"

ExpenseWindow::ExpenseWindow(Database& db, AppState& state, Ui& ui, const Clock& clock, QWidget* parent)
    : EntryWindow(
          db, state, ui, clock,
          {QStringLiteral("Expense"), QStringLiteral("Expense"), QStringLiteral("MaskEdit3"),
           QStringLiteral("MaskEdit4"), QStringLiteral("Label8"), 530},
          parent),
      MaskEdit3(amount_),
      MaskEdit4(tax_),
      Label8(taxLabel_) {
  MaskEdit1 = new ExitEdit(ui, this);
  MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
  MaskEdit1->setMaxLength(8);
  MaskEdit1->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^ *[0-9]* *$")), this));
  MaskEdit1->setExitHandler([this] { MaskEdit1Exit(); });
  MaskEdit3->setExitHandler([this] { MaskEdit3Exit(); });
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setMaxLength(30);
  Edit2 = new QLineEdit(this);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  Edit2->setMaxLength(30);
  connect(BtnSave, &QPushButton::clicked, this, [this] { guard([this] { BtnSaveClick(); }); });
  connect(BtnDelete, &QPushButton::clicked, this, [this] { BtnDeleteClick(); });
  layOut();
}

void ExpenseWindow::layOut() {
  setFixedSize(468, 314);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(8);
  grid->addWidget(label(tr("Date:")), 0, 0);
  grid->addWidget(DateTimePicker1, 0, 1);
  grid->addWidget(label(tr("Check No:")), 0, 2);
  grid->addWidget(MaskEdit1, 0, 3);
  grid->addWidget(label(tr("Amount:")), 1, 0);
  grid->addWidget(MaskEdit3, 1, 1);
  grid->addWidget(CheckBox1, 1, 2, 1, 2);
  grid->addWidget(Label8, 2, 0);
  grid->addWidget(MaskEdit4, 2, 1);
  grid->addWidget(label(tr("Pay to:")), 3, 0);
  grid->addWidget(Edit1, 3, 1, 1, 3);
  grid->addWidget(label(tr("Memo:")), 4, 0);
  grid->addWidget(Edit2, 4, 1, 1, 3);
  grid->addWidget(label(tr("Account:")), 5, 0);
  grid->addWidget(ComboBox1, 5, 1, 1, 3);
  grid->addWidget(label(tr("Folder:")), 6, 0);
  grid->addWidget(ComboBox2, 6, 1, 1, 3);
  grid->setColumnStretch(3, 1);
  MaskEdit1->setFixedWidth(MaskEdit3->width());
  MaskEdit1->setAlignment(Qt::AlignRight);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {BtnSave, BtnDelete, BtnCancel, helpButton}) buttons->addWidget(button);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(16, 16, 16, 12);
  page->addLayout(grid);
  page->addStretch();
  page->addLayout(buttons);

  chainTabOrder({MaskEdit1, MaskEdit3, CheckBox1, MaskEdit4, Edit1, Edit2, ComboBox1, ComboBox2,
                 BtnSave, BtnDelete, BtnCancel, helpButton, DateTimePicker1});
}

void ExpenseWindow::FormShow() {
  showTaxName();
  ExpenseRecord& record = db_.expRecord();
  const double rate = db_.settingsRecord().GSTRate;
  if (state_.SelectedExpense != 0) {
    d4go(db_.exp().data, state_.SelectedExpense);
    db_.ReadExp();
    BtnDelete->setVisible(true);
  } else {
    record = ExpenseRecord{};
    record.ExpDate = clock_.today();
    record.FolNo = state_.DefaultFolder;
    record.LGSTE = rate > 0;
    BtnDelete->setVisible(false);
  }
  MaskEdit1->setText(QString::number(record.CheckNo));
  // A record without a date (none is ever saved so) is offered today's.
  DateTimePicker1->setDate(record.ExpDate.isValid() ? record.ExpDate : clock_.today());
  MaskEdit3->setValue(record.Amount);
  MaskEdit4->setValue(record.GSTE);
  CheckBox1->setChecked(record.LGSTE);  // a change of state computes the tax
  Edit1->setText(record.PayTo.trimmed());
  Edit2->setText(record.EMemo.trimmed());
  BtnSave->setEnabled(true);
  fillBoxes(false, record.AccNo, record.FolNo,
            QStringLiteral("Expense Accounts must be defined before entering Expense Records"),
            QStringLiteral("Folders must be defined before entering Expense Records"));
  MaskEdit1->setFocus();
}

void ExpenseWindow::MaskEdit1Exit() {
  MaskEdit1->setText(Conversions::PadLeft(StrToInt(MaskEdit1->text()), 8));
}

void ExpenseWindow::MaskEdit3Exit() { amountLeft(db_.expRecord().Amount); }

void ExpenseWindow::BtnSaveClick() {
  ExpenseRecord values = db_.expRecord();
  try {
    values.CheckNo = StrToInt(MaskEdit1->text());
    values.ExpDate = DateTimePicker1->date();
    values.PayTo = Edit1->text().trimmed();
    values.Amount = MaskEdit3->value();
    values.EMemo = Edit2->text().trimmed();
    values.AccNo = ComboBox1->Number();
    values.FolNo = ComboBox2->Number();
    values.Archive = false;
    values.LGSTE = CheckBox1->isChecked();
    values.GSTE = MaskEdit4->value();
  } catch (const ConversionError&) {
    return conversionFailed();
  }
  // A number too wide for its field is refused before a blank record is appended for it.
  const ExpenseTable& table = db_.exp();
  if (!fits({{table.CheckNo, double(values.CheckNo)},
             {table.AccNo, double(values.AccNo)},
             {table.FolNo, double(values.FolNo)},
             {table.Amount, values.Amount},
             {table.GSTE, values.GSTE}})) {
    return conversionFailed();
  }
  if (state_.SelectedExpense <= 0) {
    if (d4appendBlank(db_.exp().data) != 0) return appendFailed();
    db_.expRecord() = values;
    db_.WriteExp();
    if (ui_.message(Ui::Type::Confirmation, Ui::Buttons::YesNo,
                    QStringLiteral("Add another expense record?")) == Ui::Answer::Yes) {
      db_.expRecord().CheckNo = 0;
      db_.expRecord().Amount = 0;
      MaskEdit1->setText(QStringLiteral("0"));
      MaskEdit3->setValue(0);
      Edit1->setText(values.PayTo);
      Edit2->setText(values.EMemo);
      MaskEdit1->setFocus();
      return;
    }
  } else {
    db_.expRecord() = values;
    db_.WriteExp();
  }
  state_.SelectedExpense = static_cast<int>(d4recNo(db_.exp().data));
  accept();
}

void ExpenseWindow::BtnDeleteClick() { deleteAndPack(false, state_.SelectedExpense); }
