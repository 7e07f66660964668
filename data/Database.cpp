#include "Database.h"

#include <QFileInfo>
#include <algorithm>
#include <initializer_list>
#include <stdexcept>

#include "ConversionError.h"
#include "ProgramHost.h"
#include "TableDefinitions.h"
#include "TableWalk.h"
#include "xbase/Status.h"

namespace {

// Settings texts are cut to this many characters before they are written.
constexpr int kSettingsTextMax = 59;

struct NumberToStore {
  FIELD4* field;
  double value;
  const char* what;  // how the message names the value
};

// The largest (or most negative) value the numeric field holds, as text.
std::string fieldLimit(const FIELD4& field, bool negative) {
  const int decimals = field.decimals();
  const int intDigits = field.width() - (decimals > 0 ? decimals + 1 : 0) - (negative ? 1 : 0);
  std::string limit = negative ? "-" : "";
  limit.append(std::max(intDigits, 0), '9');
  if (decimals > 0) limit.append(".").append(decimals, '9');
  return limit;
}

// Refuses the whole write before anything is assigned, so that no field ever keeps a
// cut or missing number while its neighbours change.
void requireFits(std::initializer_list<NumberToStore> numbers) {
  for (const NumberToStore& n : numbers) {
    if (n.field->fits(n.value)) continue;
    const bool negative = n.value < 0;
    const QString value = QString::number(n.value, 'f', n.field->decimals());
    throw ConversionError(
        QStringLiteral("The %1 %2 is too %3 for its field (%4 %5).")
            .arg(QString::fromLatin1(n.what), value,
                 negative ? QStringLiteral("small") : QStringLiteral("large"),
                 negative ? QStringLiteral("at least") : QStringLiteral("at most"),
                 QString::fromStdString(fieldLimit(*n.field, negative)))
            .toStdString());
  }
}

std::string_view flagText(bool value) { return value ? "T" : "F"; }

QDate readDate(FIELD4* field) { return DateConversions::StoredToDate(f4view(field)); }

double readDouble(FIELD4* field) {
  double value = 0;
  f4double2(field, &value);
  return value;
}

}  // namespace

Database::Database(const std::string& directory, ProgramHost& host, ProgressSink& progress,
                   const Clock& clock, xbase::FileSystem& fs)
    : code_(code4initP(directory, fs)),
      host_(host),
      dates_(clock),
      maintenance_(*code_, host, progress) {}

Database::~Database() { code4initUndoP(code_); }

// ---- Opening ----

void Database::FatalOpenError(const QString& fileName, const QString& cause) {
  code4exit(code(), host_,
            QStringLiteral("Unable to open file ") + fileName +
                (cause.isEmpty() ? QString() : QStringLiteral("\r\n") + cause) +
                QStringLiteral("\r\nProgram will now terminate."));
}

DATA4* Database::openTable(const char* baseName, const char* fileMessage) {
  // An error met earlier is reported as itself, never as this table's.
  error4exitTest(code(), host_);
  DATA4* data = d4open(code(), baseName);
  if (code()->errorCode() < 0 || data == nullptr) {
    FatalOpenError(QString::fromLatin1(fileMessage), code4errorText(code()));
  }
  return data;
}

// A table without one of the program's fields cannot be used; it counts as unopenable.
FIELD4* Database::bind(DATA4* data, const char* fieldName, const char* fileMessage) {
  FIELD4* field = d4field(data, fieldName);
  if (field == nullptr) {
    FatalOpenError(QString::fromLatin1(fileMessage),
                   QStringLiteral("It has no field %1.").arg(QLatin1String(fieldName)));
  }
  return field;
}

TAG4* Database::findTag(DATA4* data, const char* tagName, const char* tagMessage) {
  TAG4* tag = d4tag(data, tagName);
  if (tag == nullptr) {
    FatalOpenError(QString::fromLatin1(tagMessage),
                   QStringLiteral("The index group of %1 does not list it.")
                       .arg(QString::fromStdString(data->name())));
  }
  if (code()->errorCode() < 0)
    FatalOpenError(QString::fromLatin1(tagMessage), code4errorText(code()));
  return tag;
}

