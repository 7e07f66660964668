// The command line of tallyworth-cli: which command, on which data directory, with which
// choices. Parsing checks everything that can be checked without the books (known
// command, known options for it, dates that are dates, numbers that are numbers, the
// report name and format); what needs the books (does folder 3 exist?) the commands check
// before they change anything.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

#include "ReportCatalog.h"

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the operation was refused or failed
inline constexpr int kExitUsage = 2;   // a usage error or a bad value; nothing changed

// A usage error or a bad value; what() is the one line the user is told.
class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

enum class ReportFormat { Text, Tabs, Csv, Pdf, Png, Svg };

struct CliOptions {
  QString command;            // empty: no command (only --help makes sense then)
  bool help = false;          // --help: show the help of the command (or the tool)
  QString dataDirectory;      // --data, default "."
  QString path;               // backup/restore directory, import-payments file, report name
  std::optional<QDate> from;  // --from
  std::optional<QDate> to;    // --to
  // report
  ReportKind report = ReportKind::ExpenseSummary;
  QList<int> folders;          // --folders; empty: every folder (--all-folders or none given)
  std::optional<int> account;  // --account: account number (report, import-payments)
  std::optional<int> folder;   // --folder: import-payments
  ReportFormat format = ReportFormat::Text;
  QString output;        // --output; empty: standard output
  int linesPerPage = 0;  // --lines-per-page; 0: measured as the window program does
  bool repair = false;   // check --repair
  // import-bank
  QString profile;                      // --profile: the CSV profile of that name
  bool dryRun = false;                  // --dry-run: show what would be imported
  std::optional<int> unmatchedAccount;  // --unmatched-account: where lines no rule
  std::optional<int> unmatchedFolder;   // --unmatched-folder   matches go
  QString dateOrder;                    // --dates: "dmy" or "mdy"; empty: detected
};

class CliArguments {
 public:
  // Parses arguments (without the program name). Throws UsageError, naming the fault,
  // for an unknown command or option, an option the command does not take, a missing or
  // bad value, a missing or extra positional argument. With --help only the command must
  // be known.
  static CliOptions Parse(const QStringList& arguments);
  // The help text of command; the tool's own for an empty command. REQUIRES: command is
  // empty or known.
  static QString Help(const QString& command);
};
