#include "SettingsPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <array>

#include "AppState.h"
#include "ConversionError.h"
#include "Database.h"
#include "Guarded.h"
#include "MaskedNumberEdit.h"
#include "StrToInt.h"
#include "Ui.h"

namespace {

// Days of each month for the fiscal-year start; February always has 28.
constexpr std::array<int, 12> kDaysInMonth{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

ExitEdit* twoDigitEdit(Ui& ui, const QString& name, QWidget* parent) {
  auto* edit = new ExitEdit(ui, parent);
  edit->setObjectName(name);
  edit->setMaxLength(2);
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^ *[0-9]* *$")), edit));
  edit->setFixedWidth(44);
  return edit;
}

QLineEdit* displayEdit(const QString& name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::NoFocus);
  return edit;
}

}  // namespace

SettingsPage::SettingsPage(Ui& ui, AppState& state, Database& db, QWidget* parent)
    : MainPage(QStringLiteral("settingsPage"), 300, ui, parent), ui_(ui), state_(state), db_(db) {
  fiscalYearBox = new QGroupBox(QStringLiteral("  Fiscal Year Setup  "), this);
  fiscalYearBox->setObjectName(QStringLiteral("fiscalYearBox"));
  startMonthEdit = twoDigitEdit(ui, QStringLiteral("startMonthEdit"), fiscalYearBox);
  startDayEdit = twoDigitEdit(ui, QStringLiteral("startDayEdit"), fiscalYearBox);
  reportFontButton = new QPushButton(tr("Report Font"), this);
  reportFontButton->setObjectName(QStringLiteral("reportFontButton"));
  reportFontButton->setToolTip(QStringLiteral("Change font used in reports."));
  reportFontEdit = displayEdit(QStringLiteral("reportFontEdit"), this);
  pageSetupButton = new QPushButton(tr("Page Setup"), this);
  pageSetupButton->setObjectName(QStringLiteral("pageSetupButton"));
  pageSetupButton->setToolTip(QStringLiteral("Change page layout/printer."));
  printerEdit = displayEdit(QStringLiteral("printerEdit"), this);
  taxStringEdit = new ExitEdit(ui, this);
  taxStringEdit->setObjectName(QStringLiteral("taxStringEdit"));
  taxStringEdit->setMaxLength(59);  // the settings texts are stored cut to 59 characters
  taxRateLabel = new QLabel(QStringLiteral("GST Rate"), this);
  taxRateLabel->setObjectName(QStringLiteral("taxRateLabel"));
  taxRateEdit = new MaskedNumberEdit(ui, "%7.4f", this);
  taxRateEdit->setObjectName(QStringLiteral("taxRateEdit"));
  taxRateEdit->setFixedWidth(80);
  taxRateEdit->setAlignment(Qt::AlignRight);
  startMonthEdit->setFieldName(tr("Fiscal Year Start Month"));
  startDayEdit->setFieldName(tr("Fiscal Year Start Day"));
  layOut();

  startMonthEdit->setExitHandler([this] { startMonthLeft(); });
  startDayEdit->setExitHandler([this] { startDayLeft(); });
  taxRateEdit->setExitHandler([this] { taxRateLeft(); });
  taxStringEdit->setExitHandler([this] { taxStringLeft(); });
  connect(reportFontButton, &QPushButton::clicked, this,
          guarded(ui, [this] { reportFontClicked(); }));
  connect(pageSetupButton, &QPushButton::clicked, this,
          guarded(ui, [this] { pageSetupClicked(); }));
}