void Database::openAccounts(AccountTable& table, const char* baseName, const char* fileMessage,
                            const char* tagName, const char* tagMessage) {
  table.data = openTable(baseName, fileMessage);
  table.AccNo = bind(table.data, fields::kAccNo, fileMessage);
  table.AcDesc = bind(table.data, fields::kAcDesc, fileMessage);
  table.AcDed = bind(table.data, fields::kAcDed, fileMessage);
  table.AccTag = findTag(table.data, tagName, tagMessage);
  d4tagSelectP(table.data, table.AccTag);
  d4top(table.data);
}

bool Database::OpenAcc() {
  openAccounts(acc_, tables::kAcc, "ACC.DBF", tags::kAccTag, "AccTag.Ntx");
  return true;
}

bool Database::OpenAccI() {
  openAccounts(accI_, tables::kAccI, "ACCI.DBF", tags::kAcciTag, "AcciTag.Ntx");
  return true;
}

bool Database::OpenFolder() {
  constexpr char kFile[] = "FOLDER.DBF";
  folder_.data = openTable(tables::kFolder, kFile);
  folder_.FolNo = bind(folder_.data, fields::kFolNo, kFile);
  folder_.FolName = bind(folder_.data, fields::kFolName, kFile);
  folder_.FolTag = findTag(folder_.data, tags::kFolTag, "FolTag.Ntx");
  d4tagSelectP(folder_.data, folder_.FolTag);
  d4top(folder_.data);
  return true;
}

bool Database::OpenExp() {
  constexpr char kFile[] = "GSTEXP1.DBF";
  exp_.data = openTable(tables::kExpenses, kFile);
  exp_.ExpDate = bind(exp_.data, fields::kExpDate, kFile);
  exp_.CheckNo = bind(exp_.data, fields::kCheckNo, kFile);
  exp_.AccNo = bind(exp_.data, fields::kAccNo, kFile);
  exp_.FolNo = bind(exp_.data, fields::kFolNo, kFile);
  exp_.PayTo = bind(exp_.data, fields::kPayTo, kFile);
  exp_.Amount = bind(exp_.data, fields::kAmount, kFile);
  exp_.LGSTE = bind(exp_.data, fields::kLGSTE, kFile);
  exp_.GSTE = bind(exp_.data, fields::kGSTE, kFile);
  exp_.EMemo = bind(exp_.data, fields::kEMemo, kFile);
  exp_.Archive = bind(exp_.data, fields::kArchive, kFile);
  exp_.eDate = findTag(exp_.data, tags::kEDate, "eDate.Ntx");
  exp_.eAcc = findTag(exp_.data, tags::kEAcc, "eAcc.Ntx");
  d4tagSelectP(exp_.data, exp_.eDate);
  d4top(exp_.data);
  return true;
}

bool Database::OpenInc() {
  constexpr char kFile[] = "GSTINC1.DBF";
  inc_.data = openTable(tables::kIncome, kFile);
  inc_.IncAcc = bind(inc_.data, fields::kIncAcc, kFile);
  inc_.IncImp = bind(inc_.data, fields::kIncImp, kFile);
  inc_.IncDate = bind(inc_.data, fields::kIncDate, kFile);
  inc_.IncDesc = bind(inc_.data, fields::kIncDesc, kFile);
  inc_.IncAmt = bind(inc_.data, fields::kIncAmt, kFile);
  inc_.lGstI = bind(inc_.data, fields::kLGstI, kFile);
  inc_.GstI = bind(inc_.data, fields::kGstI, kFile);
  inc_.FolNo = bind(inc_.data, fields::kFolNo, kFile);
  inc_.Archive = bind(inc_.data, fields::kArchive, kFile);
  inc_.IncDateTag = findTag(inc_.data, tags::kIncDate, "IncDate.Ntx");
  inc_.IncAccTag = findTag(inc_.data, tags::kIncAcc, "IncAcc.Ntx");
  d4tagSelectP(inc_.data, inc_.IncDateTag);
  d4top(inc_.data);
  return true;
}

