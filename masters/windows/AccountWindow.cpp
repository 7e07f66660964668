#include "AccountWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "AccountChart.h"
#include "AppState.h"
#include "Conversions.h"
#include "Database.h"
#include "MasterTables.h"
#include "Ui.h"

namespace {

const QString kNumberNotPositive = QStringLiteral("Account Number must be greater than zero.");

}  // namespace

AccountWindow::AccountWindow(Database& db, AppState& state, Ui& ui, QWidget* parent)
    : DefinitionForm(ui, QStringLiteral("Account"), QStringLiteral("Account Definition"),
                     QSize(366, 220), 550, parent),
      db_(db),
      state_(state) {
  flagCheck = new QCheckBox(this);
  flagCheck->setObjectName(QStringLiteral("flagCheck"));
  addField(fieldLabel(QStringLiteral("numberLabel"), tr("Account Number:")), numberEdit);
  numberEdit->setFieldName(tr("Account Number"));
  addField(fieldLabel(QStringLiteral("descriptionLabel"), tr("Description:")), descriptionEdit);
  addField(nullptr, flagCheck);
  setTabOrder(descriptionEdit, flagCheck);
  setTabOrder(flagCheck, saveButton);
}

void AccountWindow::prepare() {
  const AccountChart chart(db_, state_);
  AccountRecord& account = chart.record();
  if (chart.selected() != 0) {
    d4go(chart.table().data, chart.selected());
    chart.read();
    deleteButton->setVisible(true);
  } else {
    account.AccNo = nextAccountNumber(chart);
    account.AcDesc.clear();
    account.AcDed = true;
    deleteButton->setVisible(false);
  }
  flagCheck->setText(chart.flagCaption());
  numberEdit->setText(QString::number(account.AccNo));
  descriptionEdit->setText(account.AcDesc.trimmed());
  flagCheck->setChecked(account.AcDed);
  numberEdit->setFocus();
}

int AccountWindow::nextAccountNumber(const AccountChart& chart) {
  // The tag holds live accounts only, in ascending number: the last is the highest.
  if (d4bottom(chart.table().data) != 0) return 1;
  return f4int(chart.table().AccNo) + 1;
}

void AccountWindow::numberLeft() {
  const int number = numberEdit->intValue();
  if (number > 0) {
    numberEdit->setText(Conversions::PadLeft(number, 4));
    return;
  }
  ui().message(Ui::Type::Information, Ui::Buttons::Ok, kNumberNotPositive);
  numberEdit->setFocus();
}

void AccountWindow::saveClicked() {
  const AccountChart chart(db_, state_);
  const int number = numberEdit->intValue();
  AccountRecord& account = chart.record();
  account.AcDesc = descriptionEdit->text().trimmed();
  account.AcDed = flagCheck->isChecked();
  // The field's own check runs only when it is left; Enter saves without leaving it, and
  // an account 0 would be no account at all.
  if (number <= 0) {
    ui().message(Ui::Type::Information, Ui::Buttons::Ok, kNumberNotPositive);
    numberEdit->setFocus();
    return;
  }
  if (chart.selected() == 0) {
    saveNew(chart, number);
    return;
  }
  if (number == account.AccNo) {
    d4go(chart.table().data, chart.selected());
    chart.write();
  } else if (!renumberOrMerge(chart, number)) {
    return;
  }
  finishSave(chart);
}

void AccountWindow::saveNew(const AccountChart& chart, int number) {
  AccountRecord& account = chart.record();
  if (MasterTables::seekLive(chart.table().data, chart.table().AccNo, number)) {
    ui().message(
        Ui::Type::Information, Ui::Buttons::Ok,
        QStringLiteral("Account number already exists.  Please enter a different number."));
    return;
  }
  account.AccNo = number;
  if (chart.append(account) == Database::kNotAppended) {
    ui().message(Ui::Type::Warning, Ui::Buttons::Ok, db_.AppendRefusedMessage());
    return;
  }
  if (ui().message(Ui::Type::Confirmation, Ui::Buttons::YesNo,
                   QStringLiteral("Add another account?")) == Ui::Answer::Yes) {
    // The window stays for the next new account; the check box keeps its state.
    account.AccNo = nextAccountNumber(chart);
    account.AcDesc.clear();
    numberEdit->setText(QString::number(account.AccNo));
    descriptionEdit->clear();
    numberEdit->setFocus();
    return;
  }
  finishSave(chart);
}

