// The report viewer: shows a finished report document on screen with a vertical scroll
// bar, prints it on the run's printer without a dialog, previews that print, and exports
// it as fixed-column text, tab-delimited text, CSV or PDF. It never changes the document.
// A profit report also has a chart view (Chart): while it shows, Print and PDF give the
// chart, and Export > PNG writes it as a picture.
#pragma once

#include <QDialog>
#include <memory>

#include "ReportExport.h"

struct AppState;
class QAction;
class QFrame;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QPainter;
class QScrollBar;
class ReportDocument;
class ProfitChartView;
class ReportPainter;
class Ui;

class ReportViewer : public QDialog {
  Q_OBJECT

 public:
  // ui, state and document must outlive the viewer. The report font and the printer
  // are taken from state at each show and print.
  ReportViewer(Ui& ui, AppState& state, const ReportDocument& document, QWidget* parent = nullptr);
  ~ReportViewer() override;

  QMenuBar* menuBar;
  QAction* exitAction;
  QAction* printAction;
  QAction* printPreviewAction;
  QMenu* exportMenu;
  QAction* asciiTextAction;
  QAction* tabDelimitedAction;
  QAction* csvAction;
  QAction* pdfAction;
  QAction* pngAction;
  QAction* chartAction;  // only for a profit report
  QFrame* bevel;
  QScrollBar* scrollBar;

  // Lays the document out for the window (the report font, lowered down to 8 points
  // while the report is wider than the window) and shows its first line.
  void prepare();
  // Shows the document from line position on.
  void scrolled(int position);
  void exitClicked();
  // Prints the whole document on the run's printer; where that printer is a PDF file
  // (a machine without a printer) it asks for the file like pdfClicked.
  void printClicked();
  // Qt's print preview of exactly what printClicked prints.
  void printPreviewClicked();
  void asciiTextClicked() { ExportReport(ReportExport::Layout::FixedColumns); }
  void tabDelimitedClicked() { ExportReport(ReportExport::Layout::TabDelimited); }
  // The report's rows for spreadsheets (ReportCsv) into a file the user chooses.
  void csvClicked();
  // The printed pages into a PDF file, in the page layout of the run's printer.
  void pdfClicked();
  // Shows the chart instead of the lines, or the lines again.
  void chartToggled(bool shown);
  // The chart as a PNG picture into a file the user chooses.
  void pngClicked();
  // The chart view; null for a report without a chart.
  ProfitChartView* chartView() const { return chartView_; }
  // Asks for a file (replacing one only when the user agrees) and writes the document in
  // layout; "Unable to save to: " and the name when it cannot be written.
  void ExportReport(ReportExport::Layout layout);

  int FirstShownLine() const { return firstShownLine_; }
  int VisibleLines() const { return visibleLines_; }
  // The layout on screen; null before the first show.
  const ReportPainter* ScreenLayout() const { return screen_.get(); }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Measures for the window's size; keepPosition false goes back to the first line.
  void layOut(bool keepPosition);
  void PaintLines(QPainter& painter);
  // Arrows, Page Up/Down, Home and End move the lines; false for any other key.
  bool scrollKeyPressed(const QKeyEvent& key);
  int usableWidth() const;
  // The file the user chose in the export dialog, with defaultSuffix when it had none;
  // empty when cancelled or when the user would not replace an existing file.
  QString askExportFile(const QString& filter, const QString& defaultSuffix);
  void unableToSave(const QString& path);

  Ui& ui_;
  AppState& state_;
  const ReportDocument& document_;
  QWidget* canvas_;  // the client area the lines are painted on
  ProfitChartView* chartView_ = nullptr;
  std::unique_ptr<ReportPainter> screen_;
  int firstShownLine_ = 0;
  int visibleLines_ = 0;
};
