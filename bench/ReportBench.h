// What a report benchmark needs around a generator: a host that answers for the user, the
// report books opened as a menu command opens them, and the building of one fiscal year's
// report with every folder chosen.
#pragma once

#include <benchmark/benchmark.h>

#include <QDate>
#include <QLocale>
#include <initializer_list>

#include "BenchHost.h"
#include "Database.h"
#include "ReportBook.h"
#include "ReportBuilder.h"
#include "ReportHost.h"

// Answers for the user: 60 lines a page, and nothing shown.
class BenchReportHost : public ReportHost {
 public:
  void Inform(const QString&) override {}
  QList<int> PickFolders() override { return {}; }
  int LinesPerPage() override { return 60; }
  void ShowReport(const ReportDocument&) override {}
  void ShowStatus(const QString&) override {}
  void ShowProgress(int) override {}
};

// The report books with the settings read and the tables opened in the order given;
// every table closed at the end.
class OpenReportBook {
 public:
  explicit OpenReportBook(std::initializer_list<bool (Database::*)()> opens)
      : db_(ReportBook::ensure(), host_, progress_) {
    db_.OpenSettings();
    db_.ReadSettings();
    code4close(db_.code());
    for (auto open : opens) (db_.*open)();
  }
  ~OpenReportBook() { code4close(db_.code()); }
  Database& db() { return db_; }

 private:
  ThrowingHost host_;
  NoProgress progress_;
  Database db_;
};

// Runs build on a new builder for start to end, every folder chosen, once per iteration,
// and frees the document each time. Counter: lines of the document; an empty document
// fails the benchmark.
template <class Build>
void BuildPeriod(benchmark::State& state, Database& db, const QDate& start, const QDate& end,
                 Build build) {
  BenchReportHost host;
  const ReportRequest request{start, end, QDate(2026, 6, 15),
                              QLocale(QLocale::English, QLocale::Australia)};
  int lines = 0;
  for (auto _ : state) {
    ReportBuilder builder(db, host, request);
    for (int folder = 1; folder <= 10; ++folder) builder.SelectedFolders.append(folder);
    build(builder);
    lines = builder.LastLine() + 1;
    builder.EndReport();
  }
  if (lines == 0) state.SkipWithError("the report is empty");
  state.counters["lines"] = lines;
}

// BuildPeriod for the fiscal year that begins on 1 July of year.
template <class Build>
void BuildFiscalYear(benchmark::State& state, Database& db, int year, Build build) {
  const QDate start(year, ReportBook::kFyMonth, ReportBook::kFyDay);
  BuildPeriod(state, db, start, start.addYears(1).addDays(-1), build);
}