bool AccountWindow::renumberOrMerge(const AccountChart& chart, int number) {
  AccountRecord& account = chart.record();
  const QString oldNumber = QString::number(account.AccNo);
  const QString newNumber = QString::number(number);
  const bool merge = MasterTables::seekLive(chart.table().data, chart.table().AccNo, number);
  const QString text =
      merge ? QStringLiteral("ACCOUNT NUMBER ") + newNumber + QStringLiteral(" ALREADY EXISTS.") +
                  QStringLiteral("\r\n\r\nIf you continue, all ") + chart.transactionWord() +
                  QStringLiteral(" in account ") + oldNumber +
                  QStringLiteral(" will be merged into account ") + newNumber +
                  QStringLiteral(" which will be renamed to ") + descriptionEdit->text().trimmed()
            : QStringLiteral("ACCOUNT NUMBER CHANGED!\r\n\r\nIf you continue, all ") +
                  chart.transactionWord() + QStringLiteral(" in account ") + oldNumber +
                  QStringLiteral(" will be moved to account number ") + newNumber +
                  QStringLiteral(" AND Account Number ") + oldNumber +
                  QStringLiteral(" will no longer exist.");
  if (ui().message(Ui::Type::Information, Ui::Buttons::OkCancel, text) != Ui::Answer::Ok) {
    return false;
  }
  const int from = account.AccNo;
  overTransactions(chart, [this, from, number](DATA4* data, FIELD4* field) {
    MasterTables::reassign(db_, data, field, from, number);
  });
  if (merge) {
    // The seek left the table on the account that held the number; it gives way to the
    // edited one, and moving off it below writes the mark.
    d4delete(chart.table().data);
    state_.PackPending = true;
  }
  d4go(chart.table().data, chart.selected());
  account.AccNo = number;
  chart.write();
  return true;
}

void AccountWindow::overTransactions(const AccountChart& chart,
                                     const std::function<void(DATA4*, FIELD4*)>& walk) {
  const AccountChart::Transactions transactions = chart.openTransactions();
  walk(transactions.data, transactions.account);
  d4close(db_.code(), transactions.data);
  error4exitTest(db_.code(), db_.host());
}

void AccountWindow::finishSave(const AccountChart& chart) {
  chart.selected() = static_cast<int>(d4recNo(chart.table().data));
  d4refresh(chart.table().data);
  accept();
}

void AccountWindow::deleteClicked() {
  const AccountChart chart(db_, state_);
  const QString word = chart.transactionWord();
  if (ui().message(Ui::Type::Warning, Ui::Buttons::YesNoDefaultNo,
                   QStringLiteral("WARNING: All ") + word +
                       QStringLiteral(" assigned to this account will be deleted.\r\n\r\nARE "
                                      "YOU SURE YOU WANT TO DELETE THIS ACCOUNT?")) !=
      Ui::Answer::Yes) {
    return;
  }
  const int number = chart.record().AccNo;
  overTransactions(chart, [this, number](DATA4* data, FIELD4* field) {
    MasterTables::removeHolding(db_, data, field, number);
  });
  // A refused or cancelled save may have left the table on another account (its seek
  // for the typed number): go back to the chosen one before marking it.
  d4go(chart.table().data, chart.selected());
  d4delete(chart.table().data);
  state_.PackPending = true;
  error4exitTest(db_.code(), db_.host());
  chart.selected() = 0;
  accept();
}
