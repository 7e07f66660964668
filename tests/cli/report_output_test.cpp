// The report command writes, for every report, the very bytes the viewer's export writes
// for the same books and choices: the document built through the same generator from the
// same tables, exported by ReportExport as the viewer's Export menu does.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "BatchPrompts.h"
#include "CliBooks.h"
#include "CliProcess.h"
#include "CliReport.h"
#include "ReportCatalog.h"
#include "ReportExport.h"
#include "TableWalk.h"

namespace {

const QDate kFrom(2024, 1, 15);
const QDate kTo(2024, 3, 10);

// What the viewer exports for kind on books: the report command's tables opened in the
// catalog's order, folders picked in the folder window (the list order), the account
// picked from the pick list by its record, the document exported to a file.
QByteArray viewerExport(CliBooks& books, ReportKind kind, const QList<int>& picked,
                        int accountNumber, int linesPerPage, ReportExport::Layout layout,
                        const QDate& from = kFrom, const QDate& to = kTo) {
  Database& db = books.db;
  const ReportCatalog::Entry& entry = ReportCatalog::Of(kind);
  for (ReportCatalog::OpenRoutine open : entry.tables) (db.*open)();
  RecordingReportHost host;
  host.linesPerPage = linesPerPage;
  host.picked = picked;
  ReportBuilder builder(db, host, ReportRequest{from, to, QDate::currentDate(), QLocale()});
  if (entry.choosesFolders) builder.ChooseFolders();
  int record = 0;
  if (entry.accountDetail) {
    DATA4* accounts = entry.expenseSide ? db.acc().data : db.accI().data;
    FIELD4* number = entry.expenseSide ? db.acc().AccNo : db.accI().AccNo;
    WalkAll(accounts, [&] {
      if (f4int(number) == accountNumber) record = static_cast<int>(d4recNo(accounts));
      return record == 0;
    });
  }
  EXPECT_TRUE(ReportCatalog::Build(db, builder, kind, record));
  QTemporaryDir scratch;
  const QString path = scratch.filePath(QStringLiteral("export"));
  EXPECT_TRUE(ReportExport::Write(builder.Document(), layout, path));
  builder.EndReport();
  code4close(db.code());
  return fileBytes(path);
}

struct ReportCase {
  const char* label;
  QStringList arguments;  // after "report"
  ReportKind kind;
  QList<int> picked;  // what the folder window answers for the same choice
  int account = 0;
};

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.label; }

const QStringList kRange{"--from", "2024-01-15", "--to", "2024-03-10"};
const QStringList kFolders{"--folders", "2,1"};  // given backwards: the report lists 1, 2

std::vector<ReportCase> everyReport() {
  return {
      {"ExpenseSummary",
       QStringList{"expense-summary"} + kRange + kFolders,
       ReportKind::ExpenseSummary,
       {1, 2}},
      {"ExpenseDetail",
       QStringList{"expense-detail"} + kRange + kFolders,
       ReportKind::ExpenseDetail,
       {1, 2}},
      {"ExpenseAccountDetail",
       QStringList{"expense-detail", "--account", "10"} + kRange + kFolders,
       ReportKind::ExpenseAccountDetail,
       {1, 2},
       10},
      {"ExpenseChart", {"expense-chart"}, ReportKind::ExpenseChart, {}},
      {"IncomeSummary",
       QStringList{"income-summary"} + kRange + kFolders,
       ReportKind::IncomeSummary,
       {1, 2}},
      {"IncomeDetail",
       QStringList{"income-detail"} + kRange + QStringList{"--folders", "1"},
       ReportKind::IncomeDetail,
       {1}},
      {"IncomeAccountDetail",
       QStringList{"income-detail", "--account", "1"} + kRange + kFolders,
       ReportKind::IncomeAccountDetail,
       {1, 2},
       1},
      {"IncomeChart", {"income-chart"}, ReportKind::IncomeChart, {}},
      {"GstSummaryAllFolders",
       QStringList{"gst-summary", "--all-folders"} + kRange,
       ReportKind::GstSummary,
       {1, 2, 3}},
      {"GeneralLedgerEveryFolderByDefault",
       QStringList{"general-ledger"} + kRange,
       ReportKind::GeneralLedger,
       {1, 2, 3}},
      {"WeeklyProfit",
       QStringList{"profit", "--weekly"} + kRange + kFolders,
       ReportKind::WeeklyProfit,
       {1, 2}},
      {"MonthlyProfit",
       QStringList{"profit", "--monthly"} + kRange + kFolders,
       ReportKind::MonthlyProfit,
       {1, 2}},
      {"TaxReturn", QStringList{"tax-return"} + kRange + kFolders, ReportKind::TaxReturn, {1, 2}},
  };
}

class EveryReport : public testing::TestWithParam<ReportCase> {
 protected:
  CliBooks books;
};

