#include "PaymentImportDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

#include "AppState.h"
#include "Clock.h"
#include "Database.h"
#include "DatePicker.h"
#include "FiscalYear.h"
#include "FontUnits.h"
#include "Guarded.h"
#include "HelpButton.h"
#include "PaymentImporter.h"
#include "TableWalk.h"
#include "Ui.h"
#include "WindowKeys.h"
#include "xbase/Status.h"

namespace {

constexpr int kHelpContext = 520;
const QString kPaymentFile = QStringLiteral("gstpmt.dbf");

// The number in the first four characters of a list item; false when there is none.
bool numberOfItem(const QComboBox* box, int* number) {
  bool ok = false;
  *number = box->currentText().left(4).trimmed().toInt(&ok);
  return ok;
}

}  // namespace

PaymentImportDialog::PaymentImportDialog(Database& db, AppState& state, Ui& ui,
                                         ProgressSink& progress, const Clock& clock,
                                         QWidget* parent)
    : QDialog(parent), db_(db), state_(state), ui_(ui), progress_(progress), clock_(clock) {
  setObjectName(QStringLiteral("PmtImport"));
  setWindowTitle(QStringLiteral("Import Billwise Payment (Income) Data"));
  browseButton = new QPushButton(QStringLiteral("Billwise Directory"), this);
  browseButton->setObjectName(QStringLiteral("browseButton"));
  pathEdit = new QLineEdit(this);
  pathEdit->setObjectName(QStringLiteral("pathEdit"));
  pathEdit->setEnabled(false);
  accountBox = new QComboBox(this);
  accountBox->setObjectName(QStringLiteral("accountBox"));
  folderBox = new QComboBox(this);
  folderBox->setObjectName(QStringLiteral("folderBox"));
  for (QComboBox* box : {accountBox, folderBox}) {
    FontUnits::UseFixedPitch(*box);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(24);
  }
  fromDateEdit = new DatePicker(ui_, QStringLiteral("Import Income Beginning"), this);
  fromDateEdit->setObjectName(QStringLiteral("fromDateEdit"));
  throughDateEdit = new DatePicker(ui_, QStringLiteral("Through"), this);
  throughDateEdit->setObjectName(QStringLiteral("throughDateEdit"));
  importButton = new QPushButton(QStringLiteral("Import"), this);
  importButton->setObjectName(QStringLiteral("importButton"));
  cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton->setObjectName(QStringLiteral("cancelButton"));
  helpButton = new HelpButton(ui_, kHelpContext, this);
  connect(browseButton, &QPushButton::clicked, this, guarded(ui_, [this] { browseClicked(); }));
  connect(importButton, &QPushButton::clicked, this, guarded(ui_, [this] { importClicked(); }));
  connect(cancelButton, &QPushButton::clicked, this, &PaymentImportDialog::cancelClicked);

  auto* file = new QHBoxLayout;
  file->addWidget(browseButton);
  file->addWidget(pathEdit, 1);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Import to Account:"), accountBox);
  form->addRow(QStringLiteral("Import to Folder:"), folderBox);
  form->addRow(QStringLiteral("Import Income Beginning:"), fromDateEdit);
  form->addRow(QStringLiteral("Through:"), throughDateEdit);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(importButton);
  buttons->addWidget(cancelButton);
  buttons->addStretch();
  buttons->addWidget(helpButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(file);
  layout->addSpacing(8);
  layout->addLayout(form);
  layout->addStretch();
  layout->addLayout(buttons);
  setTabOrder(browseButton, accountBox);
  setTabOrder(accountBox, folderBox);
  setTabOrder(folderBox, fromDateEdit);
  setTabOrder(fromDateEdit, throughDateEdit);
  setTabOrder(throughDateEdit, importButton);
  setTabOrder(importButton, cancelButton);
  setTabOrder(cancelButton, helpButton);
  resize(427, 273);
  WindowKeys::Install(*this, &ui_);
}

void PaymentImportDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  prepare();
}

