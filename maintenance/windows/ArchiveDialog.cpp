#include "ArchiveDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
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
#include "WindowKeys.h"

namespace {
constexpr int kHelpContext = 430;
}  // namespace

ArchiveDialog::ArchiveDialog(Database& db, AppState& state, Ui& ui, ProgressSink& progress,
                             const Clock& clock, QWidget* parent)
    : QDialog(parent), db_(db), state_(state), ui_(ui), progress_(progress), clock_(clock) {
  setObjectName(QStringLiteral("Archive"));
  fromLabel = new QLabel(this);
  fromLabel->setObjectName(QStringLiteral("fromLabel"));
  fromDateEdit = new DatePicker(ui_, QStringLiteral("From"), this);
  fromDateEdit->setObjectName(QStringLiteral("fromDateEdit"));
  auto* throughLabel = new QLabel(QStringLiteral("Through:"), this);
  throughDateEdit = new DatePicker(ui_, QStringLiteral("Through"), this);
  throughDateEdit->setObjectName(QStringLiteral("throughDateEdit"));
  fromLabel->setBuddy(fromDateEdit);
  throughLabel->setBuddy(throughDateEdit);
  okButton = new QPushButton(QStringLiteral("OK"), this);
  okButton->setObjectName(QStringLiteral("okButton"));
  cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  helpButton = new HelpButton(ui_, kHelpContext, this);
  connect(okButton, &QPushButton::clicked, this, guarded(ui_, [this] { okClicked(); }));
  connect(cancelButton, &QPushButton::clicked, this, &ArchiveDialog::cancelClicked);

  auto* dates = new QGridLayout;
  dates->addWidget(fromLabel, 0, 0);
  dates->addWidget(fromDateEdit, 0, 1);
  dates->addWidget(throughLabel, 1, 0, Qt::AlignRight);
  dates->addWidget(throughDateEdit, 1, 1);
  dates->setColumnStretch(2, 1);
  dates->setVerticalSpacing(12);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  buttons->addStretch();
  buttons->addWidget(helpButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->addLayout(dates);
  layout->addStretch();
  layout->addLayout(buttons);
  resize(318, 186);
  WindowKeys::Install(*this, &ui_);
}

void ArchiveDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  prepare();
}

void ArchiveDialog::prepare() {
  const bool archive = state_.ArchiveDirection;
  setWindowTitle(archive ? QStringLiteral("Archive Income & Expenses")
                         : QStringLiteral("De-Archive Income & Expenses"));
  fromLabel->setText(archive ? QStringLiteral("Archive Data From:")
                             : QStringLiteral("De-Archive Data From:"));
  const SettingsRecord& settings = db_.settingsRecord();
  const QDate yearBegun =
      FiscalYear::FiscalYearStart(clock_.today(), settings.FyMonth, settings.FyDay);
  const QDate lastOfPrevious = yearBegun.addDays(-1);
  throughDateEdit->setDate(lastOfPrevious);
  fromDateEdit->setDate(
      FiscalYear::FiscalYearStart(lastOfPrevious, settings.FyMonth, settings.FyDay));
}

void ArchiveDialog::okClicked() {
  if (!DatePicker::ReadRange(*fromDateEdit, *throughDateEdit, ui_)) return;
  const ArchiveRequest request{fromDateEdit->date(), throughDateEdit->date(),
                               state_.ArchiveDirection};
  const QString verb = request.archive ? QStringLiteral("Archive") : QStringLiteral("De-archive");
  const QString format = DatePicker::displayFormatFor(QLocale());
  const QString range = QLocale().toString(request.first, format) + QStringLiteral(" through ") +
                        QLocale().toString(request.last, format);
  // Archived records leave the lists: Enter must not do it.
  if (ui_.message(Ui::Type::Confirmation, Ui::Buttons::OkCancelDefaultCancel,
                  verb + QStringLiteral(" all income and expense records dated ") + range +
                      QStringLiteral("?")) != Ui::Answer::Ok) {
    return;
  }
  accept();  // out of the way of the status bar while the tables are walked
  Archiver archiver(db_, progress_);
  if (archiver.Run(request)) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                verb + QStringLiteral("d: %1 records dated ").arg(archiver.Marked()) + range +
                    QStringLiteral("."));
  } else {
    ui_.message(Ui::Type::Warning, Ui::Buttons::Ok,
                QStringLiteral("The archive marks could not all be written: the disk may be "
                               "full or damaged.\r\nRecords after the failure are unchanged."));
  }
}

void ArchiveDialog::cancelClicked() { reject(); }
