#include "RuleEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "ImportPlan.h"
#include "StatementText.h"
#include "Ui.h"

namespace {

QString amountText(const std::optional<double>& value) {
  return value ? QString::number(*value, 'f', 2) : QString();
}

}  // namespace

RuleEditor::RuleEditor(Ui& ui, QWidget* parent) : QDialog(parent), ui_(ui) {
  setObjectName(QStringLiteral("bankRuleEditor"));
  setWindowTitle(tr("Bank Import Rule"));
  auto* form = new QFormLayout(this);
  patternEdit = new QLineEdit(this);
  patternEdit->setObjectName(QStringLiteral("patternEdit"));
  regexCheck = new QCheckBox(tr("Regular expression"), this);
  regexCheck->setObjectName(QStringLiteral("regexCheck"));
  minAmountEdit = new QLineEdit(this);
  minAmountEdit->setObjectName(QStringLiteral("minAmountEdit"));
  maxAmountEdit = new QLineEdit(this);
  maxAmountEdit->setObjectName(QStringLiteral("maxAmountEdit"));
  kindBox = new QComboBox(this);
  kindBox->setObjectName(QStringLiteral("kindBox"));
  for (EntryKind kind : {EntryKind::Expense, EntryKind::Income, EntryKind::Ignore})
    kindBox->addItem(KindText(kind), static_cast<int>(kind));
  accountBox = new QComboBox(this);
  accountBox->setObjectName(QStringLiteral("accountBox"));
  folderBox = new QComboBox(this);
  folderBox->setObjectName(QStringLiteral("folderBox"));
  includesTaxCheck = new QCheckBox(tr("Amount includes tax"), this);
  includesTaxCheck->setObjectName(QStringLiteral("includesTaxCheck"));
  auto* range = new QHBoxLayout;
  range->addWidget(minAmountEdit);
  range->addWidget(maxAmountEdit);
  form->addRow(tr("Description contains:"), patternEdit);
  form->addRow(QString(), regexCheck);
  form->addRow(tr("Amount from / to:"), range);
  form->addRow(tr("Becomes:"), kindBox);
  form->addRow(tr("Account:"), accountBox);
  form->addRow(tr("Folder:"), folderBox);
  form->addRow(QString(), includesTaxCheck);
  okButton = new QPushButton(tr("OK"), this);
  okButton->setObjectName(QStringLiteral("okButton"));
  cancelButton = new QPushButton(tr("Cancel"), this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  form->addRow(buttons);
  connect(okButton, &QPushButton::clicked, this, &RuleEditor::okClicked);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(kindBox, &QComboBox::currentIndexChanged, this, [this] { fillAccounts(0); });
}

void RuleEditor::fillAccounts(int account) {
  if (choices_ == nullptr) return;
  accountBox->clear();
  const auto kind = static_cast<EntryKind>(kindBox->currentData().toInt());
  for (const NamedNumber& entry : choices_->accountsFor(kind))
    accountBox->addItem(BookChoices::Item(entry), entry.number);
  accountBox->setCurrentIndex(std::max(0, accountBox->findData(account)));
  accountBox->setEnabled(kind != EntryKind::Ignore);
  folderBox->setEnabled(kind != EntryKind::Ignore);
  includesTaxCheck->setEnabled(kind != EntryKind::Ignore);
}

bool RuleEditor::edit(BankRule& rule, const BookChoices& choices) {
  choices_ = &choices;
  patternEdit->setText(rule.pattern);
  regexCheck->setChecked(rule.regex);
  minAmountEdit->setText(amountText(rule.minAmount));
  maxAmountEdit->setText(amountText(rule.maxAmount));
  {
    const QSignalBlocker quiet(kindBox);
    kindBox->setCurrentIndex(kindBox->findData(static_cast<int>(rule.kind)));
  }
  fillAccounts(rule.account);
  folderBox->clear();
  for (const NamedNumber& entry : choices.folders)
    folderBox->addItem(BookChoices::Item(entry), entry.number);
  folderBox->setCurrentIndex(std::max(0, folderBox->findData(rule.folder)));
  includesTaxCheck->setChecked(rule.includesTax);
  patternEdit->setFocus();
  if (ui_.showModal(*this) != QDialog::Accepted) return false;
  QString problem;
  rule = ruleShown(&problem);
  return true;
}

BankRule RuleEditor::ruleShown(QString* problem) const {
  BankRule rule;
  rule.pattern = patternEdit->text().trimmed();
  rule.regex = regexCheck->isChecked();
  rule.kind = static_cast<EntryKind>(kindBox->currentData().toInt());
  rule.account = rule.kind == EntryKind::Ignore ? 0 : accountBox->currentData().toInt();
  rule.folder = rule.kind == EntryKind::Ignore ? 0 : folderBox->currentData().toInt();
  rule.includesTax = includesTaxCheck->isChecked();
  for (auto [edit, bound] :
       {std::pair{minAmountEdit, &rule.minAmount}, std::pair{maxAmountEdit, &rule.maxAmount}}) {
    if (edit->text().trimmed().isEmpty()) continue;
    const auto value = StatementText::Amount(edit->text());
    if (!value || *value < 0) {
      *problem = QStringLiteral("'%1' is not an amount of 0 or more.").arg(edit->text().trimmed());
      return rule;
    }
    *bound = *value;
  }
  *problem = rule.problem();
  return rule;
}

void RuleEditor::okClicked() {
  QString problem;
  ruleShown(&problem);
  if (!problem.isEmpty()) {
    ui_.message(Prompts::Type::Warning, Prompts::Buttons::Ok, problem);
    return;
  }
  accept();
}