void SettingsPage::layOut() {
  auto* fiscal = new QGridLayout(fiscalYearBox);
  fiscal->addWidget(new QLabel(tr("Start Month:"), fiscalYearBox), 0, 0);
  fiscal->addWidget(startMonthEdit, 0, 1);
  fiscal->addWidget(new QLabel(tr("Start Day:"), fiscalYearBox), 1, 0);
  fiscal->addWidget(startDayEdit, 1, 1);

  auto* tax = new QGridLayout;
  tax->addWidget(new QLabel(tr("Tax String"), this), 0, 0);
  tax->addWidget(taxStringEdit, 0, 1, 1, 2);
  tax->addWidget(taxRateLabel, 1, 0);
  tax->addWidget(taxRateEdit, 1, 1);
  tax->addWidget(new QLabel(tr("Percent"), this), 1, 2);
  tax->setColumnStretch(2, 1);

  QGridLayout* grid = this->grid();
  grid->addWidget(fiscalYearBox, 0, 0, 1, 2);
  grid->addLayout(tax, 0, 2, 1, 2);
  grid->addWidget(reportFontButton, 1, 0);
  grid->addWidget(reportFontEdit, 1, 1, 1, 3);
  grid->addWidget(pageSetupButton, 2, 0);
  grid->addWidget(printerEdit, 2, 1, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  addHelpButton();
}

void SettingsPage::fill() {
  const SettingsRecord& settings = db_.settingsRecord();
  showReportFont();
  printerEdit->setText(state_.Printer.description());
  startMonthEdit->setText(QString::number(settings.FyMonth));
  startDayEdit->setText(QString::number(settings.FyDay));
  taxStringEdit->setText(settings.GSTString.trimmed());
  taxRateEdit->setValue(settings.GSTRate);
  showRateLabel();
}

void SettingsPage::startMonthLeft() {
  SettingsRecord& settings = db_.settingsRecord();
  const int month = StrToInt(startMonthEdit->text());
  if (month < 1 || month > 12) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Month must be between 1 and 12"));
    startMonthEdit->setFocus();
    return;
  }
  settings.FyMonth = month;
  if (kDaysInMonth[month - 1] < settings.FyDay) {
    settings.FyDay = kDaysInMonth[month - 1];
    startDayEdit->setText(QString::number(settings.FyDay));
  }
  save();
}

void SettingsPage::startDayLeft() {
  SettingsRecord& settings = db_.settingsRecord();
  const int day = StrToInt(startDayEdit->text());
  // A month outside 1..12 cannot be stored, so FyMonth indexes safely once valid; a
  // record that holds none refuses every day until the month is set.
  const bool monthValid = settings.FyMonth >= 1 && settings.FyMonth <= 12;
  if (monthValid && day >= 1 && day <= kDaysInMonth[settings.FyMonth - 1]) {
    settings.FyDay = day;
    save();
    return;
  }
  ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
              QStringLiteral("Invalid Day for Specified Month"));
  startDayEdit->setFocus();
}

void SettingsPage::taxRateLeft() {
  const double rate = taxRateEdit->value();
  if (rate == db_.settingsRecord().GSTRate) return;
  db_.settingsRecord().GSTRate = rate;
  save();
}

void SettingsPage::taxStringLeft() {
  SettingsRecord& settings = db_.settingsRecord();
  const QString text = taxStringEdit->text().trimmed();
  if (text == settings.GSTString.trimmed()) return;
  settings.GSTString = text;
  showRateLabel();
  save();
}

void SettingsPage::reportFontClicked() {
  state_.ReportFont = ui_.chooseFont(state_.ReportFont);
  showReportFont();
  SettingsRecord& settings = db_.settingsRecord();
  settings.FontName = state_.ReportFont.family();
  settings.FontSize = state_.ReportFont.pointSize();
  save();
}

void SettingsPage::pageSetupClicked() {
  ui_.pageSetup(state_.Printer.printer());
  printerEdit->setText(state_.Printer.description());
}

void SettingsPage::showReportFont() {
  reportFontEdit->setText(state_.ReportFont.family() + QLatin1Char('@') +
                          QString::number(state_.ReportFont.pointSize()));
}

void SettingsPage::showRateLabel() {
  const QString name = db_.settingsRecord().GSTString.trimmed();
  taxRateLabel->setText(name + QStringLiteral(" Rate"));
  taxRateEdit->setFieldName(name + QStringLiteral(" Rate"));
  emit taxNameChanged(name);
}

void SettingsPage::save() {
  db_.OpenSettings();
  try {
    db_.WriteSettings();
  } catch (const ConversionError&) {
    d4close(db_.code(), db_.settings().data);  // no table stays open between commands
    throw;
  }
  d4close(db_.code(), db_.settings().data);
}
