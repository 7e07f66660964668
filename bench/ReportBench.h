// What a report benchmark needs around a generator: a host that answers for the user, the
// report books (of either size) opened as a menu command opens them, and the building of
// one fiscal year's report with every folder chosen, its memory measured.
#pragma once

#include <benchmark/benchmark.h>

#include <QDate>
#include <QLocale>
#include <chrono>
#include <vector>

#include "BenchHost.h"
#include "Database.h"
#include "ProcessMemory.h"
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

// The report books of size with the settings read and the tables opened in the order
// given; every table closed at the end.
class OpenReportBook {
 public:
  explicit OpenReportBook(const std::vector<bool (Database::*)()>& opens,
                          ReportBook::Size size = ReportBook::kMillion)
      : db_(ReportBook::ensure(size), host_, progress_) {
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
// and frees the document each time. Counters: lines of the document (an empty document
// fails the benchmark); and of the first iteration, which is what a fresh process (the
// command-line tool) meets: first_ms, its time; rss_MB, the resident size before it;
// peak_MB, how far it raised the peak resident size (pages of the mapped table files the
// walks touch count in it); anon_MB, how far it raised the process's own (anonymous)
// memory, measured with the document still held. Memory is read with the timer paused.
template <class Build>
void BuildPeriod(benchmark::State& state, Database& db, const QDate& start, const QDate& end,
                 Build build) {
  using Clock = std::chrono::steady_clock;
  BenchReportHost host;
  const ReportRequest request{start, end, QDate(2026, 6, 15),
                              QLocale(QLocale::English, QLocale::Australia)};
  int lines = 0;
  // One report built, looked at by seen while it is held, and freed.
  const auto report = [&](const auto& seen) {
    ReportBuilder builder(db, host, request);
    for (int folder = 1; folder <= 10; ++folder) builder.SelectedFolders.append(folder);
    build(builder);
    lines = builder.LastLine() + 1;
    seen();
    builder.EndReport();
  };
  bool first = true;
  for (auto _ : state) {
    if (!first) {
      report([] {});
      continue;
    }
    first = false;
    state.PauseTiming();
    ProcessMemory::resetPeak();
    const long residentKb = ProcessMemory::residentKb();
    const long anonKb = ProcessMemory::anonymousKb();
    long heldKb = 0;
    state.ResumeTiming();
    const Clock::time_point started = Clock::now();
    Clock::duration paused{};
    report([&] {
      const Clock::time_point pausedAt = Clock::now();
      state.PauseTiming();
      heldKb = ProcessMemory::anonymousKb();
      state.ResumeTiming();
      paused = Clock::now() - pausedAt;
    });
    const Clock::duration spent = Clock::now() - started - paused;
    state.PauseTiming();
    state.counters["first_ms"] = std::chrono::duration<double, std::milli>(spent).count();
    state.counters["rss_MB"] = residentKb / 1024.0;
    state.counters["peak_MB"] = (ProcessMemory::peakKb() - residentKb) / 1024.0;
    state.counters["anon_MB"] = (heldKb - anonKb) / 1024.0;
    state.ResumeTiming();
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
