// The report host of the program: messages through the Ui, the folder choice FolderChooser,
// the lines per page of the run's printer in the report font, the viewer ReportViewer, and
// the main window's status bar.
#pragma once

#include "ReportHost.h"

struct AppState;
class Database;
class QFont;
class QPrinter;
class QWidget;
class Ui;

class UiReportHost : public ReportHost {
 public:
  // Every argument must outlive the host; parent (may be null) owns the windows shown.
  UiReportHost(Ui& ui, AppState& state, Database& db, ProgressSink& statusBar,
               QWidget* parent = nullptr)
      : ui_(ui), state_(state), db_(db), statusBar_(statusBar), parent_(parent) {}

  void Inform(const QString& text) override;
  QList<int> PickFolders() override;
  // LinesPerPageOf the run's printer, as the page setup left it; not valid (a printer that
  // is gone) counts as no printer.
  int LinesPerPage() override;
  void ShowReport(const ReportDocument& document) override;
  void ShowStatus(const QString& text) override { statusBar_.ShowStatus(text); }
  void ShowProgress(int percent) override { statusBar_.ShowProgress(percent); }

  // Lines a page of printer holds in font. No printer (null): ui tells "Default Printer
  // Not Found. Printing 60 Lines per page", 60. A printer that gives no usable page or
  // text height: 60 without a message.
  static int LinesPerPageOf(Ui& ui, QPrinter* printer, const QFont& font);

 private:
  Ui& ui_;
  AppState& state_;
  Database& db_;
  ProgressSink& statusBar_;
  QWidget* parent_;
};
