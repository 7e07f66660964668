#include "UiReportHost.h"

#include <QPrinter>

#include "AppState.h"
#include "FolderChooser.h"
#include "ReportPrinting.h"
#include "ReportRules.h"
#include "ReportViewer.h"
#include "Ui.h"

void UiReportHost::Inform(const QString& text) {
  ui_.message(Ui::Type::Information, Ui::Buttons::Ok, text);
}

QList<int> UiReportHost::PickFolders() {
  FolderChooser form(db_, parent_);
  ui_.showModal(form);
  return form.SelectedFolders();
}

int UiReportHost::LinesPerPage() {
  // Measured on the printer the print will use, as the page setup left it (orientation
  // and paper included), so the page breaks placed now fit the printed pages.
  QPrinter& printer = state_.Printer.printer();
  return LinesPerPageOf(ui_, printer.isValid() ? &printer : nullptr, state_.ReportFont);
}

int UiReportHost::LinesPerPageOf(Ui& ui, QPrinter* printer, const QFont& font) {
  if (!printer) {
    ui.message(Ui::Type::Information, Ui::Buttons::Ok,
               QStringLiteral("Default Printer Not Found. Printing 60 Lines per page"));
    return ReportRules::kDefaultLinesPerPage;
  }
  return ReportPrinting::LinesPerPage(*printer, font).value_or(ReportRules::kDefaultLinesPerPage);
}

void UiReportHost::ShowReport(const ReportDocument& document) {
  ReportViewer viewer(ui_, state_, document, parent_);
  ui_.showModal(viewer);
}
