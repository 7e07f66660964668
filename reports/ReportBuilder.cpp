#include "ReportBuilder.h"

#include <algorithm>

#include "Conversions.h"
#include "Database.h"
#include "FiscalYear.h"
#include "ReportCell.h"
#include "ReportHost.h"
#include "TableWalk.h"

namespace {

// Seeks an account table (account tag) for number; true when it holds that account with
// AcDed set. read copies the record found into its structure.
template <class Read>
bool accountFlagged(AccountTable& table, const AccountRecord& record, int number, Read read) {
  d4tagSelectP(table.data, table.AccTag);
  if (d4seek(table.data, Conversions::KeyBuffer(Conversions::PadLeft(number, 4))) == 3) {
    return false;
  }
  read();
  return record.AccNo == number && record.AcDed;
}

}  // namespace

ReportBuilder::ReportBuilder(Database& db, ReportHost& host, const ReportRequest& request)
    : db_(db), host_(host), request_(request), money_(request.Locale) {}

QString ReportBuilder::ReportDate(const QDate& date) const {
  if (date != lastDate_ || ReportDateFormat != lastDateFormat_) {
    lastDate_ = date;
    lastDateFormat_ = ReportDateFormat;
    lastDateText_ = date.toString(ReportDateFormat);
  }
  return lastDateText_;
}

void ReportBuilder::BeginReport(int reportWidth, int cellCount) {
  document_.Reset(reportWidth, cellCount);
  PageLines = -1;
  PageNumber = 0;
  ReportDateFormat = ReportRules::ReportDateFormat(request_.Locale);
  ReportTitles.clear();
  ReportSubheading.clear();
  QStringList emptyLine;
  emptyLine.resize(cellCount);
  ColumnHeadings = {emptyLine};
  CellPrefixes.clear();
  CellPrefixes.resize(cellCount - 1);
  LinesPerPage = host_.LinesPerPage();
}

void ReportBuilder::EndReport() {
  document_.Clear();
  ColumnHeadings.clear();
  CellPrefixes.clear();
}

int ReportBuilder::AddLine() {
  ++PageLines;
  return document_.AddLine();
}

void ReportBuilder::AddBlankLine() {
  if (PageLines < LinesPerPage) AddLine();
}

void ReportBuilder::AddTitles() {
  const QString centre = QLatin1Char('C') + Conversions::PadLeft(document_.ReportWidth() / 2, 2);
  for (const QString& title : ReportTitles) {
    const int line = AddLine();
    document_.SetCell(line, 0, centre + title);
    document_.SetStyle(line, QStringLiteral("B"));
  }
}

void ReportBuilder::AddSubheading() {
  AddLine();
  const int line = AddLine();
  document_.SetCell(line, 0, QStringLiteral("L00") + ReportSubheading);
  document_.SetStyle(line, QStringLiteral("B"));
}

void ReportBuilder::AddColumnHeadings() {
  AddLine();
  for (QStringList heading : ColumnHeadings) {
    heading.resize(document_.CellCount());
    document_.SetLine(AddLine(), heading);
  }
}

bool ReportBuilder::CheckPage(int needed, bool withHeadings) {
  if (PageNumber > 0 && needed <= LinesPerPage) return false;
  ++PageNumber;
  if (PageNumber > 1) {
    if (withHeadings) SetLastStyle(QStringLiteral("U"));
    document_.SetCell(AddLine(), 0, QStringLiteral("EJECT"));
  }
  PageLines = 0;
  const int line = AddLine();
  document_.SetCell(line, 0, QStringLiteral("L00Page ") + QString::number(PageNumber));
  // The date ends at the report's right edge.
  document_.SetCell(line, 1,
                    QLatin1Char('R') + Conversions::PadLeft(document_.ReportWidth(), 2) +
                        ShortDate(request_.Today));
  AddLine();
  AddTitles();
  AddSubheading();
  if (withHeadings) AddColumnHeadings();
  return true;
}

void ReportBuilder::SectionChange() {
  if (LastLine() < 0 || CheckPage(PageLines + 6, true)) return;
  AddLine();
  AddSubheading();
  AddColumnHeadings();
}

int ReportBuilder::AddRow(const QList<ReportValue>& values, int linesNeeded,
                          const QList<int>& emptyColumns) {
  return addRow(values, linesNeeded, emptyColumns, false);
}

int ReportBuilder::AddTotalRow(const QList<ReportValue>& values, int linesNeeded,
                               const QList<int>& emptyColumns) {
  return addRow(values, linesNeeded, emptyColumns, true);
}

int ReportBuilder::addRow(const QList<ReportValue>& values, int linesNeeded,
                          const QList<int>& emptyColumns, bool total) {
  if (document_.DataColumns().isEmpty()) document_.SetDataColumns(dataColumnNames());
  CheckPage(PageLines + linesNeeded, true);
  const int line = AddLine();
  ReportDataRow data{ReportSubheading.trimmed(), total, {}};
  data.values.resize(document_.CellCount() - 1);
  for (int column = 0; column < values.size(); ++column) {
    if (emptyColumns.contains(column)) continue;
    const ReportValue& value = values[column];
    switch (value.kind) {
      case ReportValue::Kind::Text:
        document_.SetCell(line, column, CellPrefixes.value(column) + value.text);
        data.values[column] = value.text.trimmed();
        break;
      case ReportValue::Kind::Date:
        document_.SetCell(line, column, CellPrefixes.value(column) + ReportDate(value.date));
        data.values[column] = ReportRules::IsoDate(value.date);
        break;
      case ReportValue::Kind::Money:
        document_.SetCell(line, column, CellPrefixes.value(column) + Money(value.amount));
        data.values[column] = MoneyFormat::Plain(value.amount);
        break;
      case ReportValue::Kind::WholeDollars:
        document_.SetCell(line, column,
                          CellPrefixes.value(column) + request_.Locale.toString(value.dollars));
        data.values[column] = QString::number(value.dollars);
        break;
    }
  }
  document_.AddDataRow(data);
  return line;
}

