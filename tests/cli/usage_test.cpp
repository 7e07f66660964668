// Usage errors and bad values: each gives one line on the error stream, exit status 2, no
// output and the books byte for byte as they were, whichever command it hit; help is
// there for the tool and every command.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "CliBooks.h"
#include "CliProcess.h"
#include "DataDirectory.h"
#include "TempDir.h"

namespace {

struct UsageCase {
  const char* label;
  QStringList arguments;  // after --data BOOKS; "@FILE" stands for an existing file
  const char* says;       // a part of the one line
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.label; }

const QStringList kRange{"--from", "2024-01-15", "--to", "2024-03-10"};

std::vector<UsageCase> usageErrors() {
  const QStringList txt{"--format", "txt"};
  return {
      {"NoCommand", {}, "no command"},
      {"UnknownCommand", {"balance"}, "unknown command 'balance'"},
      {"UnknownOption", {"reindex", "--verbose"}, "unknown option '--verbose'"},
      {"OptionTheCommandTakesNot", {"pack", "--from", "2024-01-01"}, "pack takes no --from"},
      {"ExtraArgument", {"reindex", "now"}, "unexpected argument 'now'"},
      {"FlagWithAValue", {"check", "--repair=yes"}, "--repair takes no value"},
      {"MissingValue", {"report", "profit", "--weekly", "--format"}, "--format needs a value"},
      {"UnknownReport", QStringList{"report", "balance-sheet"} + kRange + txt,
       "unknown report 'balance-sheet'"},
      {"ReportWithoutName", {"report"}, "report needs NAME"},
      {"NoSuchDay",
       {"report", "expense-summary", "--from", "2024-02-30", "--to", "2024-03-10", "--format",
        "txt"},
       "--from: '2024-02-30' is not a date"},
      {"LocalDateForm",
       {"report", "expense-summary", "--from", "15/01/2024", "--to", "2024-03-10", "--format",
        "txt"},
       "is not a date"},
      {"MissingTo",
       {"report", "expense-summary", "--from", "2024-01-15", "--format", "txt"},
       "needs --from and --to"},
      {"NoFormat", QStringList{"report", "expense-summary"} + kRange, "report needs --format"},
      {"UnknownFormat", QStringList{"report", "expense-summary", "--format", "doc"} + kRange,
       "--format: 'doc' is not txt, tab, csv, pdf, png or svg"},
      {"FolderNoNumber",
       QStringList{"report", "expense-summary", "--folders", "1,x"} + kRange + txt,
       "--folders: 'x' is not a number"},
      {"FolderThatDoesNotExist",
       QStringList{"report", "expense-summary", "--folders", "1,7"} + kRange + txt,
       "folder 7 does not exist"},
      {"FoldersAndAllFolders",
       QStringList{"report", "gst-summary", "--folders", "1", "--all-folders"} + kRange + txt,
       "exclude each other"},
      {"AccountThatDoesNotExist",
       QStringList{"report", "expense-detail", "--account", "99"} + kRange + txt,
       "expense account 99 does not exist"},
      {"IncomeAccountOfTheExpenseChart",
       QStringList{"report", "income-detail", "--account", "10"} + kRange + txt,
       "income account 10 does not exist"},
      {"AccountOnASummary",
       QStringList{"report", "expense-summary", "--account", "10"} + kRange + txt,
       "only expense-detail and income-detail take --account"},
      {"ProfitWithoutPeriod", QStringList{"report", "profit"} + kRange + txt,
       "profit needs --weekly or --monthly"},
      {"BothPeriods", QStringList{"report", "profit", "--weekly", "--monthly"} + kRange + txt,
       "exclude each other"},
      {"PeriodOnALedger", QStringList{"report", "general-ledger", "--weekly"} + kRange + txt,
       "only the profit report"},
      {"DatesOnAChart", QStringList{"report", "expense-chart"} + kRange + txt,
       "takes no dates and no folders"},
      {"TooFewLinesPerPage", QStringList{"report", "expense-chart", "--lines-per-page", "5"} + txt,
       "--lines-per-page: '5' is not a number from 20 to 1000"},
      {"OutputIntoNoDirectory",
       QStringList{"report", "expense-chart", "--output", "/nonexistent/r.txt"} + txt,
       "--output: cannot write"},
      {"ArchiveWithoutTo", {"archive", "--from", "2023-07-01"}, "archive needs --to"},
      {"DearchiveBadDate",
       {"dearchive", "--from", "2023-07-01", "--to", "2024-06-31"},
       "--to: '2024-06-31' is not a date"},
      {"BackupToNoDirectory", {"backup", "/nonexistent/backup"}, "is no directory"},
      {"RestoreFromNoDirectory", {"restore", "/nonexistent/backup"}, "is no directory"},
      {"ImportWithoutFile",
       QStringList{"import-payments", "/nonexistent/gstpmt.dbf", "--account", "1", "--folder",
                   "1"} +
           kRange,
       "no file"},
      {"ImportWithoutFolder", QStringList{"import-payments", "@FILE", "--account", "1"} + kRange,
       "import-payments needs --folder"},
      {"ImportToAnUnknownAccount",
       QStringList{"import-payments", "@FILE", "--account", "5", "--folder", "1"} + kRange,
       "income account 5 does not exist"},
      {"ImportToAnUnknownFolder",
       QStringList{"import-payments", "@FILE", "--account", "1", "--folder", "4"} + kRange,
       "folder 4 does not exist"},
  };
}

class BadCommandLine : public testing::TestWithParam<UsageCase> {
 protected:
  CliBooks books;
  TempDir scratch;
};

TEST_P(BadCommandLine, ExitsTwoWithOneLineAndChangesNothing) {
  QStringList arguments = GetParam().arguments;
  const QString anyFile = QString::fromStdString(scratch.file("gstpmt.dbf"));
  QFile(anyFile).open(QIODevice::WriteOnly);
  arguments.replaceInStrings(QStringLiteral("@FILE"), anyFile);
  const auto before = fingerprints(books.dir());

  const CliRun run = runCli(arguments, books.dir());

  EXPECT_EQ(run.status, 2) << run.err.toStdString();
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("tallyworth-cli: "))) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QString::fromLatin1(GetParam().says))) << run.err.toStdString();
  EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << "one line: " << run.err.toStdString();
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(fingerprints(books.dir()), before);
}

