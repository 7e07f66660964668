#include "BankPreviewWindow.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "BankImporter.h"
#include "BankRulesWindow.h"
#include "BankTables.h"
#include "ChoiceDelegate.h"
#include "ColumnMapping.h"
#include "Database.h"
#include "FontUnits.h"
#include "HelpButton.h"
#include "PreviewModel.h"
#include "RuleEditor.h"
#include "Ui.h"

namespace {

const char* formatName(StatementFile::Format format) {
  switch (format) {
    case StatementFile::Format::Ofx:
      return "OFX";
    case StatementFile::Format::Qif:
      return "QIF";
    case StatementFile::Format::Csv:
      break;
  }
  return "CSV";
}

}  // namespace

BankPreviewWindow::BankPreviewWindow(Database& db, Ui& ui, ProgressSink& progress,
                                     const Clock& clock, QWidget* parent)
    : QDialog(parent),
      db_(db),
      ui_(ui),
      progress_(progress),
      clock_(clock),
      rulesWindow_(new BankRulesWindow(db, ui, this)) {
  setObjectName(QStringLiteral("bankPreviewWindow"));
  setWindowTitle(tr("Import Bank Statement"));
  fileLabel = new QLabel(this);
  fileLabel->setObjectName(QStringLiteral("fileLabel"));
  profileBox = new QComboBox(this);
  profileBox->setObjectName(QStringLiteral("profileBox"));
  columnMapping = new ColumnMapping(this);
  profileNameEdit = new QLineEdit(this);
  profileNameEdit->setObjectName(QStringLiteral("profileNameEdit"));
  profileNameEdit->setMaxLength(30);
  profileNameEdit->setMaximumWidth(profileNameEdit->fontMetrics().averageCharWidth() * 32);
  profileNameEdit->setPlaceholderText(tr("Bank name"));
  saveProfileButton = new QPushButton(tr("Save Profile"), this);
  saveProfileButton->setObjectName(QStringLiteral("saveProfileButton"));
  linesView = new QTableView(this);
  linesView->setObjectName(QStringLiteral("linesView"));
  linesView->setSelectionBehavior(QAbstractItemView::SelectRows);
  linesView->setSelectionMode(QAbstractItemView::SingleSelection);
  linesView->setEditTriggers(QAbstractItemView::AllEditTriggers);
  linesView->verticalHeader()->setDefaultSectionSize(linesView->fontMetrics().height() + 6);
  summaryLabel = new QLabel(this);
  summaryLabel->setObjectName(QStringLiteral("summaryLabel"));
  auto button = [this](const char* name, const QString& caption,
                       void (BankPreviewWindow::*handler)()) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QPushButton::clicked, this, handler);
    return b;
  };
  makeRuleButton =
      button("makeRuleButton", tr("Make Rule..."), &BankPreviewWindow::makeRuleClicked);
  rulesButton = button("rulesButton", tr("Rules..."), &BankPreviewWindow::rulesClicked);
  importButton = button("importButton", tr("Import"), &BankPreviewWindow::importClicked);
  cancelButton = new QPushButton(tr("Cancel"), this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  readAgainButton =
      button("readAgainButton", tr("Read Again"), &BankPreviewWindow::readAgainClicked);
  connect(saveProfileButton, &QPushButton::clicked, this, &BankPreviewWindow::saveProfileClicked);
  connect(profileBox, &QComboBox::activated, this, &BankPreviewWindow::profileChosen);

  auto* profileRow = new QHBoxLayout;
  profileRow->addWidget(new QLabel(tr("Profile:"), this));
  profileRow->addWidget(profileBox);
  profileRow->addWidget(profileNameEdit);
  profileRow->addWidget(saveProfileButton);
  profileRow->addStretch();
  auto* columnsRow = new QHBoxLayout;
  columnsRow->addWidget(columnMapping);
  columnsRow->addWidget(readAgainButton);
  columnsRow->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(makeRuleButton);
  buttons->addWidget(rulesButton);
  buttons->addWidget(summaryLabel, 1);
  buttons->addWidget(importButton);
  buttons->addWidget(cancelButton);
  buttons->addWidget(new HelpButton(ui, BankRulesWindow::kHelpContext, this));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fileLabel);
  layout->addLayout(profileRow);
  layout->addLayout(columnsRow);
  layout->addWidget(linesView, 1);
  layout->addLayout(buttons);
  FontUnits::Resize(*this, {1040, 480});
}

BankPreviewWindow::~BankPreviewWindow() = default;

void BankPreviewWindow::fillProfiles() {
  const QString current = profileBox->currentIndex() > 0 ? profileBox->currentText() : QString();
  profileBox->clear();
  profileBox->addItem(tr("(detected)"));
  for (const CsvProfile& profile : BankTables::LoadProfiles(db_)) profileBox->addItem(profile.name);
  profileBox->setCurrentIndex(std::max(0, profileBox->findText(current)));
}

bool BankPreviewWindow::load(const QString& path) {
  path_ = path;
  choices_ = BookChoices::Read(db_);
  profileBox->clear();
  fillProfiles();
  return read(std::nullopt);
}