bool Database::OpenSettings() {
  constexpr char kFile[] = "TALY1.DBF";
  code4autoOpen(code(), 0);  // the settings table has no indexes
  settings_.data = openTable(tables::kSettings, kFile);
  code4autoOpen(code(), 1);
  settings_.FyMonth = bind(settings_.data, fields::kFyMonth, kFile);
  settings_.FyDay = bind(settings_.data, fields::kFyDay, kFile);
  settings_.FontName = bind(settings_.data, fields::kFontName, kFile);
  settings_.FontSize = bind(settings_.data, fields::kFontSize, kFile);
  settings_.GSTRate = bind(settings_.data, fields::kGSTRate, kFile);
  settings_.GSTString = bind(settings_.data, fields::kGSTString, kFile);
  d4top(settings_.data);
  return true;
}

// ---- Reading ----

void Database::readAccount(AccountTable& table, AccountRecord& record) {
  record.AccNo = f4int(table.AccNo);
  record.AcDesc = f4text(table.AcDesc);
  record.AcDed = f4true(table.AcDed) == 1;
}

void Database::ReadAcc() { readAccount(acc_, accRecord_); }
void Database::ReadAccI() { readAccount(accI_, accIRecord_); }

void Database::ReadFolder() {
  folderRecord_.FolNo = f4int(folder_.FolNo);
  folderRecord_.FolName = f4text(folder_.FolName);
}

void Database::ReadExp() {
  ExpenseRecord& r = expRecord_;
  r.ExpDate = readDate(exp_.ExpDate);
  r.CheckNo = f4long(exp_.CheckNo);
  r.AccNo = f4int(exp_.AccNo);
  r.FolNo = f4int(exp_.FolNo);
  r.PayTo = f4text(exp_.PayTo);
  r.Amount = readDouble(exp_.Amount);
  r.LGSTE = f4true(exp_.LGSTE) == 1;
  r.GSTE = readDouble(exp_.GSTE);
  r.EMemo = f4text(exp_.EMemo);
  r.Archive = f4true(exp_.Archive) == 1;
}

void Database::ReadInc() {
  IncomeRecord& r = incRecord_;
  r.IncAcc = f4int(inc_.IncAcc);
  r.IncImp = f4true(inc_.IncImp) == 1;
  r.IncDate = readDate(inc_.IncDate);
  r.IncDesc = f4text(inc_.IncDesc);
  r.IncAmt = readDouble(inc_.IncAmt);
  r.lGstI = f4true(inc_.lGstI) == 1;
  r.GstI = readDouble(inc_.GstI);
  r.FolNo = f4int(inc_.FolNo);
  r.Archive = f4true(inc_.Archive) == 1;
}

void Database::ReadSettings() {
  SettingsRecord& r = settingsRecord_;
  r.FyMonth = f4int(settings_.FyMonth);
  r.FyDay = f4int(settings_.FyDay);
  r.FontName = f4text(settings_.FontName);
  r.FontSize = f4int(settings_.FontSize);
  r.GSTRate = readDouble(settings_.GSTRate);
  r.GSTString = f4text(settings_.GSTString);
}

// ---- Writing ----

void Database::writeDate(FIELD4* field, const QDate& date) {
  f4assignText(field, dates_.DateToDTOS(date));
}

void Database::checkAccount(const AccountTable& table, const AccountRecord& record) {
  requireFits({{table.AccNo, double(record.AccNo), "account number"}});
}

void Database::assignAccount(AccountTable& table, const AccountRecord& record) {
  f4assignInt(table.AccNo, record.AccNo);
  f4assignText(table.AcDesc, record.AcDesc);
  f4assign(table.AcDed, flagText(record.AcDed));
}