TEST_P(EveryReport, TextToAFileAndTabsToStandardOutputAreTheViewersExport) {
  const ReportCase& c = GetParam();
  const QByteArray text =
      viewerExport(books, c.kind, c.picked, c.account, 54, ReportExport::Layout::FixedColumns);
  const QByteArray tabs =
      viewerExport(books, c.kind, c.picked, c.account, 54, ReportExport::Layout::TabDelimited);
  ASSERT_GT(text.count("\r\n"), 5) << "the books give this report too little to compare";

  QTemporaryDir out;
  const QString file = out.filePath(QStringLiteral("report.txt"));
  const CliRun toFile =
      runCli(QStringList{"report"} + c.arguments +
                 QStringList{"--format", "txt", "--lines-per-page", "54", "--output", file},
             books.dir());
  EXPECT_EQ(toFile.status, 0) << toFile.err.toStdString();
  EXPECT_TRUE(toFile.out.isEmpty());
  EXPECT_EQ(fileBytes(file), text);

  const CliRun toStdout = runCli(QStringList{"report"} + c.arguments +
                                     QStringList{"--format", "tab", "--lines-per-page", "54"},
                                 books.dir());
  EXPECT_EQ(toStdout.status, 0) << toStdout.err.toStdString();
  EXPECT_EQ(toStdout.out, tabs);
}

INSTANTIATE_TEST_SUITE_P(Cli, EveryReport, testing::ValuesIn(everyReport()),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ReportPages, ShortPagesBreakWhereTheViewersExportBreaksThem) {
  CliBooks books;
  const QByteArray expected = viewerExport(books, ReportKind::GeneralLedger, {1, 2}, 0, 20,
                                           ReportExport::Layout::FixedColumns);
  const QByteArray longPages = viewerExport(books, ReportKind::GeneralLedger, {1, 2}, 0, 54,
                                            ReportExport::Layout::FixedColumns);
  ASSERT_NE(expected, longPages) << "20 lines a page must break the ledger somewhere";

  const CliRun run = runCli(QStringList{"report", "general-ledger"} + kRange + kFolders +
                                QStringList{"--format", "txt", "--lines-per-page", "20"},
                            books.dir());
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, expected);
}

TEST(ReportPages, WithoutAChoiceThePageIsMeasuredAsTheWindowProgramMeasuresIt) {
  CliBooks books;
  const int measured = CliReport::MeasuredLinesPerPage(books.db.settingsRecord());
  ASSERT_GT(measured, 20);
  const QByteArray expected = viewerExport(books, ReportKind::ExpenseDetail, {1, 2}, 0, measured,
                                           ReportExport::Layout::FixedColumns);

  const CliRun run = runCli(
      QStringList{"report", "expense-detail"} + kRange + kFolders + QStringList{"--format", "txt"},
      books.dir());
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, expected);
}

TEST(ReportOutput, PdfGoesThroughThePrintRoutineOnePagePerDocumentPage) {
  CliBooks books;
  QTemporaryDir out;
  const QString file = out.filePath(QStringLiteral("ledger.pdf"));
  const CliRun run =
      runCli(QStringList{"report", "general-ledger"} + kRange + kFolders +
                 QStringList{"--format", "pdf", "--lines-per-page", "20", "--output", file},
             books.dir());
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QByteArray pdf = fileBytes(file);
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  // The text export shows each page break as an empty line; the PDF has a page for each
  // page the builder began.
  const QByteArray text = viewerExport(books, ReportKind::GeneralLedger, {1, 2}, 0, 20,
                                       ReportExport::Layout::FixedColumns);
  const int pages = static_cast<int>(text.count("Page "));
  ASSERT_GT(pages, 1);
  EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), pages);
}

TEST(ReportOutput, CsvForSpreadsheetsAndTheProfitChartAsPictures) {
  CliBooks books;
  const CliRun csv = runCli(
      QStringList{"report", "tax-return"} + kRange + kFolders + QStringList{"--format", "csv"},
      books.dir());
  ASSERT_EQ(csv.status, 0) << csv.err.toStdString();
  EXPECT_TRUE(csv.out.startsWith("Row,Section,BAS,Item,Amount,Whole Dollars\r\n"));
  EXPECT_TRUE(csv.out.contains("\r\nitem,Sales,G1,Total sales including GST,"));

  QTemporaryDir out;
  const QString png = out.filePath(QStringLiteral("profit.png"));
  const CliRun chart = runCli(QStringList{"report", "profit", "--monthly"} + kRange + kFolders +
                                  QStringList{"--format", "png", "--output", png},
                              books.dir());
  ASSERT_EQ(chart.status, 0) << chart.err.toStdString();
  EXPECT_TRUE(fileBytes(png).startsWith("\x89PNG"));
  const CliRun svg = runCli(QStringList{"report", "profit", "--weekly"} + kRange + kFolders +
                                QStringList{"--format", "svg"},
                            books.dir());
  EXPECT_TRUE(svg.out.contains("<svg"));
  const CliRun notProfit = runCli(
      QStringList{"report", "gst-summary"} + kRange + QStringList{"--format", "png"}, books.dir());
  EXPECT_EQ(notProfit.status, 2);
}

TEST(ReportOutput, AReportWithoutDataSaysSoAndWritesNothing) {
  CliBooks books;
  QTemporaryDir out;
  const QString file = out.filePath(QStringLiteral("empty.txt"));
  const CliRun run = runCli({"report", "expense-detail", "--from", "2010-01-01", "--to",
                             "2010-01-31", "--format", "txt", "--output", file},
                            books.dir());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, QStringLiteral("Report contains no data.\n"));
  EXPECT_FALSE(QFile::exists(file));
}

TEST(ReportOutput, BooksWithoutFoldersMakeNoReportAndFail) {
  TestBooks books;
  const CliRun run = runCli({"report", "expense-summary", "--from", "2024-01-01", "--to",
                             "2024-01-31", "--format", "txt"},
                            books.dir());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, QStringLiteral("Create folders before running reports\n"));
  EXPECT_TRUE(run.out.isEmpty());
}

}  // namespace
