#include "ArchiveDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppState.h"
#include "Archiver.h"
#include "Clock.h"
#include "Database.h"
#include "DatePicker.h"
#include "FiscalYear.h"
#include "Guarded.h"
#include "HelpButton.h"
#include "Ui.h"

namespace {
constexpr int kHelpContext = 430;
}  // namespace

ArchiveDialog::ArchiveDialog(Database& db, AppState& state, Ui& ui, ProgressSink& progress,
                   const Clock& clock, QWidget* parent)
    : QDialog(parent), db_(db), state_(state), ui_(ui), progress_(progress), clock_(clock) {
  setObjectName(QStringLiteral("Archive"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  DateTimePicker1 = new DatePicker(this);
  DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
  Label2 = new QLabel(QStringLiteral("Through:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  DateTimePicker2 = new DatePicker(this);
  DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
  Label1->setBuddy(DateTimePicker1);
  Label2->setBuddy(DateTimePicker2);
  BtnOK = new QPushButton(QStringLiteral("OK"), this);
  BtnOK->setObjectName(QStringLiteral("BtnOK"));
  BtnOK->setDefault(true);
  BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BitBtn1 = new HelpButton(ui_, kHelpContext, this);
  connect(BtnOK, &QPushButton::clicked, this, guarded(ui_, [this] { BtnOKClick(); }));
  connect(BtnCancel, &QPushButton::clicked, this, &ArchiveDialog::BtnCancelClick);

  auto* dates = new QGridLayout;
  dates->addWidget(Label1, 0, 0);
  dates->addWidget(DateTimePicker1, 0, 1);
  dates->addWidget(Label2, 1, 0, Qt::AlignRight);
  dates->addWidget(DateTimePicker2, 1, 1);
  dates->setColumnStretch(2, 1);
  dates->setVerticalSpacing(12);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnOK);
  buttons->addWidget(BtnCancel);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->addLayout(dates);
  layout->addStretch();
  layout->addLayout(buttons);
  resize(318, 186);
}

void ArchiveDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void ArchiveDialog::FormShow() {
  const bool archive = state_.ArchiveDirection;
  setWindowTitle(archive ? QStringLiteral("Archive Income & Expenses")
                         : QStringLiteral("De-Archive Income & Expenses"));
  Label1->setText(archive ? QStringLiteral("Archive Data From:")
                          : QStringLiteral("De-Archive Data From:"));
  const SettingsRecord& settings = db_.settingsRecord();
  const QDate yearBegun =
      FiscalYear::FiscalYearStart(clock_.today(), settings.FyMonth, settings.FyDay);
  const QDate lastOfPrevious = yearBegun.addDays(-1);
  DateTimePicker2->setDate(lastOfPrevious);
  DateTimePicker1->setDate(
      FiscalYear::FiscalYearStart(lastOfPrevious, settings.FyMonth, settings.FyDay));
}

void ArchiveDialog::BtnOKClick() {
  const ArchiveRequest request{DateTimePicker1->date(), DateTimePicker2->date(),
                               state_.ArchiveDirection};
  accept();  // out of the way of the status bar while the tables are walked
  if (!Archiver(db_, progress_).Run(request)) {
    ui_.message(Ui::Type::Warning, Ui::Buttons::Ok,
                QStringLiteral("The archive marks could not all be written: the disk may be "
                               "full or damaged.\r\nRecords after the failure are unchanged."));
  }
}

void ArchiveDialog::BtnCancelClick() { reject(); }