void Database::checkFolder(const FolderRecord& r) const {
  requireFits({{folder_.FolNo, double(r.FolNo), "folder number"}});
}

void Database::assignFolder(const FolderRecord& r) {
  f4assignInt(folder_.FolNo, r.FolNo);
  f4assignText(folder_.FolName, r.FolName);
}

void Database::checkExp(const ExpenseRecord& r) const {
  requireFits({{exp_.CheckNo, double(r.CheckNo), "cheque number"},
               {exp_.AccNo, double(r.AccNo), "account number"},
               {exp_.FolNo, double(r.FolNo), "folder number"},
               {exp_.Amount, r.Amount, "amount"},
               {exp_.GSTE, r.GSTE, "tax amount"}});
}

void Database::assignExp(const ExpenseRecord& r) {
  writeDate(exp_.ExpDate, r.ExpDate);
  f4assignLong(exp_.CheckNo, r.CheckNo);
  f4assignInt(exp_.AccNo, r.AccNo);
  f4assignInt(exp_.FolNo, r.FolNo);
  f4assignText(exp_.PayTo, r.PayTo);
  f4assignDouble(exp_.Amount, r.Amount);
  f4assign(exp_.LGSTE, flagText(r.LGSTE));
  f4assignDouble(exp_.GSTE, r.GSTE);
  f4assignText(exp_.EMemo, r.EMemo);
  f4assign(exp_.Archive, flagText(r.Archive));
}

void Database::checkInc(const IncomeRecord& r) const {
  requireFits({{inc_.IncAcc, double(r.IncAcc), "account number"},
               {inc_.IncAmt, r.IncAmt, "amount"},
               {inc_.FolNo, double(r.FolNo), "folder number"},
               {inc_.GstI, r.GstI, "tax amount"}});
}

void Database::assignInc(const IncomeRecord& r) {
  f4assignInt(inc_.IncAcc, r.IncAcc);
  writeDate(inc_.IncDate, r.IncDate);
  f4assignText(inc_.IncDesc, r.IncDesc);
  f4assignDouble(inc_.IncAmt, r.IncAmt);
  f4assignInt(inc_.FolNo, r.FolNo);
  f4assign(inc_.IncImp, flagText(r.IncImp));
  f4assign(inc_.Archive, flagText(r.Archive));
  f4assignDouble(inc_.GstI, r.GstI);
  f4assign(inc_.lGstI, flagText(r.lGstI));
}

void Database::WriteAcc() {
  checkAccount(acc_, accRecord_);
  assignAccount(acc_, accRecord_);
  CommitRecord(acc_.data, "ACC");
}

void Database::WriteAccI() {
  checkAccount(accI_, accIRecord_);
  assignAccount(accI_, accIRecord_);
  CommitRecord(accI_.data, "ACCI");
}

void Database::WriteFolder() {
  checkFolder(folderRecord_);
  assignFolder(folderRecord_);
  CommitRecord(folder_.data, "FOLDER");
}

void Database::WriteExp() {
  checkExp(expRecord_);
  assignExp(expRecord_);
  CommitRecord(exp_.data, "EXP");
}

void Database::WriteInc() {
  checkInc(incRecord_);
  assignInc(incRecord_);
  CommitRecord(inc_.data, "INC");
}

// ---- Appending ----

bool Database::appendBlank(DATA4* table) {
  fullTable_.clear();
  if (d4appendBlank(table) == xbase::kSuccess) return true;
  // A table at the size limit is sound and nothing was written: the refusal is all the
  // user needs to know, and the program goes on.
  if (code()->errorCode() == xbase::kErrTooLarge) {
    fullTable_ = QFileInfo(QString::fromStdString(code()->errorFile())).fileName();
    code4errorCode(code(), 0);
  }
  return false;
}

template <class Record, class Assign>
long Database::append(DATA4* const& table, Record& current, const Record& record, Assign assign,
                      std::string_view commitName) {
  if (!appendBlank(table)) return kNotAppended;
  current = record;
  assign(current);
  CommitRecord(table, commitName);
  return d4recNo(table);
}

