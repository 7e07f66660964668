#include "BankImporter.h"

#include <cmath>
#include <map>

#include "BankTables.h"
#include "BookChoices.h"
#include "Clock.h"
#include "ContainedTax.h"
#include "ConversionError.h"
#include "Database.h"
#include "ImportHistory.h"
#include "InterruptedImport.h"
#include "ProgressSink.h"
#include "TableDefinitions.h"
#include "xbase/Status.h"

namespace {

// Texts of the tables' 30-character fields.
constexpr int kTextWidth = 30;

double cents(double value) { return std::round(value * 100) / 100; }

QString lineName(const PlannedLine& line) {
  return QStringLiteral("Line %1 (%2, %3)")
      .arg(line.line.fileLine)
      .arg(line.line.date.toString(Qt::ISODate), line.line.description);
}

}  // namespace

void BankImporter::Apply(const RuleSet& rules, PlannedLine& line) {
  line.rule = rules.FirstMatch(line.line);
  if (line.rule < 0) return;
  const BankRule& rule = rules.rules()[static_cast<std::size_t>(line.rule)];
  line.kind = rule.kind;
  line.account = rule.account;
  line.folder = rule.folder;
  line.includesTax = rule.includesTax;
}

ImportPlan BankImporter::Plan(const Statement& statement, const std::vector<BankRule>& rules) {
  ImportPlan plan;
  plan.account = statement.account;
  const RuleSet ruleSet(rules);
  const bool taxDefault = db_.settingsRecord().GSTRate > 0;
  CODE4* code = db_.code();
  const bool anyHistory =
      code->fs().exists(code->pathOf(std::string(tables::kBankHistory) + ".dbf"));
  DATA4* history = anyHistory ? BankTables::Open(code, TableDefinitions::bankHistory()) : nullptr;
  std::optional<ImportHistory> imported;
  if (history != nullptr) imported.emplace(history);
  // The n-th of several equal lines of a statement is in the books when the history holds
  // n of them: two equal coffees on one day are two lines.
  std::map<std::tuple<QDate, qint64, QString>, int> seen;
  for (const StatementLine& line : statement.lines) {
    PlannedLine planned;
    planned.line = line;
    planned.kind = line.amount < 0 ? EntryKind::Expense : EntryKind::Income;
    planned.includesTax = taxDefault;
    Apply(ruleSet, planned);
    if (imported) {
      if (!line.bankId.isEmpty()) {
        planned.inBooks = imported->HasId(plan.account, line.bankId);
      } else {
        const int n = ++seen[{line.date, std::llround(line.amount * 100), line.description}];
        planned.inBooks = imported->CountSame(plan.account, line) >= n;
      }
    }
    planned.skip = planned.inBooks;
    plan.lines.push_back(planned);
  }
  if (history != nullptr) {
    d4close(code, history);
  } else if (anyHistory) {
    // History that cannot be read (books on a read-only disk without its index files)
    // marks nothing; the import itself then fails and says so.
    code4errorCode(code, 0);
  }
  return plan;
}

QString BankImporter::Check(const ImportPlan& plan) {
  const BookChoices books = BookChoices::Read(db_);
  for (const PlannedLine& line : plan.lines) {
    if (!line.toImport()) continue;
    const bool expense = line.kind == EntryKind::Expense;
    if (!BookChoices::Holds(books.accountsFor(line.kind), line.account)) {
      return line.account == 0 ? QStringLiteral("%1 has no account.").arg(lineName(line))
                               : QStringLiteral("%1: there is no %2 account %3.")
                                     .arg(lineName(line), expense ? QStringLiteral("expense")
                                                                  : QStringLiteral("income"))
                                     .arg(line.account);
    }
    if (!BookChoices::Holds(books.folders, line.folder)) {
      return line.folder == 0 ? QStringLiteral("%1 has no folder.").arg(lineName(line))
                              : QStringLiteral("%1: there is no folder %2.")
                                    .arg(lineName(line))
                                    .arg(line.folder);
    }
    if (std::abs(line.line.amount) > 999999.99) {
      return QStringLiteral("%1: the amount %2 is too large for a record (at most 999999.99).")
          .arg(lineName(line))
          .arg(line.line.amount, 0, 'f', 2);
    }
  }
  return QString();
}