QStringList ReportBuilder::dataColumnNames() const {
  QStringList names;
  for (int column = 0; column < document_.CellCount() - 1; ++column) {
    QStringList words;
    for (const QStringList& heading : ColumnHeadings) {
      const QString text = ReportCell::Parse(heading.value(column)).text.trimmed();
      if (!text.isEmpty()) words.append(text);
    }
    names.append(words.join(QLatin1Char(' ')));
  }
  return names;
}

void ReportBuilder::MakeRoomForDates(int nextWidth) {
  int widest = 0;
  for (int month = 1; month <= 12; ++month) {
    widest = std::max(widest, static_cast<int>(ReportDate(QDate(2000, month, 28)).size()));
  }
  const ReportCell date = ReportCell::Parse(CellPrefixes.value(0));
  const ReportCell next = ReportCell::Parse(CellPrefixes.value(1));
  const int nextStart =
      next.kind == ReportCell::Kind::Right ? next.column - nextWidth : next.column;
  const int shift = date.column + widest + 1 - nextStart;
  if (shift <= 0) return;
  for (int column = 1; column < CellPrefixes.size(); ++column) {
    CellPrefixes[column] = ReportCell::Moved(CellPrefixes[column], shift);
  }
  for (QStringList& heading : ColumnHeadings) {
    for (int column = 1; column < heading.size() - 1; ++column) {
      heading[column] = ReportCell::Moved(heading[column], shift);
    }
  }
  document_.Widen(shift);
}

void ReportBuilder::SetStandardTitles(const QString& reportName) {
  SetStandardTitles(reportName, request_.StartDate);
}

void ReportBuilder::SetStandardTitles(const QString& reportName, const QDate& start) {
  const QString folder = SelectedFolders.size() == 1
                             ? FolderName(SelectedFolders.front()) + QLatin1Char(' ')
                             : QString();
  ReportTitles = {folder + reportName, QStringLiteral("for ") + ShortDate(start) +
                                           QStringLiteral(" through ") +
                                           ShortDate(request_.EndDate)};
}

void ReportBuilder::ChooseFolders() {
  SelectedFolders.clear();
  FolderTable& folder = db_.folder();
  d4tagSelectP(folder.data, folder.FolTag);
  QList<int> listed;
  WalkAll(folder.data, [&] {
    if (d4deleted(folder.data)) return;
    db_.ReadFolder();
    listed.append(db_.folderRecord().FolNo);
  });
  if (listed.isEmpty()) {
    host_.Inform(QStringLiteral("Create folders before running reports"));
  } else if (listed.size() == 1) {
    SelectedFolders = listed;
  } else {
    SelectedFolders = host_.PickFolders();
  }
}

bool ReportBuilder::IsSelectedFolder(int folderNumber) const {
  return Conversions::FindInArray({SelectedFolders.constData(), size_t(SelectedFolders.size())},
                                  folderNumber) >= 0;
}

bool ReportBuilder::seekFolder(int folderNumber) {
  FolderTable& folder = db_.folder();
  d4tagSelectP(folder.data, folder.FolTag);
  if (d4seek(folder.data, Conversions::KeyBuffer(Conversions::PadLeft(folderNumber, 4))) == 3) {
    return false;
  }
  db_.ReadFolder();
  return true;
}

QString ReportBuilder::FolderName(int folderNumber) {
  return seekFolder(folderNumber) ? db_.folderRecord().FolName.trimmed() : QString();
}

QDate ReportBuilder::FiscalYearStart(const QDate& date) const {
  const SettingsRecord& settings = db_.settingsRecord();
  return FiscalYear::FiscalYearStart(date, settings.FyMonth, settings.FyDay);
}

bool ReportBuilder::IsDeductibleAccount(int accountNumber) {
  return accountFlagged(db_.acc(), db_.accRecord(), accountNumber, [this] { db_.ReadAcc(); });
}

bool ReportBuilder::IsTaxableAccount(int accountNumber) {
  return accountFlagged(db_.accI(), db_.accIRecord(), accountNumber, [this] { db_.ReadAccI(); });
}

void ReportBuilder::AddIncludedFolders() {
  AddBlankLine();
  AddBlankLine();
  bool first = true;
  for (const int folderNumber : SelectedFolders) {
    CheckPage(PageLines + 1, false);
    const int line = AddLine();
    if (first) document_.SetCell(line, 0, QStringLiteral("L00Included Folders:"));
    first = false;
    if (seekFolder(folderNumber)) {
      document_.SetCell(line, 1, QStringLiteral("L18") + db_.folderRecord().FolName);
    }
  }
}
