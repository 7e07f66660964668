#include "EntryWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "AppState.h"
#include "CodeBox.h"
#include "Database.h"
#include "DatePicker.h"
#include "Guarded.h"
#include "HelpButton.h"
#include "MaskedNumberEdit.h"
#include "NumberText.h"
#include "TableDefinitions.h"
#include "Ui.h"

namespace {

const char kMoneyFormat[] = "%9.2f";

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
  auto* created = new QPushButton(caption, parent);
  created->setObjectName(name);
  created->setAutoDefault(false);  // Enter in a field never saves by surprise
  return created;
}

}  // namespace

EntryWindow::EntryWindow(Database& db, AppState& state, Ui& ui, const Clock& clock,
                         const Names& names, QWidget* parent)
    : QDialog(parent),
      db_(db),
      state_(state),
      ui_(ui),
      clock_(clock) {
  setObjectName(names.form);
  setWindowTitle(names.caption);

  amount_ = new MaskedNumberEdit(ui, kMoneyFormat, this);
  amount_->setObjectName(names.amount);
  tax_ = new MaskedNumberEdit(ui, kMoneyFormat, this);
  tax_->setObjectName(names.tax);
  for (MaskedNumberEdit* edit : {amount_, tax_}) {
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-999999.99")) + 16);
  }
  // Leaving the tax amount only re-formats it (the edit does that): a typed tax stands.
  taxLabel_ = label(QString());
  taxLabel_->setObjectName(names.taxLabel);
  CheckBox1 = new QCheckBox(this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  // toggled, unlike clicked, also fires when a showing changes the box's state.
  connect(CheckBox1, &QCheckBox::toggled, this, [this] { guard([this] { CheckBox1Click(); }); });

  ComboBox1 = new CodeBox(this);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox2 = new CodeBox(this);
  ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
  DateTimePicker1 = new DatePicker(this);
  DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));

  BtnSave = button(QStringLiteral("BtnSave"), tr("Save"), this);
  BtnDelete = button(QStringLiteral("BtnDelete"), tr("Delete"), this);
  BtnCancel = button(QStringLiteral("BtnCancel"), tr("Cancel"), this);
  helpButton = new HelpButton(ui, names.helpContext, this);
  connect(BtnCancel, &QPushButton::clicked, this, [this] { BtnCancelClick(); });
}

void EntryWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) guard([this] { FormShow(); });
}

double EntryWindow::ContainedTax(double rate, double amount) {
  const double r = rate / 100;
  return r * amount / (r + 1);
}

void EntryWindow::CheckBox1Click() {
  const double rate = db_.settingsRecord().GSTRate;
  if (!(rate > 0)) return;
  tax_->setValue(CheckBox1->isChecked() ? ContainedTax(rate, amount_->value()) : 0.0);
}

void EntryWindow::showTaxName() {
  const QString name = db_.settingsRecord().GSTString.trimmed();
  CheckBox1->setText(QStringLiteral("Includes ") + name);
  taxLabel_->setText(name + QStringLiteral(" Amount:"));
}

void EntryWindow::amountLeft(double& current) {
  const double value = amount_->value();
  if (value != current) CheckBox1Click();
  current = value;
}

void EntryWindow::fillBoxes(bool incomeChart, int account, int folder,
                            const QString& accountsMissing, const QString& foldersMissing) {
  AccountTable& chart = incomeChart ? db_.accI() : db_.acc();
  if (!ComboBox1->Fill(chart.data, chart.AccNo, chart.AcDesc, account)) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok, accountsMissing);
    BtnSave->setEnabled(false);
  }
  FolderTable& folders = db_.folder();
  if (!ComboBox2->Fill(folders.data, folders.FolNo, folders.FolName, folder)) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok, foldersMissing);
    BtnSave->setEnabled(false);
  }
}

bool EntryWindow::fits(std::initializer_list<std::pair<FIELD4*, double>> values) {
  for (const auto& [field, value] : values) {
    if (!field->fits(value)) return false;
  }
  return true;
}

void EntryWindow::deleteAndPack(bool income, int& handOver) {
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

void EntryWindow::conversionFailed() {
  ui_.message(Ui::Type::Warning, Ui::Buttons::Ok,
              QStringLiteral("Data Conversion Error. Please check values and try again"));
}

void EntryWindow::appendFailed() {
  ui_.message(Ui::Type::Warning, Ui::Buttons::Ok,
              QStringLiteral("Unable to Add Record at this time . . . "));
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
