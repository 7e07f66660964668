// What report building needs from the user and the machine, so the building itself
// needs no window: messages, the folder choice, the printer's page and the viewer, and
// the status bar's caption and progress. The program passes one over its Ui and printer
// (UiReportHost); a test or a command-line program passes its own.
#pragma once

#include <QList>
#include <QString>

#include "ProgressSink.h"

class ReportDocument;

class ReportHost : public ProgressSink {
 public:
  // Tells the user text in an information box with an OK button.
  virtual void Inform(const QString& text) = 0;
  // Lets the user choose folders among those of the open FOLDER table; returns their
  // numbers in list order, empty when the user cancelled or chose none.
  virtual QList<int> PickFolders() = 0;
  // Lines a page holds on the printer the print will use, in the report font. When there
  // is no printer it tells the user and returns 60.
  virtual int LinesPerPage() = 0;
  // Shows the finished document until the user closes the viewer.
  virtual void ShowReport(const ReportDocument& document) = 0;
};