void PaymentImportDialog::fillAccounts() {
  accountBox->clear();
  AccountTable& accI = db_.accI();
  d4tagSelectP(accI.data, accI.AccTag);
  WalkAll(accI.data, [&] {
    accountBox->addItem(f4text(accI.AccNo) + QStringLiteral(" - ") + f4text(accI.AcDesc));
  });
  if (accountBox->count() == 0) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Income Accounts must be defined before importing Income Records"));
    importButton->setEnabled(false);
  }
  accountBox->setCurrentIndex(accountBox->count() > 0 ? 0 : -1);
}

void PaymentImportDialog::fillFolders() {
  folderBox->clear();
  FolderTable& folder = db_.folder();
  d4tagSelectP(folder.data, folder.FolTag);
  WalkAll(folder.data, [&] {
    if (d4deleted(folder.data)) return;
    folderBox->addItem(f4text(folder.FolNo) + QStringLiteral(" - ") + f4text(folder.FolName));
  });
  if (folderBox->count() == 0) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Folders must be defined before importing Income Records"));
    importButton->setEnabled(false);
  }
  folderBox->setCurrentIndex(folderBox->count() > 0 ? 0 : -1);
}

void PaymentImportDialog::setPath(const QString& path) {
  path_ = path;
  pathEdit->setText(path);
}

void PaymentImportDialog::prepare() {
  importButton->setEnabled(true);
  fillAccounts();
  fillFolders();
  xbase::FileSystem& files = db_.code()->fs();
  setPath(files.exists(db_.code()->pathOf(kPaymentFile.toStdString()))
              ? QStringLiteral("gstPmt.dbf")
              : QString());
  const SettingsRecord& settings = db_.settingsRecord();
  const QDate today = clock_.today();
  fromDateEdit->setDate(FiscalYear::FiscalYearStart(today, settings.FyMonth, settings.FyDay));
  throughDateEdit->setDate(today);
}

void PaymentImportDialog::browseClicked() {
  const QString start =
      path_.isEmpty()
          ? QString::fromStdString(db_.code()->directory())
          : QDir(QString::fromStdString(db_.code()->directory())).absoluteFilePath(path_);
  const QString chosen =
      ui_.openFileName(QStringLiteral("Billwise Directory"), start,
                       QStringLiteral("Billwise Payment File (gstpmt.dbf GSTPMT.DBF)"));
  if (chosen.isEmpty()) return;
  // Only the directory counts: the file read is the payment file found there.
  xbase::FileSystem& files = db_.code()->fs();
  const std::string found =
      files.resolve(QDir(QFileInfo(chosen).absolutePath()).filePath(kPaymentFile).toStdString());
  if (files.exists(found)) {
    setPath(QString::fromStdString(found));
  } else {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                chosen + QStringLiteral("\r\nis not a valid Billwise Payment file. Try again."));
  }
}

void PaymentImportDialog::importClicked() {
  if (path_.isEmpty()) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Please Choose Billwise Directory."));
    return;
  }
  if (!DatePicker::ReadRange(*fromDateEdit, *throughDateEdit, ui_)) return;
  ImportRequest request{path_, fromDateEdit->date(), throughDateEdit->date(), 0, 0};
  for (auto [box, number, field] :
       {std::tuple{accountBox, &request.account, QStringLiteral("Import to Account")},
        std::tuple{folderBox, &request.folder, QStringLiteral("Import to Folder")}}) {
    if (!numberOfItem(box, number)) {
      ui_.message(Ui::Type::Warning, Ui::Buttons::Ok,
                  QStringLiteral("Data Conversion Error in ") + field +
                      QStringLiteral(". Please check values and try again"));
      return;
    }
  }
  PaymentImporter importer(db_, progress_);
  const PaymentImporter::Result checked = importer.Check(request);
  if (!checked.ok) {
    ui_.message(Ui::Type::Warning, Ui::Buttons::Ok, checked.message);
    return;
  }
  accept();  // out of the way of the status bar while the payments load
  const PaymentImporter::Result imported = importer.Import();
  if (imported.deleted > 0) state_.PackPending = true;
  if (!imported.ok) {
    ui_.message(Ui::Type::Warning, Ui::Buttons::Ok, imported.message);
    return;
  }
  ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
              QStringLiteral("Payments imported: %1 income records added, %2 earlier imports "
                             "replaced.")
                  .arg(imported.imported)
                  .arg(imported.deleted));
}

void PaymentImportDialog::cancelClicked() { reject(); }
