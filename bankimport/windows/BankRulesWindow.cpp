#include "BankRulesWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "BankTables.h"
#include "Database.h"
#include "FontUnits.h"
#include "HelpButton.h"
#include "ImportPlan.h"
#include "RuleEditor.h"
#include "Ui.h"

namespace {

QString range(const BankRule& rule) {
  if (!rule.minAmount && !rule.maxAmount) return QString();
  auto text = [](const std::optional<double>& v) {
    return v ? QString::number(*v, 'f', 2) : QStringLiteral("...");
  };
  return text(rule.minAmount) + QStringLiteral(" to ") + text(rule.maxAmount);
}

}  // namespace

BankRulesWindow::BankRulesWindow(Database& db, Ui& ui, QWidget* parent)
    : QDialog(parent), db_(db), ui_(ui), editor_(new RuleEditor(ui, this)) {
  setObjectName(QStringLiteral("bankRulesWindow"));
  setWindowTitle(tr("Bank Import Rules"));
  rulesGrid = new QTableWidget(0, 7, this);
  rulesGrid->setObjectName(QStringLiteral("rulesGrid"));
  rulesGrid->setHorizontalHeaderLabels({tr("Description"), tr("Match"), tr("Amount"), tr("Becomes"),
                                        tr("Account"), tr("Folder"), tr("Incl. Tax")});
  rulesGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  rulesGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  rulesGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rulesGrid->setWordWrap(false);
  rulesGrid->horizontalHeader()->setStretchLastSection(true);
  auto button = [this](const char* name, const QString& caption,
                       void (BankRulesWindow::*handler)()) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QPushButton::clicked, this, handler);
    return b;
  };
  addButton = button("addButton", tr("Add..."), &BankRulesWindow::addClicked);
  editButton = button("editButton", tr("Edit..."), &BankRulesWindow::editClicked);
  deleteButton = button("deleteButton", tr("Delete"), &BankRulesWindow::deleteClicked);
  moveUpButton = button("moveUpButton", tr("Move Up"), &BankRulesWindow::moveUpClicked);
  moveDownButton = button("moveDownButton", tr("Move Down"), &BankRulesWindow::moveDownClicked);
  closeButton = new QPushButton(tr("Close"), this);
  closeButton->setObjectName(QStringLiteral("closeButton"));
  connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(rulesGrid, &QTableWidget::cellDoubleClicked, this, [this] { editClicked(); });
  auto* side = new QVBoxLayout;
  for (QPushButton* b : {addButton, editButton, deleteButton, moveUpButton, moveDownButton})
    side->addWidget(b);
  side->addStretch();
  side->addWidget(closeButton);
  side->addWidget(new HelpButton(ui, BankRulesWindow::kHelpContext, this));
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(rulesGrid, 1);
  layout->addLayout(side);
  FontUnits::Resize(*this, {900, 320});
}

void BankRulesWindow::showRules() {
  choices_ = BookChoices::Read(db_);
  rules_ = BankTables::LoadRules(db_);
  fillGrid();
  if (!rules_.empty()) rulesGrid->selectRow(0);
  ui_.showModal(*this);
}

QString BankRulesWindow::nameIn(const std::vector<NamedNumber>& list, int number) const {
  for (const NamedNumber& entry : list)
    if (entry.number == number) return BookChoices::Item(entry);
  return number == 0 ? QString() : QString::number(number);
}

void BankRulesWindow::fillGrid() {
  rulesGrid->setRowCount(static_cast<int>(rules_.size()));
  for (int row = 0; row < rulesGrid->rowCount(); ++row) {
    const BankRule& rule = rules_[static_cast<std::size_t>(row)];
    const bool ignore = rule.kind == EntryKind::Ignore;
    const QStringList cells = {
        rule.pattern,
        rule.regex ? tr("expression") : tr("contains"),
        range(rule),
        KindText(rule.kind),
        ignore ? QString() : nameIn(choices_.accountsFor(rule.kind), rule.account),
        ignore ? QString() : nameIn(choices_.folders, rule.folder),
        ignore             ? QString()
        : rule.includesTax ? tr("yes")
                           : tr("no")};
    for (int column = 0; column < cells.size(); ++column)
      rulesGrid->setItem(row, column, new QTableWidgetItem(cells[column]));
  }
  rulesGrid->resizeColumnsToContents();
  rulesGrid->setColumnWidth(
      0, std::max(rulesGrid->columnWidth(0), rulesGrid->fontMetrics().averageCharWidth() * 24));
}

void BankRulesWindow::store(int row) {
  if (!BankTables::SaveRules(db_, rules_)) {
    code4errorCode(db_.code(), 0);
    ui_.message(Prompts::Type::Warning, Prompts::Buttons::Ok,
                QStringLiteral("The rules could not be stored: the disk may be full or "
                               "read-only."));
  }
  fillGrid();
  if (row >= 0 && row < rulesGrid->rowCount()) rulesGrid->selectRow(row);
}

void BankRulesWindow::addRule(const BankRule& rule) {
  if (choices_.folders.empty() && choices_.expenseAccounts.empty())
    choices_ = BookChoices::Read(db_);
  rules_ = BankTables::LoadRules(db_);
  rules_.push_back(rule);
  store(static_cast<int>(rules_.size()) - 1);
}

void BankRulesWindow::addClicked() {
  BankRule rule;
  if (!editor_->edit(rule, choices_)) return;
  rules_.push_back(rule);
  store(static_cast<int>(rules_.size()) - 1);
}

void BankRulesWindow::editClicked() {
  const int row = rulesGrid->currentRow();
  if (row < 0 || row >= static_cast<int>(rules_.size())) return;
  if (editor_->edit(rules_[static_cast<std::size_t>(row)], choices_)) store(row);
}

void BankRulesWindow::deleteClicked() {
  const int row = rulesGrid->currentRow();
  if (row < 0 || row >= static_cast<int>(rules_.size())) return;
  rules_.erase(rules_.begin() + row);
  store(std::min(row, static_cast<int>(rules_.size()) - 1));
}

void BankRulesWindow::move(int by) {
  const int row = rulesGrid->currentRow();
  const int to = row + by;
  if (row < 0 || to < 0 || to >= static_cast<int>(rules_.size())) return;
  std::swap(rules_[static_cast<std::size_t>(row)], rules_[static_cast<std::size_t>(to)]);
  store(to);
}