bool BankPreviewWindow::read(const std::optional<CsvProfile>& profile) {
  StatementFile::Result read = StatementFile::Read(path_, profile);
  if (read.datesAmbiguous) {
    const bool dayFirst =
        ui_.message(
            Prompts::Type::Confirmation, Prompts::Buttons::YesNo,
            QStringLiteral("Are the dates of this statement written day first, as "
                           "31/12/2024?\r\nYes: day first. No: month first (12/31/2024).")) ==
        Prompts::Answer::Yes;
    read =
        StatementFile::Read(path_, profile, dayFirst ? DateOrder::DayFirst : DateOrder::MonthFirst);
    if (read.ok && read.format == StatementFile::Format::Csv)
      read.profile.dateOrder = dayFirst ? DateOrder::DayFirst : DateOrder::MonthFirst;
  }
  if (!read.ok && read.columnsUnknown) {
    // The user gives the columns in the window.
    read_ = read;
    plan_ = ImportPlan{};
    showPlan();
    summaryLabel->setText(QStringLiteral("The columns are not known (%1): choose them and "
                                         "read again.")
                              .arg(read.profile.problem()));
    return true;
  }
  if (!read.ok) {
    ui_.message(Prompts::Type::Warning, Prompts::Buttons::Ok,
                QStringLiteral("%1 cannot be imported.\r\n%2")
                    .arg(QFileInfo(path_).fileName(), read.message));
    return false;
  }
  read_ = read;
  BankImporter importer(db_, progress_, clock_);
  plan_ = importer.Plan(read_.statement, BankTables::LoadRules(db_));
  showPlan();
  return true;
}

void BankPreviewWindow::showPlan() {
  const bool csv = read_.format == StatementFile::Format::Csv;
  fileLabel->setText(
      QStringLiteral("%1 (%2)%3: %4 lines")
          .arg(QDir::toNativeSeparators(path_), QLatin1String(formatName(read_.format)),
               plan_.account.isEmpty() ? QString() : QStringLiteral(", account ") + plan_.account)
          .arg(plan_.lines.size()));
  for (QWidget* w : std::initializer_list<QWidget*>{profileBox, columnMapping, readAgainButton,
                                                    profileNameEdit, saveProfileButton})
    w->setEnabled(csv);
  columnMapping->showProfile(read_.profile);
  model_ = std::make_unique<PreviewModel>(plan_, choices_, db_.settingsRecord().GSTRate);
  linesView->setModel(model_.get());
  linesView->setItemDelegate(new ChoiceDelegate(*model_, linesView));
  connect(model_.get(), &PreviewModel::dataChanged, this, [this] { showSummary(); });
  // Widths from the first rows: measuring ten thousand would keep the user waiting.
  linesView->horizontalHeader()->setResizeContentsPrecision(200);
  linesView->resizeColumnsToContents();
  linesView->setColumnWidth(PreviewModel::Description,
                            linesView->fontMetrics().averageCharWidth() * 34);
  linesView->horizontalHeader()->setStretchLastSection(true);
  showSummary();
}

void BankPreviewWindow::showSummary() {
  int fresh = 0, inBooks = 0, ignored = 0;
  for (const PlannedLine& line : plan_.lines) {
    switch (line.status()) {
      case PlannedLine::Status::New:
        ++fresh;
        break;
      case PlannedLine::Status::InBooks:
        ++inBooks;
        break;
      case PlannedLine::Status::Ignored:
        ++ignored;
        break;
    }
  }
  summaryLabel->setText(QStringLiteral("%1 new, %2 already in the books, %3 ignored")
                            .arg(fresh)
                            .arg(inBooks)
                            .arg(ignored));
  importButton->setEnabled(fresh > 0);
}

void BankPreviewWindow::profileChosen() {
  const std::optional<CsvProfile> profile =
      profileBox->currentIndex() > 0 ? BankTables::FindProfile(db_, profileBox->currentText())
                                     : std::nullopt;
  if (profile) profileNameEdit->setText(profile->name);
  read(profile);
}

void BankPreviewWindow::readAgainClicked() { read(columnMapping->profile(read_.profile)); }

void BankPreviewWindow::saveProfileClicked() {
  CsvProfile profile = columnMapping->profile(read_.profile);
  profile.name = profileNameEdit->text().trimmed();
  if (profile.name.isEmpty()) {
    ui_.message(Prompts::Type::Information, Prompts::Buttons::Ok,
                QStringLiteral("Please name the profile after the bank."));
    return;
  }
  if (!BankTables::SaveProfile(db_, profile)) {
    code4errorCode(db_.code(), 0);
    ui_.message(Prompts::Type::Warning, Prompts::Buttons::Ok,
                QStringLiteral("The profile could not be stored."));
    return;
  }
  fillProfiles();
  profileBox->setCurrentIndex(std::max(0, profileBox->findText(profile.name)));
}

void BankPreviewWindow::applyRules() {
  const RuleSet rules(BankTables::LoadRules(db_));
  for (PlannedLine& line : plan_.lines) BankImporter::Apply(rules, line);
  model_->refresh();
  showSummary();
}

void BankPreviewWindow::makeRuleClicked() {
  const int row = linesView->currentIndex().row();
  if (row < 0 || row >= static_cast<int>(plan_.lines.size())) return;
  const PlannedLine& line = plan_.lines[static_cast<std::size_t>(row)];
  BankRule rule;
  rule.pattern = line.line.description;
  rule.kind = line.kind;
  rule.account = line.account;
  rule.folder = line.folder;
  rule.includesTax = line.includesTax;
  if (!rulesWindow_->ruleEditor()->edit(rule, choices_)) return;
  rulesWindow_->addRule(rule);
  applyRules();
}

void BankPreviewWindow::rulesClicked() {
  rulesWindow_->showRules();
  applyRules();
}

void BankPreviewWindow::importClicked() {
  BankImporter importer(db_, progress_, clock_);
  const BankImporter::Result result = importer.Import(plan_);
  if (!result.ok) {
    ui_.message(Prompts::Type::Warning, Prompts::Buttons::Ok, result.message);
    return;
  }
  ui_.message(Prompts::Type::Information, Prompts::Buttons::Ok,
              BankImporter::CompletionMessage(result));
  accept();
}
