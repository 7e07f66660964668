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
    : MainPage(QStringLiteral("TabSheet3"), 300, ui, parent), ui_(ui), state_(state), db_(db) {
  GroupBox1 = new QGroupBox(QStringLiteral("  Fiscal Year Setup  "), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  MaskEdit3 = twoDigitEdit(ui, QStringLiteral("MaskEdit3"), GroupBox1);
  MaskEdit4 = twoDigitEdit(ui, QStringLiteral("MaskEdit4"), GroupBox1);
  BtnFont = new QPushButton(tr("Report Font"), this);
  BtnFont->setObjectName(QStringLiteral("BtnFont"));
  BtnFont->setToolTip(QStringLiteral("Change font used in reports."));
  Edit1 = displayEdit(QStringLiteral("Edit1"), this);
  BtnPSetup = new QPushButton(tr("Page Setup"), this);
  BtnPSetup->setObjectName(QStringLiteral("BtnPSetup"));
  BtnPSetup->setToolTip(QStringLiteral("Change page layout/printer."));
  Edit2 = displayEdit(QStringLiteral("Edit2"), this);
  Edit3 = new ExitEdit(ui, this);
  Edit3->setObjectName(QStringLiteral("Edit3"));
  Edit3->setMaxLength(59);  // the settings texts are stored cut to 59 characters
  Label6 = new QLabel(QStringLiteral("GST Rate"), this);
  Label6->setObjectName(QStringLiteral("Label6"));
  MaskEdit5 = new MaskedNumberEdit(ui, "%7.4f", this);
  MaskEdit5->setObjectName(QStringLiteral("MaskEdit5"));
  MaskEdit5->setFixedWidth(80);
  MaskEdit5->setAlignment(Qt::AlignRight);
  layOut();

  MaskEdit3->setExitHandler([this] { MaskEdit3Exit(); });
  MaskEdit4->setExitHandler([this] { MaskEdit4Exit(); });
  MaskEdit5->setExitHandler([this] { MaskEdit5Exit(); });
  Edit3->setExitHandler([this] { Edit3Exit(); });
  connect(BtnFont, &QPushButton::clicked, this, guarded(ui, [this] { BtnFontClick(); }));
  connect(BtnPSetup, &QPushButton::clicked, this, guarded(ui, [this] { BtnPSetupClick(); }));
}

void SettingsPage::layOut() {
  auto* fiscal = new QGridLayout(GroupBox1);
  fiscal->addWidget(new QLabel(tr("Start Month:"), GroupBox1), 0, 0);
  fiscal->addWidget(MaskEdit3, 0, 1);
  fiscal->addWidget(new QLabel(tr("Start Day:"), GroupBox1), 1, 0);
  fiscal->addWidget(MaskEdit4, 1, 1);

  auto* tax = new QGridLayout;
  tax->addWidget(new QLabel(tr("Tax String"), this), 0, 0);
  tax->addWidget(Edit3, 0, 1, 1, 2);
  tax->addWidget(Label6, 1, 0);
  tax->addWidget(MaskEdit5, 1, 1);
  tax->addWidget(new QLabel(tr("Percent"), this), 1, 2);
  tax->setColumnStretch(2, 1);

  QGridLayout* grid = this->grid();
  grid->addWidget(GroupBox1, 0, 0, 1, 2);
  grid->addLayout(tax, 0, 2, 1, 2);
  grid->addWidget(BtnFont, 1, 0);
  grid->addWidget(Edit1, 1, 1, 1, 3);
  grid->addWidget(BtnPSetup, 2, 0);
  grid->addWidget(Edit2, 2, 1, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  addHelpButton();
}

void SettingsPage::fill() {
  const SettingsRecord& settings = db_.settingsRecord();
  showReportFont();
  Edit2->setText(state_.Printer.description());
  MaskEdit3->setText(QString::number(settings.FyMonth));
  MaskEdit4->setText(QString::number(settings.FyDay));
  Edit3->setText(settings.GSTString.trimmed());
  MaskEdit5->setValue(settings.GSTRate);
  showRateLabel();
}

void SettingsPage::MaskEdit3Exit() {
  SettingsRecord& settings = db_.settingsRecord();
  const int month = StrToInt(MaskEdit3->text());
  if (month < 1 || month > 12) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Month must be between 1 and 12"));
    MaskEdit3->setFocus();
    return;
  }
  settings.FyMonth = month;
  if (kDaysInMonth[month - 1] < settings.FyDay) {
    settings.FyDay = kDaysInMonth[month - 1];
    MaskEdit4->setText(QString::number(settings.FyDay));
  }
  save();
}

void SettingsPage::MaskEdit4Exit() {
  SettingsRecord& settings = db_.settingsRecord();
  const int day = StrToInt(MaskEdit4->text());
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
  MaskEdit4->setFocus();
}

void SettingsPage::MaskEdit5Exit() {
  const double rate = MaskEdit5->value();
  if (rate == db_.settingsRecord().GSTRate) return;
  db_.settingsRecord().GSTRate = rate;
  save();
}

void SettingsPage::Edit3Exit() {
  SettingsRecord& settings = db_.settingsRecord();
  const QString text = Edit3->text().trimmed();
  if (text == settings.GSTString.trimmed()) return;
  settings.GSTString = text;
  showRateLabel();
  save();
}

void SettingsPage::BtnFontClick() {
  state_.ReportFont = ui_.chooseFont(state_.ReportFont);
  showReportFont();
  SettingsRecord& settings = db_.settingsRecord();
  settings.FontName = state_.ReportFont.family();
  settings.FontSize = state_.ReportFont.pointSize();
  save();
}

void SettingsPage::BtnPSetupClick() {
  ui_.pageSetup(state_.Printer.printer());
  Edit2->setText(state_.Printer.description());
}

void SettingsPage::showReportFont() {
  Edit1->setText(state_.ReportFont.family() + QLatin1Char('@') +
                 QString::number(state_.ReportFont.pointSize()));
}

void SettingsPage::showRateLabel() {
  Label6->setText(db_.settingsRecord().GSTString.trimmed() + QStringLiteral(" Rate"));
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
