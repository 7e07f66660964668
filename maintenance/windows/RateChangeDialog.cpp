#include "RateChangeDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Clock.h"
#include "ConversionError.h"
#include "Database.h"
#include "DatePicker.h"
#include "Guarded.h"
#include "HelpButton.h"
#include "MaskedNumberEdit.h"
#include "RateChanger.h"
#include "Ui.h"
#include "xbase/Status.h"

namespace {

constexpr int kHelpContext = 540;
constexpr char kRateFormat[] = "%10.4f";

QLabel* notice(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setAutoFillBackground(true);
  label->setMargin(6);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::white);
  label->setPalette(palette);
  return label;
}

}  // namespace

RateChangeDialog::RateChangeDialog(Database& db, Ui& ui, const Clock& clock, QWidget* parent)
    : QDialog(parent), db_(db), ui_(ui), clock_(clock) {
  setObjectName(QStringLiteral("RateChange"));
  setWindowTitle(QStringLiteral("Rate Change"));
  Label6 = notice(QStringLiteral("This option is provided to update rate based expenses in the "
                                 "event of a retroactive change in the allowable rate (e.g., "
                                 "Distance based auto travel expenses)."),
                  "Label6", this);
  Label7 = notice(QStringLiteral("The selected account must include only expenses that are "
                                 "based on the rate to be changed."),
                  "Label7", this);
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  MaskEdit1 = new MaskedNumberEdit(ui_, kRateFormat, this);
  MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
  MaskEdit2 = new MaskedNumberEdit(ui_, kRateFormat, this);
  MaskEdit2->setObjectName(QStringLiteral("MaskEdit2"));
  for (MaskedNumberEdit* edit : {MaskEdit1, MaskEdit2}) {
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12 + 12);
  }
  DateTimePicker1 = new DatePicker(this);
  DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
  DateTimePicker2 = new DatePicker(this);
  DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
  BtnApply = new QPushButton(QStringLiteral("Apply"), this);
  BtnApply->setObjectName(QStringLiteral("BtnApply"));
  BtnApply->setDefault(true);
  BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BitBtn1 = new HelpButton(ui_, kHelpContext, this);
  connect(BtnApply, &QPushButton::clicked, this, guarded(ui_, [this] { BtnApplyClick(); }));
  connect(BtnCancel, &QPushButton::clicked, this, &RateChangeDialog::BtnCancelClick);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Apply to Account:"), ComboBox1);
  form->addRow(QStringLiteral("Old Expense Rate:"), MaskEdit1);
  form->addRow(QStringLiteral("New Expense Rate:"), MaskEdit2);
  form->addRow(QStringLiteral("Apply to Expenses Dated from:"), DateTimePicker1);
  form->addRow(QStringLiteral("Through:"), DateTimePicker2);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnApply);
  buttons->addWidget(BtnCancel);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label6);
  layout->addWidget(Label7);
  layout->addSpacing(6);
  layout->addLayout(form);
  layout->addStretch();
  layout->addLayout(buttons);
  setTabOrder(ComboBox1, MaskEdit1);
  setTabOrder(MaskEdit1, MaskEdit2);
  setTabOrder(MaskEdit2, DateTimePicker1);
  setTabOrder(DateTimePicker1, DateTimePicker2);
  setTabOrder(DateTimePicker2, BtnApply);
  setTabOrder(BtnApply, BtnCancel);
  setTabOrder(BtnCancel, BitBtn1);
  resize(427, 311);
}

void RateChangeDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void RateChangeDialog::FormShow() {
  BtnApply->setEnabled(true);
  ComboBox1->clear();
  AccountTable& acc = db_.acc();
  d4tagSelectP(acc.data, acc.AccTag);
  int rc = d4top(acc.data);
  if (rc != xbase::kSuccess) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Expense Accounts must be defined before entering Expense Records"));
    BtnApply->setEnabled(false);
  }
  for (; rc == xbase::kSuccess; rc = d4skip(acc.data, 1)) {
    // The number as the field stores it: four characters, right-aligned.
    ComboBox1->addItem(f4text(acc.AccNo) + QStringLiteral(" - ") + f4text(acc.AcDesc));
  }
  ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
  MaskEdit1->setValue(1);
  MaskEdit2->setText(MaskEdit1->text());
  const QDate today = clock_.today();
  DateTimePicker1->setDate(QDate(today.year(), 1, 1));
  DateTimePicker2->setDate(today);
}

void RateChangeDialog::warn(const QString& text) {
  ui_.message(Ui::Type::Warning, Ui::Buttons::Ok, text);
}

void RateChangeDialog::BtnApplyClick() {
  RateChangeRequest request;
  bool accountRead = false;
  try {
    request.oldRate = MaskEdit1->value();
    request.newRate = MaskEdit2->value();
    request.account = ComboBox1->currentText().left(4).trimmed().toInt(&accountRead);
  } catch (const ConversionError&) {
    accountRead = false;
  }
  if (!accountRead) {
    warn(QStringLiteral("Data Conversion Error. Please check values and try again"));
    return;
  }
  request.first = DateTimePicker1->date();
  request.last = DateTimePicker2->date();
  const RateChanger::Result result = RateChanger(db_).Apply(request);
  if (!result.message.isEmpty()) warn(result.message);
  // A failed write has changed some amounts already: applying again would change them twice.
  if (result.outcome == RateChanger::Outcome::Applied ||
      result.outcome == RateChanger::Outcome::WriteFailed) {
    accept();
  }
}

void RateChangeDialog::BtnCancelClick() { reject(); }
