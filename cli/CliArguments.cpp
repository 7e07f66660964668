#include "CliArguments.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <array>

namespace {

struct Command {
  const char* name;
  const char* positional;  // the name of the one positional argument, or null
  QStringList options;     // besides --data and --help
  const char* synopsis;
  const char* text;
};

const std::array<Command, 11>& commands() {
  static const std::array<Command, 11> all{{
      {"report",
       "NAME",
       {"from", "to", "folders", "all-folders", "account", "weekly", "monthly", "format", "output",
        "lines-per-page"},
       "report NAME --from DATE --to DATE [--folders 1,3 | --all-folders] [--account N]\n"
       "       [--weekly | --monthly] --format txt|tab|csv|pdf|png|svg [--output FILE]\n"
       "       [--lines-per-page N]",
       "Builds a report as the window program's viewer exports it: txt the fixed-column text,\n"
       "tab the tab-delimited text, csv the rows for spreadsheets (UTF-8), pdf the printed\n"
       "pages; png and svg the profit report's chart. Without --output the report goes to\n"
       "standard output.\n"
       "\n"
       "NAME: expense-summary, expense-detail, expense-chart, income-summary, income-detail,\n"
       "      income-chart, gst-summary, general-ledger, profit, tax-return\n"
       "  --from, --to DATE   the report range (YYYY-MM-DD); not taken by the charts\n"
       "  --folders 1,3       only these folders; --all-folders (the default) every folder\n"
       "  --account N         expense-detail and income-detail: the account detail of account N\n"
       "  --weekly, --monthly profit: the period of its rows (one of them is needed)\n"
       "  --lines-per-page N  lines of a printed page; by default those of a PDF page (A4)\n"
       "                      in the report font of the settings\n"},
      {"reindex", nullptr, {}, "reindex", "Rebuilds the index files of every table.\n"},
      {"pack", nullptr, {}, "pack", "Removes deleted records from every table for good.\n"},
      {"backup",
       "DIR",
       {},
       "backup DIR",
       "Copies the five data tables to DIR as *.bak files. DIR must exist.\n"},
      {"restore",
       "DIR",
       {},
       "restore DIR",
       "Puts the backup in DIR in place of the five data tables and rebuilds the indexes.\n"},
      {"import-payments",
       "FILE",
       {"from", "to", "account", "folder"},
       "import-payments FILE --from DATE --to DATE --account N --folder N",
       "Imports the payments of the Billwise payment file FILE dated from --from to --to as\n"
       "income of income account N in folder N, replacing an earlier import of the range.\n"},
      {"import-bank",
       "FILE",
       {"profile", "dry-run", "unmatched-account", "unmatched-folder", "dates"},
       "import-bank FILE [--profile NAME] [--dry-run] [--dates dmy|mdy]\n"
       "       [--unmatched-account N --unmatched-folder N]",
       "Imports the bank statement FILE (CSV, OFX/QFX or QIF) as expenses (money out) and\n"
       "income records (money in), classified by the import rules in their order. Lines\n"
       "imported before are recognised and left out. All or nothing: a file with a bad line\n"
       "is refused naming the line, and nothing is written.\n"
       "\n"
       "  --profile NAME       read a CSV file with the column profile NAME saved by the window\n"
       "                       program; without it the columns are detected\n"
       "  --dates dmy|mdy      the order of day and month where the dates leave it open\n"
       "  --unmatched-account N, --unmatched-folder N\n"
       "                       where lines no rule matches go (account N of the expense or\n"
       "                       income chart); without them those lines are listed and not\n"
       "                       imported\n"
       "  --dry-run            show what each line would become; write nothing\n"
       "Exit status 1 when nothing could be imported.\n"},
      {"archive",
       nullptr,
       {"from", "to"},
       "archive --from DATE --to DATE",
       "Marks every expense and income record of the range as archived.\n"},
      {"dearchive",
       nullptr,
       {"from", "to"},
       "dearchive --from DATE --to DATE",
       "Clears the archive mark of every expense and income record of the range.\n"},
      {"check",
       nullptr,
       {"repair"},
       "check [--repair]",
       "Verifies that every table's header, records and tags agree; prints what is wrong and\n"
       "exits with status 1 when anything is. --repair mends what it finds and checks again.\n"},
      {"help", nullptr, {}, "help", "Shows this text.\n"},
  }};
  return all;
}

const Command* findCommand(const QString& name) {
  for (const Command& command : commands()) {
    if (name == QLatin1String(command.name)) return &command;
  }
  return nullptr;
}

const QSet<QString>& valueOptions() {
  static const QSet<QString> names{"data",
                                   "from",
                                   "to",
                                   "folders",
                                   "account",
                                   "folder",
                                   "format",
                                   "output",
                                   "lines-per-page",
                                   "profile",
                                   "dates",
                                   "unmatched-account",
                                   "unmatched-folder"};
  return names;
}

const QSet<QString>& flagOptions() {
  static const QSet<QString> names{"help", "all-folders", "weekly", "monthly", "repair", "dry-run"};
  return names;
}

struct ReportName {
  const char* name;
  ReportKind kind;
};

constexpr std::array<ReportName, 10> kReportNames{{
    {"expense-summary", ReportKind::ExpenseSummary},
    {"expense-detail", ReportKind::ExpenseDetail},
    {"expense-chart", ReportKind::ExpenseChart},
    {"income-summary", ReportKind::IncomeSummary},
    {"income-detail", ReportKind::IncomeDetail},
    {"income-chart", ReportKind::IncomeChart},
    {"gst-summary", ReportKind::GstSummary},
    {"general-ledger", ReportKind::GeneralLedger},
    {"profit", ReportKind::WeeklyProfit},
    {"tax-return", ReportKind::TaxReturn},
}};

QDate parseDate(const QString& option, const QString& text) {
  static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
  const QDate date = QDate::fromString(text, Qt::ISODate);
  if (!iso.match(text).hasMatch() || !date.isValid()) {
    throw UsageError(QStringLiteral("--%1: '%2' is not a date (use YYYY-MM-DD)").arg(option, text));
  }
  return date;
}

int parseNumber(const QString& option, const QString& text, int lowest, int highest) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < lowest || value > highest) {
    throw UsageError(QStringLiteral("--%1: '%2' is not a number from %3 to %4")
                         .arg(option, text)
                         .arg(lowest)
                         .arg(highest));
  }
  return value;
}

