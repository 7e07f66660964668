// The tool's pieces in-process: the command line mapped onto report kinds and values, the
// terminal's progress line, and the script's Ui that never waits for an answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "BatchPrompts.h"
#include "CliArguments.h"
#include "TerminalProgress.h"

namespace {

TEST(Arguments, ReportChoicesBecomeTheKindAndValuesTheWindowProgramWouldTake) {
  const CliOptions monthly = CliArguments::Parse(
      {"report", "profit", "--monthly", "--from=2024-07-01", "--to", "2025-06-30", "--folders",
       "3, 1", "--format", "pdf", "--output", "p.pdf", "--data", "/books"});
  EXPECT_EQ(monthly.report, ReportKind::MonthlyProfit);
  EXPECT_EQ(monthly.from, QDate(2024, 7, 1));
  EXPECT_EQ(monthly.to, QDate(2025, 6, 30));
  EXPECT_EQ(monthly.folders, (QList<int>{3, 1}));
  EXPECT_EQ(monthly.format, ReportFormat::Pdf);
  EXPECT_EQ(monthly.output, QStringLiteral("p.pdf"));
  EXPECT_EQ(monthly.dataDirectory, QStringLiteral("/books"));
  EXPECT_EQ(monthly.linesPerPage, 0);

  const QStringList range{"--from", "2024-01-01", "--to", "2024-01-31", "--format", "tab"};
  EXPECT_EQ(CliArguments::Parse(QStringList{"report", "profit", "--weekly"} + range).report,
            ReportKind::WeeklyProfit);
  const CliOptions account =
      CliArguments::Parse(QStringList{"report", "income-detail", "--account", "7"} + range);
  EXPECT_EQ(account.report, ReportKind::IncomeAccountDetail);
  EXPECT_EQ(account.account, 7);
  EXPECT_EQ(
      CliArguments::Parse(QStringList{"report", "expense-detail", "--account", "0"} + range).report,
      ReportKind::ExpenseAccountDetail);
  EXPECT_EQ(CliArguments::Parse(QStringList{"report", "expense-detail"} + range).report,
            ReportKind::ExpenseDetail);
  const CliOptions chart = CliArguments::Parse({"report", "income-chart", "--format", "txt"});
  EXPECT_EQ(chart.report, ReportKind::IncomeChart);
  EXPECT_FALSE(chart.from.has_value());
  EXPECT_EQ(chart.dataDirectory, QStringLiteral("."));
}

TEST(Arguments, MaintenanceCommandsTakeTheirPathAndOptionsInAnyOrder) {
  const CliOptions import =
      CliArguments::Parse({"--folder", "2", "import-payments", "--account", "4", "pmt.dbf", "--to",
                           "2024-01-31", "--from", "2024-01-01"});
  EXPECT_EQ(import.command, QStringLiteral("import-payments"));
  EXPECT_EQ(import.path, QStringLiteral("pmt.dbf"));
  EXPECT_EQ(import.account, 4);
  EXPECT_EQ(import.folder, 2);
  EXPECT_TRUE(CliArguments::Parse({"check", "--repair"}).repair);
  EXPECT_FALSE(CliArguments::Parse({"check"}).repair);
  EXPECT_THROW(CliArguments::Parse({"--data", "a", "--data", "b", "pack"}), UsageError);
  // Help needs only a known command: the rest is not judged.
  const CliOptions help = CliArguments::Parse({"report", "--help", "--format", "doc"});
  EXPECT_TRUE(help.help);
  EXPECT_EQ(help.command, QStringLiteral("report"));
  EXPECT_THROW(CliArguments::Parse({"frobnicate", "--help"}), UsageError);
}

TEST(Progress, TheLineShowsTheCaptionABarAndThePercentClamped) {
  EXPECT_EQ(TerminalProgress::Line(QStringLiteral("Packing"), 50),
            QStringLiteral("Packing [###############...............]  50%"));
  EXPECT_EQ(TerminalProgress::Line(QStringLiteral("Copying"), 0),
            QStringLiteral("Copying [..............................]   0%"));
  EXPECT_EQ(TerminalProgress::Line(QStringLiteral("Copying"), 140),
            QStringLiteral("Copying [##############################] 100%"));
}

TEST(Progress, ATerminalGetsTheLineRedrawnInPlaceAndEndedAndALogGetsNothing) {
  std::ostringstream terminal;
  {
    TerminalProgress progress(terminal, true);
    progress.ShowStatus(QStringLiteral("Archiving Data"));
    progress.ShowProgress(100);
    progress.ShowStatus(QString());
  }
  const std::string bar =
      TerminalProgress::Line(QStringLiteral("Archiving Data"), 100).toStdString();
  const std::string drawn = terminal.str();
  EXPECT_NE(drawn.find("\r" + bar + "\x1b[K"), std::string::npos) << drawn;
  EXPECT_EQ(drawn.back(), '\n');
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\n'), 1);

  std::ostringstream log;
  {
    TerminalProgress progress(log, false);
    progress.ShowStatus(QStringLiteral("Archiving Data"));
    progress.ShowProgress(40);
  }
  EXPECT_TRUE(log.str().empty());
}

TEST(BatchPrompts, QuestionsAreAnsweredNoOrCancelAndEveryMessageIsWrittenAsLines) {
  std::ostringstream err;
  BatchPrompts ui(err);
  EXPECT_EQ(
      ui.message(Prompts::Type::Confirmation, Prompts::Buttons::YesNo, QStringLiteral("Replace?")),
      Prompts::Answer::No);
  EXPECT_EQ(ui.message(Prompts::Type::Warning, Prompts::Buttons::OkCancel,
                       QStringLiteral("Disk Full. Insert another disk.\r\nACC.bak")),
            Prompts::Answer::Cancel);
  EXPECT_EQ(ui.message(Prompts::Type::Information, Prompts::Buttons::Ok, QStringLiteral("Done")),
            Prompts::Answer::Ok);
  EXPECT_EQ(err.str(), "Replace?\nDisk Full. Insert another disk.\nACC.bak\nDone\n");
}

TEST(BatchPrompts, AFatalErrorEndsTheRunWithStatusOne) {
  std::ostringstream err;
  BatchPrompts ui(err);
  try {
    ui.fatal(QStringLiteral("Cannot open GSTEXP1.DBF"));
    FAIL() << "fatal returned";
  } catch (const BatchEnd& end) {
    EXPECT_EQ(end.status, 1);
  }
  EXPECT_EQ(err.str(), "Cannot open GSTEXP1.DBF\n");
}

}  // namespace
