#include "PaymentImportDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppState.h"
#include "Clock.h"
#include "Database.h"
#include "DatePicker.h"
#include "FiscalYear.h"
#include "Guarded.h"
#include "HelpButton.h"
#include "PaymentImporter.h"
#include "Ui.h"
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

PaymentImportDialog::PaymentImportDialog(Database& db, AppState& state, Ui& ui, ProgressSink& progress,
                       const Clock& clock, QWidget* parent)
    : QDialog(parent), db_(db), state_(state), ui_(ui), progress_(progress), clock_(clock) {
  setObjectName(QStringLiteral("PmtImport"));
  setWindowTitle(QStringLiteral("Import Billwise Payment (Income) Data"));
  BtnBrowse = new QPushButton(QStringLiteral("Billwise Directory"), this);
  BtnBrowse->setObjectName(QStringLiteral("BtnBrowse"));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setEnabled(false);
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox2 = new QComboBox(this);
  ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
  for (QComboBox* box : {ComboBox1, ComboBox2}) {
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(24);
  }
  DateTimePicker1 = new DatePicker(this);
  DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
  DateTimePicker2 = new DatePicker(this);
  DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
  BtnImport = new QPushButton(QStringLiteral("Import"), this);
  BtnImport->setObjectName(QStringLiteral("BtnImport"));
  BtnImport->setDefault(true);
  BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BitBtn1 = new HelpButton(ui_, kHelpContext, this);
  connect(BtnBrowse, &QPushButton::clicked, this, guarded(ui_, [this] { BtnBrowseClick(); }));
  connect(BtnImport, &QPushButton::clicked, this, guarded(ui_, [this] { BtnImportClick(); }));
  connect(BtnCancel, &QPushButton::clicked, this, &PaymentImportDialog::BtnCancelClick);

  auto* file = new QHBoxLayout;
  file->addWidget(BtnBrowse);
  file->addWidget(Edit1, 1);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Import to Account:"), ComboBox1);
  form->addRow(QStringLiteral("Import to Folder:"), ComboBox2);
  form->addRow(QStringLiteral("Import Income Beginning:"), DateTimePicker1);
  form->addRow(QStringLiteral("Through:"), DateTimePicker2);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnImport);
  buttons->addWidget(BtnCancel);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(file);
  layout->addSpacing(8);
  layout->addLayout(form);
  layout->addStretch();
  layout->addLayout(buttons);
  setTabOrder(BtnBrowse, ComboBox1);
  setTabOrder(ComboBox1, ComboBox2);
  setTabOrder(ComboBox2, BtnImport);
  setTabOrder(BtnImport, BtnCancel);
  setTabOrder(BtnCancel, BitBtn1);
  setTabOrder(BitBtn1, DateTimePicker1);
  setTabOrder(DateTimePicker1, DateTimePicker2);
  resize(427, 273);
}

void PaymentImportDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void PaymentImportDialog::fillAccounts() {
  ComboBox1->clear();
  AccountTable& accI = db_.accI();
  d4tagSelectP(accI.data, accI.AccTag);
  for (int rc = d4top(accI.data); rc == xbase::kSuccess; rc = d4skip(accI.data, 1)) {
    ComboBox1->addItem(f4text(accI.AccNo) + QStringLiteral(" - ") + f4text(accI.AcDesc));
  }
  if (ComboBox1->count() == 0) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Income Accounts must be defined before importing Income Records"));
    BtnImport->setEnabled(false);
  }
  ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
}

void PaymentImportDialog::fillFolders() {
  ComboBox2->clear();
  FolderTable& folder = db_.folder();
  d4tagSelectP(folder.data, folder.FolTag);
  for (int rc = d4top(folder.data); rc == xbase::kSuccess; rc = d4skip(folder.data, 1)) {
    if (d4deleted(folder.data)) continue;
    ComboBox2->addItem(f4text(folder.FolNo) + QStringLiteral(" - ") + f4text(folder.FolName));
  }
  if (ComboBox2->count() == 0) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Folders must be defined before importing Income Records"));
    BtnImport->setEnabled(false);
  }
  ComboBox2->setCurrentIndex(ComboBox2->count() > 0 ? 0 : -1);
}

void PaymentImportDialog::setPath(const QString& path) {
  path_ = path;
  Edit1->setText(path);
}

void PaymentImportDialog::FormShow() {
  BtnImport->setEnabled(true);
  fillAccounts();
  fillFolders();
  xbase::FileSystem& files = db_.code()->fs();
  setPath(files.exists(db_.code()->pathOf(kPaymentFile.toStdString()))
              ? QStringLiteral("gstPmt.dbf")
              : QString());
  const SettingsRecord& settings = db_.settingsRecord();
  const QDate today = clock_.today();
  DateTimePicker1->setDate(FiscalYear::FiscalYearStart(today, settings.FyMonth, settings.FyDay));
  DateTimePicker2->setDate(today);
  DateTimePicker1->setFocus();
}

void PaymentImportDialog::BtnBrowseClick() {
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

void PaymentImportDialog::BtnImportClick() {
  if (path_.isEmpty()) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Please Choose Billwise Directory."));
    return;
  }
  ImportRequest request{path_, DateTimePicker1->date(), DateTimePicker2->date(), 0, 0};
  if (!numberOfItem(ComboBox1, &request.account) || !numberOfItem(ComboBox2, &request.folder)) {
    ui_.message(Ui::Type::Warning, Ui::Buttons::Ok,
                QStringLiteral("Data Conversion Error. Please check values and try again"));
    return;
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
  if (!imported.ok) ui_.message(Ui::Type::Warning, Ui::Buttons::Ok, imported.message);
}

void PaymentImportDialog::BtnCancelClick() { reject(); }