// Account and folder numbers have four digits.
constexpr int kHighestNumber = 9999;

void parseReport(CliOptions& options, const QMap<QString, QString>& values,
                 const QSet<QString>& flags) {
  const ReportName* found = nullptr;
  for (const ReportName& entry : kReportNames) {
    if (options.path == QLatin1String(entry.name)) found = &entry;
  }
  if (!found) throw UsageError(QStringLiteral("unknown report '%1'").arg(options.path));
  options.report = found->kind;
  const bool profit = options.report == ReportKind::WeeklyProfit;
  const bool detail =
      options.report == ReportKind::ExpenseDetail || options.report == ReportKind::IncomeDetail;
  const ReportCatalog::Entry& entry = ReportCatalog::Of(options.report);

  if (flags.contains("weekly") && flags.contains("monthly")) {
    throw UsageError(QStringLiteral("--weekly and --monthly exclude each other"));
  }
  if (profit && !flags.contains("weekly") && !flags.contains("monthly")) {
    throw UsageError(QStringLiteral("profit needs --weekly or --monthly"));
  }
  if (!profit && (flags.contains("weekly") || flags.contains("monthly"))) {
    throw UsageError(QStringLiteral("only the profit report takes --weekly or --monthly"));
  }
  if (flags.contains("monthly")) options.report = ReportKind::MonthlyProfit;
  if (options.account && !detail) {
    throw UsageError(QStringLiteral("only expense-detail and income-detail take --account"));
  }
  if (options.account) {
    options.report = options.report == ReportKind::ExpenseDetail ? ReportKind::ExpenseAccountDetail
                                                                 : ReportKind::IncomeAccountDetail;
  }
  if (values.contains("folders") && flags.contains("all-folders")) {
    throw UsageError(QStringLiteral("--folders and --all-folders exclude each other"));
  }
  if (entry.choosesFolders) {
    if (!options.from || !options.to) {
      throw UsageError(QStringLiteral("report %1 needs --from and --to").arg(options.path));
    }
  } else if (options.from || options.to || values.contains("folders") ||
             flags.contains("all-folders")) {
    throw UsageError(QStringLiteral("report %1 takes no dates and no folders").arg(options.path));
  }
  if (values.contains("folders")) {
    for (const QString& number : values.value("folders").split(QLatin1Char(','))) {
      options.folders.append(parseNumber("folders", number.trimmed(), 0, kHighestNumber));
    }
  }
  if (!values.contains("format")) throw UsageError(QStringLiteral("report needs --format"));
  const QString format = values.value("format");
  if (format == QLatin1String("txt")) {
    options.format = ReportFormat::Text;
  } else if (format == QLatin1String("tab")) {
    options.format = ReportFormat::Tabs;
  } else if (format == QLatin1String("csv")) {
    options.format = ReportFormat::Csv;
  } else if (format == QLatin1String("pdf")) {
    options.format = ReportFormat::Pdf;
  } else if (format == QLatin1String("png") || format == QLatin1String("svg")) {
    if (!profit) throw UsageError(QStringLiteral("only the profit report has a chart (png, svg)"));
    options.format = format == QLatin1String("png") ? ReportFormat::Png : ReportFormat::Svg;
  } else {
    throw UsageError(
        QStringLiteral("--format: '%1' is not txt, tab, csv, pdf, png or svg").arg(format));
  }
  options.output = values.value("output");
  if (values.contains("lines-per-page")) {
    // A page must hold its header (page line, titles, headings) and some rows.
    options.linesPerPage = parseNumber("lines-per-page", values.value("lines-per-page"), 20, 1000);
  }
}

}  // namespace

