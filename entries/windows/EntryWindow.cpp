#include "EntryWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "AppState.h"
#include "CodeBox.h"
#include "ContainedTax.h"
#include "Database.h"
#include "DatePicker.h"
#include "Guarded.h"
#include "HelpButton.h"
#include "MaskedNumberEdit.h"
#include "NumberText.h"
#include "TableDefinitions.h"
#include "Ui.h"
#include "WindowKeys.h"

namespace {

const char kMoneyFormat[] = "%9.2f";

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
  auto* created = new QPushButton(caption, parent);
  created->setObjectName(name);
  return created;
}

}  // namespace

EntryWindow::EntryWindow(Database& db, AppState& state, Ui& ui, const Clock& clock,
                         const Names& names, QWidget* parent)
    : QDialog(parent), db_(db), state_(state), ui_(ui), clock_(clock) {
  setObjectName(names.form);
  setWindowTitle(names.caption);

  amountEdit = new MaskedNumberEdit(ui, kMoneyFormat, this);
  amountEdit->setObjectName(QStringLiteral("amountEdit"));
  amountEdit->setFieldName(tr("Amount"));
  taxEdit = new MaskedNumberEdit(ui, kMoneyFormat, this);
  taxEdit->setObjectName(QStringLiteral("taxEdit"));
  for (MaskedNumberEdit* edit : {amountEdit, taxEdit}) {
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-999999.99")) + 16);
  }
  // Leaving the tax amount only re-formats it (the edit does that): a typed tax stands.
  taxLabel = label(QString());
  taxLabel->setObjectName(QStringLiteral("taxLabel"));
  includesTaxCheck = new QCheckBox(this);
  includesTaxCheck->setObjectName(QStringLiteral("includesTaxCheck"));
  // toggled, unlike clicked, also fires when a showing changes the box's state.
  connect(includesTaxCheck, &QCheckBox::toggled, this,
          [this] { guard([this] { includesTaxChanged(); }); });

  accountBox = new CodeBox(this);
  accountBox->setObjectName(QStringLiteral("accountBox"));
  folderBox = new CodeBox(this);
  folderBox->setObjectName(QStringLiteral("folderBox"));
  dateEdit = new DatePicker(ui, tr("Date"), this);
  dateEdit->setObjectName(QStringLiteral("dateEdit"));

  saveButton = button(QStringLiteral("saveButton"), tr("Save"), this);
  deleteButton = button(QStringLiteral("deleteButton"), tr("Delete"), this);
  cancelButton = button(QStringLiteral("cancelButton"), tr("Cancel"), this);
  helpButton = new HelpButton(ui, names.helpContext, this);
  connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
  WindowKeys::Install(*this, &ui);
}

void EntryWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) guard([this] { prepare(); });
}

void EntryWindow::includesTaxChanged() {
  const double rate = db_.settingsRecord().GSTRate;
  if (!(rate > 0)) return;
  taxEdit->setValue(includesTaxCheck->isChecked() ? ContainedTax(rate, amountEdit->value()) : 0.0);
}

void EntryWindow::showTaxName() {
  const QString name = db_.settingsRecord().GSTString.trimmed();
  includesTaxCheck->setText(QStringLiteral("Includes ") + name);
  taxLabel->setText(name + QStringLiteral(" Amount:"));
  taxEdit->setFieldName(name + QStringLiteral(" Amount"));
}

void EntryWindow::recomputeTaxIfChanged(double& current) {
  const double value = amountEdit->value();
  if (value != current) includesTaxChanged();
  current = value;
}

void EntryWindow::fillBoxes(bool incomeChart, int account, int folder,
                            const QString& accountsMissing, const QString& foldersMissing) {
  AccountTable& chart = incomeChart ? db_.accI() : db_.acc();
  if (!accountBox->Fill(chart.data, chart.AccNo, chart.AcDesc, account)) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok, accountsMissing);
    saveButton->setEnabled(false);
  }
  FolderTable& folders = db_.folder();
  if (!folderBox->Fill(folders.data, folders.FolNo, folders.FolName, folder)) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok, foldersMissing);
    saveButton->setEnabled(false);
  }
}

void EntryWindow::deleteAndPack(bool income, int& handOver) {
  if (ui_.message(Ui::Type::Confirmation, Ui::Buttons::YesNoDefaultNo,
                  income ? QStringLiteral("Delete this income record?")
                         : QStringLiteral("Delete this expense record?")) != Ui::Answer::Yes) {
    return;
  }
  DATA4* table = income ? db_.inc().data : db_.exp().data;
  d4delete(table);
  error4exitTest(db_.code(), db_.host());
  handOver = 0;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  d4close(db_.code(), table);
  db_.PackTable(income ? tables::kIncome : tables::kExpenses);
  income ? db_.OpenInc() : db_.OpenExp();
  QApplication::restoreOverrideCursor();
  error4exitTest(db_.code(), db_.host());
  accept();
}

bool EntryWindow::zeroAmountConfirmed(double amount, const QString& recordName) {
  if (amount != 0) return true;
  return ui_.message(Ui::Type::Confirmation, Ui::Buttons::YesNoDefaultNo,
                     QStringLiteral("The amount is 0.00.\r\n\r\nSave this ") + recordName +
                         QStringLiteral(" with no amount?")) == Ui::Answer::Yes;
}

void EntryWindow::conversionFailed(const QString& field) {
  ui_.message(Ui::Type::Warning, Ui::Buttons::Ok,
              QStringLiteral("Data Conversion Error in ") + field +
                  QStringLiteral(". Please check values and try again"));
}

void EntryWindow::appendFailed() {
  ui_.message(Ui::Type::Warning, Ui::Buttons::Ok, db_.AppendRefusedMessage());
}

void EntryWindow::chainTabOrder(std::initializer_list<QWidget*> widgets) {
  for (auto it = widgets.begin(); it + 1 < widgets.end(); ++it) setTabOrder(it[0], it[1]);
}

QLabel* EntryWindow::label(const QString& text) {
  auto* created = new QLabel(text, this);
  created->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return created;
}

void EntryWindow::guard(const std::function<void()>& handler) { runGuarded(ui_, handler); }