INSTANTIATE_TEST_SUITE_P(Cli, BadCommandLine, testing::ValuesIn(usageErrors()),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Usage, ANonexistentDataDirectoryIsABadValue) {
  const CliRun run = runCli({"--data", "/nonexistent/books", "reindex"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            QStringLiteral("tallyworth-cli: --data: '/nonexistent/books' is no directory\n"));
}

TEST(Usage, ADirectoryWithoutTheSixTablesIsRefusedWithTheWindowProgramsMessage) {
  TempDir empty;
  const CliRun run = runCli({"reindex"}, empty.path());
  EXPECT_EQ(run.status, 1);
  QString message = DataDirectory::MissingTablesMessage();
  message.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  EXPECT_EQ(run.err, message + QLatin1Char('\n'));
  EXPECT_TRUE(QDir(QString::fromStdString(empty.path())).isEmpty()) << "wrote into the directory";
}

TEST(Usage, HelpIsThereForTheToolAndEveryCommand) {
  for (const QStringList& arguments :
       {QStringList{"--help"}, QStringList{"help"}, QStringList{"report", "--help"},
        QStringList{"import-payments", "--help"}, QStringList{"check", "--help"},
        QStringList{"reindex", "--help"}, QStringList{"backup", "--help"}}) {
    const CliRun run = runCli(arguments);
    EXPECT_EQ(run.status, 0) << arguments.join(' ').toStdString();
    EXPECT_TRUE(run.out.startsWith("usage: tallyworth-cli")) << run.out.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
  }
  EXPECT_TRUE(runCli({"--help"}).out.contains("import-payments FILE"));
  EXPECT_TRUE(runCli({"report", "--help"}).out.contains("gst-summary"));
}

}  // namespace
