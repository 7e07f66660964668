// The report command: opens the report's tables as the window program does, checks the
// chosen folders and account against them, builds the report through the report catalog
// and writes it as the viewer's export does (ReportExport for txt and tab, the print
// routine for pdf), to a file or to the output stream.
//
// Lines per page: --lines-per-page when given; otherwise the window program's measure,
// the same routine on the same printer choice (the system's default printer, else a PDF
// page) in the report font of the settings over the application's font.
#pragma once

#include <QDate>
#include <QFont>
#include <ostream>

#include "CliArguments.h"

class BatchPrompts;
class Database;
class ReportDocument;
class ProgressSink;
struct SettingsRecord;

class CliReport {
 public:
  // Every argument must outlive the object. REQUIRES: a QApplication.
  CliReport(Database& db, BatchPrompts& ui, ProgressSink& progress, std::ostream& out)
      : db_(db), ui_(ui), progress_(progress), out_(out) {}

  // Builds and writes the report options ask for, dated today in the page headers.
  // Returns kExitOk (also for a report without data, told on the error stream) or
  // kExitFailed (no folders, the output not writable). Throws UsageError, having written
  // nothing, for a folder or account the books do not hold.
  // REQUIRES: the settings read into the database, no table open.
  int Run(const CliOptions& options, const QDate& today);

  // The report font, as the window program has it, and the lines a page of the default
  // PDF page holds in it (the window program's measure when it prints to a PDF file).
  static QFont ReportFont(const SettingsRecord& settings);
  static int MeasuredLinesPerPage(const SettingsRecord& settings);

 private:
  // The live folder numbers of the open FOLDER table in list order; throws UsageError
  // for a wanted number not among them. Returns the wanted ones (all when none wanted).
  QList<int> chosenFolders(const QList<int>& wanted);
  // The record number of account number in the side's open account table; throws
  // UsageError when there is no live one.
  int accountRecord(bool expenseSide, int number);
  // Writes the finished document to options.output or the output stream.
  bool write(const ReportDocument& document, const CliOptions& options);

  Database& db_;
  BatchPrompts& ui_;
  ProgressSink& progress_;
  std::ostream& out_;
};
