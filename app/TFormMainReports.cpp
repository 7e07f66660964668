// The report commands' shared run: the folder choice, the building of the report's
// document, then the message or the viewer. The generators build without any window; this
// is where the user and the status bar meet them.
#include "AppState.h"
#include "Database.h"
#include "ReportBuilder.h"
#include "TFormMain.h"
#include "UiReportHost.h"

void TFormMain::runReport(std::initializer_list<OpenRoutine> opens, ReportFolders folders,
                          const std::function<void(ReportBuilder&)>& build,
                          const std::function<bool()>& chooseFirst) {
  withTables(opens, [&] {
    if (chooseFirst && !chooseFirst()) return;
    UiReportHost host(env_.ui, state_, *db_, *this, this);
    ReportBuilder builder(
        *db_, host,
        ReportRequest{state_.ReportStartDate, state_.ReportEndDate, env_.clock.today(), QLocale()});
    if (folders == ReportFolders::Choose) {
      builder.ChooseFolders();
      if (builder.SelectedFolders.isEmpty()) return;  // no folders, or the choice was cancelled
    }
    build(builder);
    if (builder.LastLine() < 0) {
      host.Inform(QStringLiteral("Report contains no data."));
    } else {
      host.ShowReport(builder.Document());
    }
    builder.EndReport();
  });
}
