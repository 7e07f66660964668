// The bank statement import on the report books (ReportBook.h: 1,000,000 expenses and
// 300,000 income records), copied to bankwork/ under the cache first.
//
// - bank_preview: a 10,000-line CSV statement read (columns and date order detected) and
//   planned: 20 rules tried on every line, every line sought in the history of imported
//   lines, which already holds an earlier 10,000-line import.
// - bank_import: a fresh 10,000-line statement (a later year each iteration, so every line
//   is new) imported: appends to GSTEXP1, GSTINC1 and BANKHIST, the tables closed and
//   forced to disk once at the end.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "BankImporter.h"
#include "BenchBook.h"
#include "BenchHost.h"
#include "Clock.h"
#include "Database.h"
#include "ReportBook.h"
#include "StatementFile.h"

namespace {

constexpr int kLines = 10'000;
constexpr int kRules = 20;

std::string workBooks() {
  namespace fs = std::filesystem;
  const fs::path to = fs::path(BenchBook::cacheRoot()) / "bankwork";
  fs::remove_all(to);
  fs::copy(ReportBook::ensure(), to, fs::copy_options::recursive);
  return to.string();
}

// A UK-style statement of year: date, description, paid out, paid in, balance.
QString statementText(int year) {
  std::mt19937 random(static_cast<unsigned>(year));
  QString text = QStringLiteral("Date,Description,Paid out,Paid in,Balance\n");
  const QDate start(year, 1, 1);
  for (int i = 0; i < kLines; ++i) {
    const QDate date = start.addDays(i * 365 / kLines);
    const bool in = random() % 5 == 0;
    const QString payee = in ? QStringLiteral("CLIENT %1 INVOICE %2").arg(random() % 50).arg(i)
                             : QStringLiteral("PAYEE %1 CARD %2").arg(random() % 30).arg(i % 97);
    const QString amount = QString::number((random() % 90000 + 100) / 100.0, 'f', 2);
    text += QStringLiteral("%1,%2,%3,%4,0.00\n")
                .arg(date.toString(QStringLiteral("dd/MM/yyyy")), payee, in ? QString() : amount,
                     in ? amount : QString());
  }
  return text;
}

std::vector<BankRule> rules() {
  std::vector<BankRule> list;
  for (int k = 0; k < kRules - 1; ++k) {
    BankRule rule;
    rule.pattern = QStringLiteral("PAYEE %1 ").arg(k);
    rule.account = k % 40 + 1;
    rule.folder = k % 10 + 1;
    list.push_back(rule);
  }
  BankRule clients;
  clients.pattern = QStringLiteral("^CLIENT \\d+ INVOICE");
  clients.regex = true;
  clients.kind = EntryKind::Income;
  clients.account = 1;
  clients.folder = 1;
  list.push_back(clients);
  return list;
}

ImportPlan planOf(BankImporter& importer, const QString& text) {
  const StatementFile::Result read = StatementFile::ReadText(text, "bench.csv", std::nullopt);
  if (!read.ok) throw std::runtime_error(read.message.toStdString());
  ImportPlan plan = importer.Plan(read.statement, rules());
  // Lines no rule matches go where the command line's --unmatched options would send them.
  for (PlannedLine& line : plan.lines) {
    if (line.rule < 0) line.account = 1, line.folder = 1;
  }
  return plan;
}

struct WorkBooks {
  WorkBooks() : db(workBooks(), host, progress) {
    db.OpenSettings();
    db.ReadSettings();
    code4close(db.code());
  }
  ThrowingHost host;
  NoProgress progress;
  Database db;
  BankImporter importer{db, progress, Clock::system()};
};

void BankPreview(benchmark::State& state) {
  WorkBooks books;
  const QString earlier = statementText(2030);
  if (!books.importer.Import(planOf(books.importer, earlier)).ok)
    return state.SkipWithError("the earlier import failed");
  int inBooks = 0;
  for (auto _ : state) {
    const ImportPlan plan = planOf(books.importer, earlier);
    inBooks = 0;
    for (const PlannedLine& line : plan.lines) inBooks += line.inBooks ? 1 : 0;
  }
  if (inBooks != kLines) state.SkipWithError("the lines imported before were not recognised");
  state.counters["lines"] = kLines;
}

void BankImport(benchmark::State& state) {
  WorkBooks books;
  int year = 2040;
  for (auto _ : state) {
    state.PauseTiming();
    const ImportPlan plan = planOf(books.importer, statementText(++year));
    state.ResumeTiming();
    const BankImporter::Result result = books.importer.Import(plan);
    if (!result.ok) return state.SkipWithError(result.message.toStdString().c_str());
    state.counters["expenses"] = result.expenses;
    state.counters["incomes"] = result.incomes;
  }
}

BENCHMARK(BankPreview)->Name("bank_preview/10000")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BankImport)->Name("bank_import/10000")->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
