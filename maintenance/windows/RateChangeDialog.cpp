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
#include "FontUnits.h"
#include "Guarded.h"
#include "HelpButton.h"
#include "MaskedNumberEdit.h"
#include "RateChanger.h"
#include "TableWalk.h"
#include "Ui.h"
#include "WindowKeys.h"
#include "xbase/Status.h"

namespace {

constexpr int kHelpContext = 540;
constexpr char kRateFormat[] = "%10.4f";

QLabel* notice(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
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
  QLabel* purposeNotice =
      notice(QStringLiteral("This option is provided to update rate based expenses in the "
                            "event of a retroactive change in the allowable rate (e.g., "
                            "Distance based auto travel expenses)."),
             this);
  QLabel* accountNotice =
      notice(QStringLiteral("The selected account must include only expenses that are "
                            "based on the rate to be changed."),
             this);
  accountBox = new QComboBox(this);
  accountBox->setObjectName(QStringLiteral("accountBox"));
  FontUnits::UseFixedPitch(*accountBox);
  oldRateEdit = new MaskedNumberEdit(ui_, kRateFormat, this);
  oldRateEdit->setObjectName(QStringLiteral("oldRateEdit"));
  oldRateEdit->setFieldName(QStringLiteral("Old Expense Rate"));
  newRateEdit = new MaskedNumberEdit(ui_, kRateFormat, this);
  newRateEdit->setObjectName(QStringLiteral("newRateEdit"));
  newRateEdit->setFieldName(QStringLiteral("New Expense Rate"));
  for (MaskedNumberEdit* edit : {oldRateEdit, newRateEdit}) {
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12 + 12);
  }
  fromDateEdit = new DatePicker(ui_, QStringLiteral("Apply to Expenses Dated from"), this);
  fromDateEdit->setObjectName(QStringLiteral("fromDateEdit"));
  throughDateEdit = new DatePicker(ui_, QStringLiteral("Through"), this);
  throughDateEdit->setObjectName(QStringLiteral("throughDateEdit"));
  applyButton = new QPushButton(QStringLiteral("Apply"), this);
  applyButton->setObjectName(QStringLiteral("applyButton"));
  cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  helpButton = new HelpButton(ui_, kHelpContext, this);
  connect(applyButton, &QPushButton::clicked, this, guarded(ui_, [this] { applyClicked(); }));
  connect(cancelButton, &QPushButton::clicked, this, &RateChangeDialog::cancelClicked);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Apply to Account:"), accountBox);
  form->addRow(QStringLiteral("Old Expense Rate:"), oldRateEdit);
  form->addRow(QStringLiteral("New Expense Rate:"), newRateEdit);
  form->addRow(QStringLiteral("Apply to Expenses Dated from:"), fromDateEdit);
  form->addRow(QStringLiteral("Through:"), throughDateEdit);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(applyButton);
  buttons->addWidget(cancelButton);
  buttons->addStretch();
  buttons->addWidget(helpButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(purposeNotice);
  layout->addWidget(accountNotice);
  layout->addSpacing(6);
  layout->addLayout(form);
  layout->addStretch();
  layout->addLayout(buttons);
  setTabOrder(accountBox, oldRateEdit);
  setTabOrder(oldRateEdit, newRateEdit);
  setTabOrder(newRateEdit, fromDateEdit);
  setTabOrder(fromDateEdit, throughDateEdit);
  setTabOrder(throughDateEdit, applyButton);
  setTabOrder(applyButton, cancelButton);
  setTabOrder(cancelButton, helpButton);
  resize(427, 311);
  WindowKeys::Install(*this, &ui_);
}

void RateChangeDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  prepare();
}

void RateChangeDialog::prepare() {
  applyButton->setEnabled(true);
  accountBox->clear();
  AccountTable& acc = db_.acc();
  d4tagSelectP(acc.data, acc.AccTag);
  const int top = d4top(acc.data);
  if (top != xbase::kSuccess) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Expense Accounts must be defined before entering Expense Records"));
    applyButton->setEnabled(false);
  }
  WalkFrom(acc.data, top, [&] {
    // The number as the field stores it: four characters, right-aligned.
    accountBox->addItem(f4text(acc.AccNo) + QStringLiteral(" - ") + f4text(acc.AcDesc));
  });
  accountBox->setCurrentIndex(accountBox->count() > 0 ? 0 : -1);
  oldRateEdit->setValue(1);
  newRateEdit->setText(oldRateEdit->text());
  const QDate today = clock_.today();
  fromDateEdit->setDate(QDate(today.year(), 1, 1));
  throughDateEdit->setDate(today);
}

void RateChangeDialog::warn(const QString& text) {
  ui_.message(Ui::Type::Warning, Ui::Buttons::Ok, text);
}

void RateChangeDialog::applyClicked() {
  if (!DatePicker::ReadRange(*fromDateEdit, *throughDateEdit, ui_)) return;
  RateChangeRequest request;
  QString field;  // the one being read, named when it cannot be
  bool accountRead = false;
  try {
    field = QStringLiteral("Old Expense Rate");
    request.oldRate = oldRateEdit->value();
    field = QStringLiteral("New Expense Rate");
    request.newRate = newRateEdit->value();
    field = QStringLiteral("Apply to Account");
    request.account = accountBox->currentText().left(4).trimmed().toInt(&accountRead);
  } catch (const ConversionError&) {
    accountRead = false;
  }
  if (!accountRead) {
    warn(QStringLiteral("Data Conversion Error in ") + field +
         QStringLiteral(". Please check values and try again"));
    return;
  }
  request.first = fromDateEdit->date();
  request.last = throughDateEdit->date();
  const RateChanger::Result result = RateChanger(db_).Apply(request);
  if (result.outcome == RateChanger::Outcome::Applied) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok, result.message);
  } else {
    warn(result.message);
  }
  // A failed write has changed some amounts already: applying again would change them twice.
  if (result.outcome == RateChanger::Outcome::Applied ||
      result.outcome == RateChanger::Outcome::WriteFailed) {
    accept();
  }
}

void RateChangeDialog::cancelClicked() { reject(); }
