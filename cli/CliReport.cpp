#include "CliReport.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QTemporaryDir>

#include "BatchPrompts.h"
#include "CliReportHost.h"
#include "Database.h"
#include "MasterTables.h"
#include "ProfitChart.h"
#include "ReportBuilder.h"
#include "ReportCatalog.h"
#include "ReportCsv.h"
#include "ReportExport.h"
#include "ReportPrinting.h"
#include "ReportRules.h"
#include "TableWalk.h"

namespace {

// The size of a chart picture, in pixels.
constexpr QSize kChartSize(1600, 1000);

}  // namespace

QFont CliReport::ReportFont(const SettingsRecord& settings) {
  return ReportPrinting::ReportFont(QGuiApplication::font(), settings);
}

int CliReport::MeasuredLinesPerPage(const SettingsRecord& settings) {
  return ReportPrinting::PdfLinesPerPage(ReportFont(settings))
      .value_or(ReportRules::kDefaultLinesPerPage);
}

int CliReport::Run(const CliOptions& options, const QDate& today) {
  const ReportCatalog::Entry& report = ReportCatalog::Of(options.report);
  struct CloseAll {
    CODE4* code;
    ~CloseAll() { code4close(code); }
  } closeAll{db_.code()};
  for (ReportCatalog::OpenRoutine open : report.tables) (db_.*open)();

  // Everything the books must hold is checked before a byte is written.
  const QList<int> folders = report.choosesFolders ? chosenFolders(options.folders) : QList<int>{};
  const int account =
      report.accountDetail ? accountRecord(report.expenseSide, *options.account) : 0;

  const SettingsRecord& settings = db_.settingsRecord();
  CliReportHost host(ui_, progress_, folders, [&] {
    return options.linesPerPage > 0 ? options.linesPerPage : MeasuredLinesPerPage(settings);
  });
  // Charts take no dates: the range is empty, as it does not show.
  ReportBuilder builder(
      db_, host,
      ReportRequest{options.from.value_or(today), options.to.value_or(today), today, QLocale()});
  if (report.choosesFolders) {
    builder.ChooseFolders();
    if (builder.SelectedFolders.isEmpty()) return kExitFailed;  // the books hold no folder
  }
  ReportCatalog::Build(db_, builder, options.report, account);
  // A table that failed during the walks gives no report: its figures would be wrong.
  error4exitTest(db_.code(), db_.host());
  int status = kExitOk;
  if (builder.LastLine() < 0) {
    ui_.Tell(QStringLiteral("Report contains no data."));
  } else if (!write(builder.Document(), options)) {
    status = kExitFailed;
  }
  builder.EndReport();
  return status;
}

QList<int> CliReport::chosenFolders(const QList<int>& wanted) {
  FolderTable& folder = db_.folder();
  d4tagSelectP(folder.data, folder.FolTag);
  QList<int> listed;
  WalkAll(folder.data, [&] {
    if (!d4deleted(folder.data)) listed.append(f4int(folder.FolNo));
  });
  if (wanted.isEmpty()) return listed;
  for (int number : wanted) {
    if (!listed.contains(number)) {
      throw UsageError(QStringLiteral("folder %1 does not exist").arg(number));
    }
  }
  QList<int> chosen;
  for (int number : listed) {
    if (wanted.contains(number)) chosen.append(number);
  }
  return chosen;
}

int CliReport::accountRecord(bool expenseSide, int number) {
  AccountTable& table = expenseSide ? db_.acc() : db_.accI();
  if (!MasterTables::seekLive(table.data, table.AccNo, number)) {
    throw UsageError(QStringLiteral("%1 account %2 does not exist")
                         .arg(expenseSide ? QStringLiteral("expense") : QStringLiteral("income"))
                         .arg(number));
  }
  return static_cast<int>(d4recNo(table.data));
}

bool CliReport::write(const ReportDocument& document, const CliOptions& options) {
  // Standard output gets the very bytes the file would hold: the file is written to a
  // temporary directory and copied out.
  QTemporaryDir scratch;
  const QString path =
      options.output.isEmpty() ? scratch.filePath(QStringLiteral("report")) : options.output;
  bool written = false;
  switch (options.format) {
    case ReportFormat::Text:
      written = ReportExport::Write(document, ReportExport::Layout::FixedColumns, path);
      break;
    case ReportFormat::Tabs:
      written = ReportExport::Write(document, ReportExport::Layout::TabDelimited, path);
      break;
    case ReportFormat::Csv:
      written = ReportCsv::Write(document, path);
      break;
    case ReportFormat::Png:
      written = ProfitChart::FromDocument(document, QLocale()).WritePng(path, kChartSize);
      break;
    case ReportFormat::Svg:
      written = ProfitChart::FromDocument(document, QLocale()).WriteSvg(path, kChartSize);
      break;
    case ReportFormat::Pdf: {
      written = ReportPrinting::PrintPdf(
          document, ReportPrinting::DefaultPdfLayout(), ReportPrinting::kPdfResolution,
          ReportFont(db_.settingsRecord()), path, QStringLiteral("Report"));
      break;
    }
  }
  if (written && options.output.isEmpty()) {
    QFile file(path);
    written = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    out_.write(bytes.constData(), bytes.size());
    out_.flush();
  }
  if (!written) ui_.Tell(QStringLiteral("Unable to save to: ") + path);
  return written;
}
