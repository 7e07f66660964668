// The report commands' shared run: the folder choice, the building of the report's
// document, then the message or the viewer. The generators build without any window; this
// is where the user and the status bar meet them.
#include "AppState.h"
#include "Database.h"
#include "DatePicker.h"
#include "MainWindow.h"
#include "ReportBuilder.h"
#include "ReportCatalog.h"
#include "UiReportHost.h"

void MainWindow::runReport(ReportKind kind, const std::function<bool()>& chooseFirst,
                           const std::function<void(ReportBuilder&)>& build) {
  const ReportCatalog::Entry& report = ReportCatalog::Of(kind);
  // The range as typed, also when the user has not left its field yet.
  if (report.choosesFolders && !DatePicker::ReadRange(*fromDateEdit, *throughDateEdit, env_.ui)) {
    return;
  }
  withTables(report.tables, [&] {
    if (chooseFirst && !chooseFirst()) return;
    UiReportHost host(env_.ui, state_, *db_, *this, this);
    ReportBuilder builder(
        *db_, host,
        ReportRequest{state_.ReportStartDate, state_.ReportEndDate, env_.clock.today(), QLocale()});
    if (report.choosesFolders) {
      builder.ChooseFolders();
      if (builder.SelectedFolders.isEmpty()) return;  // no folders, or the choice was cancelled
    }
    if (build) {
      build(builder);
    } else {
      ReportCatalog::Build(*db_, builder, kind);
    }
    // A table that failed during the walks gives no report: its figures would be wrong.
    error4exitTest(db_->code(), host_);
    if (builder.LastLine() < 0) {
      host.Inform(QStringLiteral("Report contains no data."));
    } else {
      host.ShowReport(builder.Document());
    }
    builder.EndReport();
  });
}
