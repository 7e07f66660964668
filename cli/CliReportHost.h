// The report host of the command line: messages to the error stream, the folders the
// command line chose instead of the folder window, the lines per page of the command line
// or the window program's measure, no viewer (the tool writes the document itself), and
// progress on the terminal.
#pragma once

#include <QList>
#include <functional>

#include "BatchPrompts.h"
#include "ReportHost.h"

class CliReportHost : public ReportHost {
 public:
  // ui and progress must outlive the host. folders: what PickFolders answers. lines: the
  // lines per page, called once per report.
  CliReportHost(BatchPrompts& ui, ProgressSink& progress, QList<int> folders,
                std::function<int()> lines)
      : ui_(ui), progress_(progress), folders_(std::move(folders)), lines_(std::move(lines)) {}

  void Inform(const QString& text) override { ui_.Tell(text); }
  QList<int> PickFolders() override { return folders_; }
  int LinesPerPage() override { return lines_(); }
  void ShowReport(const ReportDocument&) override {}
  void ShowStatus(const QString& text) override { progress_.ShowStatus(text); }
  void ShowProgress(int percent) override { progress_.ShowProgress(percent); }

 private:
  BatchPrompts& ui_;
  ProgressSink& progress_;
  QList<int> folders_;
  std::function<int()> lines_;
};