CliOptions CliArguments::Parse(const QStringList& arguments) {
  CliOptions options;
  QMap<QString, QString> values;
  QSet<QString> flags;
  QStringList positionals;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (!argument.startsWith(QLatin1String("--")) || argument == QLatin1String("--")) {
      positionals.append(argument);
      continue;
    }
    QString name = argument.mid(2);
    std::optional<QString> value;
    if (const qsizetype equals = name.indexOf(QLatin1Char('=')); equals >= 0) {
      value = name.mid(equals + 1);
      name.truncate(equals);
    }
    if (flagOptions().contains(name)) {
      if (value) throw UsageError(QStringLiteral("--%1 takes no value").arg(name));
      flags.insert(name);
    } else if (valueOptions().contains(name)) {
      if (!value) {
        if (i + 1 >= arguments.size()) {
          throw UsageError(QStringLiteral("--%1 needs a value").arg(name));
        }
        value = arguments[++i];
      }
      if (values.contains(name)) throw UsageError(QStringLiteral("--%1 given twice").arg(name));
      values.insert(name, *value);
    } else {
      throw UsageError(QStringLiteral("unknown option '%1'").arg(argument));
    }
  }

  options.help = flags.contains("help");
  if (positionals.isEmpty()) {
    if (options.help) return options;
    throw UsageError(QStringLiteral("no command given (see tallyworth-cli --help)"));
  }
  options.command = positionals.takeFirst();
  const Command* command = findCommand(options.command);
  if (!command) throw UsageError(QStringLiteral("unknown command '%1'").arg(options.command));
  if (options.command == QLatin1String("help")) {
    options.command.clear();
    options.help = true;
  }
  if (options.help) return options;

  for (const QString& name : values.keys() + flags.values()) {
    if (name != QLatin1String("data") && !command->options.contains(name)) {
      throw UsageError(QStringLiteral("%1 takes no --%2").arg(options.command, name));
    }
  }
  const int wanted = command->positional ? 1 : 0;
  if (positionals.size() < wanted) {
    throw UsageError(QStringLiteral("%1 needs %2").arg(options.command, command->positional));
  }
  if (positionals.size() > wanted) {
    throw UsageError(QStringLiteral("unexpected argument '%1'").arg(positionals.at(wanted)));
  }
  if (wanted) options.path = positionals.first();

  options.dataDirectory = values.value("data", QStringLiteral("."));
  if (options.dataDirectory.isEmpty()) throw UsageError(QStringLiteral("--data: empty name"));
  if (values.contains("from")) options.from = parseDate("from", values.value("from"));
  if (values.contains("to")) options.to = parseDate("to", values.value("to"));
  if (values.contains("account")) {
    options.account = parseNumber("account", values.value("account"), 0, kHighestNumber);
  }
  if (values.contains("folder")) {
    options.folder = parseNumber("folder", values.value("folder"), 0, kHighestNumber);
  }
  options.repair = flags.contains("repair");
  options.dryRun = flags.contains("dry-run");
  options.profile = values.value("profile");
  if (values.contains("unmatched-account")) {
    options.unmatchedAccount =
        parseNumber("unmatched-account", values.value("unmatched-account"), 1, kHighestNumber);
  }
  if (values.contains("unmatched-folder")) {
    options.unmatchedFolder =
        parseNumber("unmatched-folder", values.value("unmatched-folder"), 1, kHighestNumber);
  }
  if (options.unmatchedAccount.has_value() != options.unmatchedFolder.has_value()) {
    throw UsageError(QStringLiteral("--unmatched-account and --unmatched-folder go together"));
  }
  if (values.contains("dates")) {
    options.dateOrder = values.value("dates");
    if (options.dateOrder != QLatin1String("dmy") && options.dateOrder != QLatin1String("mdy"))
      throw UsageError(QStringLiteral("--dates: '%1' is not dmy or mdy").arg(options.dateOrder));
  }

  if (options.command == QLatin1String("report")) {
    parseReport(options, values, flags);
  } else if (!command->options.isEmpty() && command->options.contains("from")) {
    // import-payments, archive and dearchive need every option they take.
    for (const QString& name : command->options) {
      if (!values.contains(name)) {
        throw UsageError(QStringLiteral("%1 needs --%2").arg(options.command, name));
      }
    }
  }
  return options;
}

QString CliArguments::Help(const QString& command) {
  if (const Command* found = findCommand(command); found && !command.isEmpty()) {
    return QStringLiteral("usage: tallyworth-cli [--data DIR] %1\n\n%2")
        .arg(QLatin1String(found->synopsis), QLatin1String(found->text));
  }
  QString text = QStringLiteral(
      "usage: tallyworth-cli [--data DIR] COMMAND [options]\n"
      "\n"
      "Runs the reports and the maintenance of the Tallyworth books in DIR (default: the\n"
      "current directory) without the window. The books are locked for the run: while the\n"
      "window program has them open the tool refuses to start, and the other way round.\n"
      "\n"
      "Commands:\n");
  for (const Command& entry : commands()) {
    text += QStringLiteral("  %1\n").arg(QLatin1String(entry.synopsis));
  }
  text += QStringLiteral(
      "\n"
      "tallyworth-cli COMMAND --help tells more about a command.\n"
      "Exit status: 0 success, 1 the operation was refused or failed, 2 a usage error or a\n"
      "bad value (nothing was changed).\n");
  return text;
}