bool BankImporter::write(const ImportPlan& plan, Result& result) {
  const double rate = db_.settingsRecord().GSTRate;
  const QDate today = clock_.today();
  db_.OpenExp();
  db_.OpenInc();
  DATA4* history = BankTables::Open(db_.code(), TableDefinitions::bankHistory());
  if (history == nullptr) return false;
  ImportHistory imported(history);
  const long total = static_cast<long>(plan.lines.size());
  long done = 0;
  for (const PlannedLine& planned : plan.lines) {
    progress_.ShowProgress(static_cast<int>(++done * 100 / total));
    if (!planned.toImport()) {
      ++result.skipped;
      continue;
    }
    const StatementLine& line = planned.line;
    const bool expense = planned.kind == EntryKind::Expense;
    // Money out is a positive expense; money in a positive income (a refund booked as an
    // expense is a negative one).
    const double amount = expense ? -line.amount : line.amount;
    const double tax = planned.includesTax && rate > 0 ? cents(ContainedTax(rate, amount)) : 0;
    long recno = Database::kNotAppended;
    if (expense) {
      recno = db_.AppendExpBatched({.ExpDate = line.date,
                                    .CheckNo = line.checkNo,
                                    .AccNo = planned.account,
                                    .FolNo = planned.folder,
                                    .PayTo = line.description.left(kTextWidth),
                                    .Amount = amount,
                                    .LGSTE = planned.includesTax,
                                    .GSTE = tax,
                                    .EMemo = line.description.mid(kTextWidth, kTextWidth),
                                    .Archive = false});
      ++result.expenses;
    } else {
      recno = db_.AppendIncBatched({.IncAcc = planned.account,
                                    .IncDate = line.date,
                                    .IncDesc = line.description.left(kTextWidth),
                                    .IncAmt = amount,
                                    .GstI = tax,
                                    .FolNo = planned.folder,
                                    .lGstI = planned.includesTax,
                                    .IncImp = false,
                                    .Archive = false});
      ++result.incomes;
    }
    if (recno == Database::kNotAppended || db_.code()->errorCode() < 0 ||
        !imported.Add(plan.account, line, planned.kind, recno, today)) {
      return false;
    }
  }
  return db_.code()->errorCode() >= 0;
}

BankImporter::Result BankImporter::Import(const ImportPlan& plan) {
  Result result;
  if (const QString problem = Check(plan); !problem.isEmpty()) {
    result.message = problem + QStringLiteral("\r\nNothing was imported.");
    return result;
  }
  CODE4* code = db_.code();
  xbase::FileSystem& fs = code->fs();
  const std::string directory = code->directory();
  const QString failed = QStringLiteral("Import failed; the books are as they were before it.");
  if (!BankTables::Ensure(code, TableDefinitions::bankHistory())) {
    code4errorCode(code, 0);
    result.message = failed;
    return result;
  }
  std::vector<InterruptedImport::Count> counts;
  for (const char* table : {tables::kExpenses, tables::kIncome, tables::kBankHistory})
    counts.push_back({table, InterruptedImport::RecordCount(fs, directory, table)});
  if (!InterruptedImport::Begin(fs, directory, counts)) {
    result.message = failed;
    return result;
  }
  progress_.ShowStatus(QStringLiteral("Importing Bank Statement"));
  bool ok = false;
  try {
    ok = write(plan, result);
  } catch (const ConversionError&) {
    ok = false;  // Check let no such number through; the books go back all the same
  }
  // Closing puts every table on disk; only then does the import stand.
  ok = code4close(code) == xbase::kSuccess && ok;
  progress_.ShowStatus(QString());
  if (ok && InterruptedImport::End(fs, directory)) {
    result.ok = true;
    return result;
  }
  code4errorCode(code, 0);
  InterruptedImport::RollBack(fs, directory);
  Result refused;
  refused.message = failed;
  return refused;
}

QString BankImporter::CompletionMessage(const Result& result) {
  return QStringLiteral("Imported %1 expense(s) and %2 income record(s); %3 line(s) not imported.")
      .arg(result.expenses)
      .arg(result.incomes)
      .arg(result.skipped);
}