QString Database::AppendRefusedMessage() const {
  if (fullTable_.isEmpty()) return QStringLiteral("Unable to Add Record at this time . . . ");
  return QStringLiteral(
             "The books have reached the size limit of dBASE tables: %1 cannot grow past 2 GB.\r\n"
             "Pack the tables to remove deleted records, back the books up and start a new "
             "set of books for the coming years (File, Open Books).")
      .arg(fullTable_);
}

long Database::AppendAcc(const AccountRecord& record) {
  checkAccount(acc_, record);
  return append(
      acc_.data, accRecord_, record, [this](const AccountRecord& r) { assignAccount(acc_, r); },
      "ACC");
}

long Database::AppendAccI(const AccountRecord& record) {
  checkAccount(accI_, record);
  return append(
      accI_.data, accIRecord_, record, [this](const AccountRecord& r) { assignAccount(accI_, r); },
      "ACCI");
}

long Database::AppendFolder(const FolderRecord& record) {
  checkFolder(record);
  return append(
      folder_.data, folderRecord_, record, [this](const FolderRecord& r) { assignFolder(r); },
      "FOLDER");
}

long Database::AppendExp(const ExpenseRecord& record) {
  checkExp(record);
  return append(
      exp_.data, expRecord_, record, [this](const ExpenseRecord& r) { assignExp(r); }, "EXP");
}

long Database::AppendInc(const IncomeRecord& record) {
  checkInc(record);
  return append(
      inc_.data, incRecord_, record, [this](const IncomeRecord& r) { assignInc(r); }, "INC");
}

long Database::AppendExpBatched(const ExpenseRecord& record) {
  checkExp(record);
  if (!appendBlank(exp_.data)) return kNotAppended;
  expRecord_ = record;
  assignExp(record);
  return d4recNo(exp_.data);
}

long Database::AppendIncBatched(const IncomeRecord& record) {
  checkInc(record);
  if (!appendBlank(inc_.data)) return kNotAppended;
  incRecord_ = record;
  assignInc(record);
  return d4recNo(inc_.data);
}

void Database::WriteSettings() {
  const SettingsRecord& r = settingsRecord_;
  requireFits({{settings_.FyMonth, double(r.FyMonth), "fiscal year month"},
               {settings_.FyDay, double(r.FyDay), "fiscal year day"},
               {settings_.FontSize, double(r.FontSize), "font size"},
               {settings_.GSTRate, r.GSTRate, "tax rate"}});
  f4assignInt(settings_.FyMonth, r.FyMonth);
  f4assignInt(settings_.FyDay, r.FyDay);
  f4assignText(settings_.FontName, r.FontName.left(kSettingsTextMax));
  f4assignInt(settings_.FontSize, r.FontSize);
  f4assignDouble(settings_.GSTRate, r.GSTRate);
  f4assignText(settings_.GSTString, r.GSTString.left(kSettingsTextMax));
}

// ---- Committing and lookups ----

void Database::CommitRecord(DATA4* data, std::string_view commitName) {
  static constexpr std::string_view kNames[] = {"ACC", "ACCI", "EXP", "FOLDER", "INC"};
  if (std::find(std::begin(kNames), std::end(kNames), commitName) == std::end(kNames)) {
    throw std::invalid_argument("CommitRecord: unknown commit name " + std::string(commitName));
  }
  // Committed in place: a close and reopen would write the same bytes and throw away the
  // table's caches.
  const long recNo = d4recNo(data);
  d4flush(data);
  error4exitTest(code(), host_);
  if (recNo > 0) d4go(data, recNo);
}

int Database::NextFreeFolderNo() {
  d4tagSelectP(folder_.data, folder_.FolTag);
  int counter = 1;
  // Stop on an error as on the end of file: the counter is the best answer there is.
  WalkAll(folder_.data, [&] {
    if (f4int(folder_.FolNo) != counter) return false;
    ++counter;
    return true;
  });
  return counter;
}
