// The report viewer: scrolling, fitting the font, export through the Ui, and the one
// print routine behind printing, print preview and PDF export.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "AppState.h"
#include "ProfitChartView.h"
#include "ReportDocument.h"
#include "ReportPainter.h"
#include "ReportPrinting.h"
#include "ReportViewer.h"
#include "ScriptedUi.h"
#include "TestDatabase.h"
#include "UiReportHost.h"

namespace {

// lineCount numbered lines of width columns: a number at the left, an amount ending at
// the right edge; a page break after every pageLength lines.
ReportDocument sampleDocument(int lineCount, int width = 76, int pageLength = 0) {
  ReportDocument document;
  document.Reset(width, 3);
  for (int row = 0; row < lineCount; ++row) {
    const int line = document.AddLine();
    if (pageLength > 0 && row > 0 && row % pageLength == 0) {
      document.SetCell(line, 0, QStringLiteral("EJECT"));
      continue;
    }
    document.SetCell(line, 0, QStringLiteral("L00Line %1").arg(row));
    document.SetCell(line, 1, QStringLiteral("R%1%2").arg(width).arg(row * 1.5, 13, 'f', 2));
  }
  return document;
}

int pdfPageCount(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QString text = QString::fromLatin1(file.readAll());
  return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Viewer : public testing::Test {
 protected:
  Viewer() { state.ReportFont = QFont(QStringLiteral("DejaVu Sans"), 10); }

  // Shows the viewer on document as the program does, running inside while it is open.
  void showViewer(const ReportDocument& document, std::function<void(ReportViewer&)> inside) {
    ReportViewer viewer(ui, state, document);
    ui.expectModal(QStringLiteral("ReportF"), [&](QDialog&) {
      QApplication::processEvents();
      inside(viewer);
    });
    ui.showModal(viewer);
  }

  ScriptedUi ui;
  AppState state;
  QTemporaryDir dir;
};

TEST_F(Viewer, AShortReportShowsEveryLineWithADisabledScrollBar) {
  const ReportDocument document = sampleDocument(5);
  showViewer(document, [](ReportViewer& viewer) {
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Report"));
    EXPECT_TRUE(viewer.windowState() & Qt::WindowMaximized);
    EXPECT_GE(viewer.VisibleLines(), 5);
    EXPECT_FALSE(viewer.scrollBar->isEnabled());
    EXPECT_EQ(viewer.FirstShownLine(), 0);
  });
}

TEST_F(Viewer, TheScrollBarRunsToTheLastFullWindow) {
  const ReportDocument document = sampleDocument(300);
  showViewer(document, [](ReportViewer& viewer) {
    const int visible = viewer.VisibleLines();
    ASSERT_GT(visible, 10);
    ASSERT_LT(visible, 300);
    QScrollBar& bar = *viewer.scrollBar;
    EXPECT_TRUE(bar.isEnabled());
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 300 - visible);
    EXPECT_EQ(bar.pageStep(), visible - 1);
    EXPECT_EQ(bar.singleStep(), 1);
    bar.setValue(bar.maximum());
    EXPECT_EQ(viewer.FirstShownLine(), 300 - visible);  // the last line is the bottom one
    bar.triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(viewer.FirstShownLine(), 300 - visible - (visible - 1));
  });
}

// The keys and the wheel over the lines scroll them, as in any document window.
TEST_F(Viewer, KeysAndTheWheelScrollTheLines) {
  const ReportDocument document = sampleDocument(300);
  showViewer(document, [](ReportViewer& viewer) {
    const int visible = viewer.VisibleLines();
    QWidget* lines = viewer.findChild<QWidget*>(QStringLiteral("canvas"));
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(viewer.focusWidget(), lines);
    const std::pair<QKeyCombination, int> steps[] = {
        {Qt::Key_Down, 1},
        {Qt::Key_PageDown, visible},
        {Qt::Key_Up, visible - 1},
        {Qt::Key_PageUp, 0},
        {QKeyCombination(Qt::ControlModifier, Qt::Key_End), 300 - visible},
        {Qt::Key_Home, 0},
        {Qt::Key_End, 300 - visible}};
    for (const auto& [key, first] : steps) {
      QTest::keyClick(lines, key.key(), key.keyboardModifiers());
      EXPECT_EQ(viewer.FirstShownLine(), first) << key.key();
    }
    QWheelEvent wheel(QPointF(10, 10), lines->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(lines, &wheel);
    EXPECT_LT(viewer.FirstShownLine(), 300 - visible);
  });
}

TEST_F(Viewer, TheScreenFontShrinksToFitButNotBelowEightPoints) {
  state.ReportFont = QFont(QStringLiteral("DejaVu Sans"), 14);
  const ReportDocument narrow = sampleDocument(3, 40);
  showViewer(narrow, [](ReportViewer& viewer) {
    EXPECT_EQ(viewer.ScreenLayout()->Font().pointSize(), 14);  // fits as it is
  });
  const ReportDocument wide = sampleDocument(3, 80);
  showViewer(wide, [&](ReportViewer& viewer) {
    const ReportPainter& layout = *viewer.ScreenLayout();
    const int usable = viewer.scrollBar->x();
    EXPECT_LT(layout.Font().pointSize(), 14);
    EXPECT_LE(80 * layout.CharWidth(), usable);
    // One point more would not have fitted.
    QFont larger = layout.Font();
    larger.setPointSize(larger.pointSize() + 1);
    EXPECT_GT(80 * QFontMetrics(larger, viewer.scrollBar).horizontalAdvance(QLatin1Char('B')),
              usable);
  });
  // A report too wide even at 8 points is centred and cut at both sides.
  state.ReportFont = QFont(QStringLiteral("DejaVu Sans"), 40);
  ReportDocument huge;
  huge.Reset(99, 2);
  huge.SetCell(huge.AddLine(), 0, QStringLiteral("L00") + QString(99, QLatin1Char('W')));
  showViewer(huge, [](ReportViewer& viewer) {
    const ReportPainter& layout = *viewer.ScreenLayout();
    ASSERT_GT(99 * layout.CharWidth(), viewer.scrollBar->x());  // the window is 800 wide
    EXPECT_EQ(layout.Font().pointSize(), 8);
    EXPECT_LT(layout.LeftEdge(), 0);
    EXPECT_GT(layout.RightEdge(), viewer.scrollBar->x());
  });
  EXPECT_EQ(state.ReportFont.pointSize(), 40);  // the viewer changed a copy only
}

TEST_F(Viewer, ExportAsFixedColumnsAddsTheExtension) {
  const ReportDocument document = sampleDocument(3, 40);
  const QString path = dir.filePath(QStringLiteral("june"));
  showViewer(document, [&](ReportViewer& viewer) {
    EXPECT_EQ(viewer.exportMenu->title(), QStringLiteral("&Export"));
    ui.expectFileDialog(QStringLiteral("Export Report"), path);
    viewer.asciiTextAction->trigger();
  });
  // The amounts end at column 40.
  EXPECT_EQ(contents(path + QStringLiteral(".txt")),
            QByteArray("Line 0").leftJustified(36) + "0.00\r\n" +
                QByteArray("Line 1").leftJustified(36) + "1.50\r\n" +
                QByteArray("Line 2").leftJustified(36) + "3.00\r\n");
}

TEST_F(Viewer, ExportAsTabDelimited) {
  const ReportDocument document = sampleDocument(2, 40);
  const QString path = dir.filePath(QStringLiteral("june.asc"));
  showViewer(document, [&](ReportViewer& viewer) {
    ui.expectFileDialog(QStringLiteral("Export Report"), path);
    viewer.tabDelimitedAction->trigger();
  });
  EXPECT_EQ(contents(path), QByteArray("Line 0\t         0.00\r\nLine 1\t         1.50\r\n"));
}

TEST_F(Viewer, ExportAsCsvAndTheProfitChartView) {
  // Two monthly periods of a profit report, as data rows.
  ReportDocument document = sampleDocument(2, 40);
  document.SetDataColumns({"Month Ending", "Taxable Income", "Deductible Expenses",
                           "Taxable Profit", "Nontaxable Income", "Nondeductible Expenses",
                           "Net Profit"});
  document.AddDataRow({{}, false, {"2024-01-31", "220.00", "130.00", "90.00", "0", "0", "90.00"}});
  document.AddDataRow({{}, false, {"2024-02-29", "80.00", "55.00", "25.00", "0", "0", "25.00"}});
  document.AddDataRow({{}, true, {"Totals", "300.00", "185.00", "115.00", "0", "0", "115.00"}});
  const QString csv = dir.filePath(QStringLiteral("june"));
  const QString png = dir.filePath(QStringLiteral("june.png"));
  showViewer(document, [&](ReportViewer& viewer) {
    EXPECT_FALSE(viewer.chartAction->isVisible());  // not a profit report
    ui.expectFileDialog(QStringLiteral("Export Report"), csv);
    viewer.csvAction->trigger();
  });
  EXPECT_TRUE(contents(csv + QStringLiteral(".csv"))
                  .endsWith("\r\ntotal,Totals,300.00,185.00,115.00,0,0,115.00\r\n"));

  document.SetProfitPeriods(true);
  showViewer(document, [&](ReportViewer& viewer) {
    ASSERT_TRUE(viewer.chartAction->isVisible());
    EXPECT_FALSE(viewer.pngAction->isEnabled());
    viewer.chartAction->trigger();
    EXPECT_TRUE(viewer.chartView()->isVisible());
    EXPECT_EQ(viewer.chartView()->Chart().Periods().size(), 2);
    ui.expectFileDialog(QStringLiteral("Export Report"), png);
    viewer.pngAction->trigger();
  });
  EXPECT_EQ(QImage(png).size(), QSize(1600, 1000));
}

TEST_F(Viewer, AnExistingFileIsReplacedOnlyWhenTheUserAgrees) {
  const ReportDocument document = sampleDocument(1, 40);
  const QString path = dir.filePath(QStringLiteral("old.txt"));
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old");
  old.close();
  const QString question = path + QStringLiteral(" already exists.\r\nDo you want to replace it?");
  showViewer(document, [&](ReportViewer& viewer) {
    ui.expectFileDialog(QStringLiteral("Export Report"), path);
    ui.expectMessage(question, Ui::Answer::No);
    viewer.asciiTextClicked();
    EXPECT_EQ(contents(path), QByteArray("old"));
    ui.expectFileDialog(QStringLiteral("Export Report"), path);
    ui.expectMessage(question, Ui::Answer::Yes);
    viewer.asciiTextClicked();
  });
  EXPECT_EQ(contents(path), QByteArray("Line 0").leftJustified(36) + "0.00\r\n");
}

TEST_F(Viewer, ACancelledDialogWritesNothingAndAFailureIsReported) {
  const ReportDocument document = sampleDocument(1, 40);
  const QString unwritable = dir.filePath(QStringLiteral("no/such/dir/report.txt"));
  showViewer(document, [&](ReportViewer& viewer) {
    ui.expectFileDialog(QStringLiteral("Export Report"), QString());
    viewer.tabDelimitedClicked();
    ui.expectFileDialog(QStringLiteral("Export Report"), unwritable);
    ui.expectMessage(QStringLiteral("Unable to save to: ") + unwritable);
    viewer.asciiTextClicked();
    ui.expectFileDialog(QStringLiteral("Export Report"),
                        dir.filePath(QStringLiteral("no/report.pdf")));
    ui.expectMessage(QStringLiteral("Unable to save to: ") +
                     dir.filePath(QStringLiteral("no/report.pdf")));
    viewer.pdfClicked();
    EXPECT_TRUE(viewer.isVisible());  // the viewer stays open
  });
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(Viewer, PrintingToThePdfPrinterAsksForTheFileAndBreaksPagesAtEjects) {
  ASSERT_TRUE(state.Printer.printsToPdf());                    // this machine has no printer
  const ReportDocument document = sampleDocument(61, 76, 20);  // breaks at 20, 40, 60
  const QString path = dir.filePath(QStringLiteral("printed.pdf"));
  showViewer(document, [&](ReportViewer& viewer) {
    ui.expectFileDialog(QStringLiteral("Export Report"), path);
    viewer.printAction->trigger();
  });
  EXPECT_EQ(pdfPageCount(path), 4);
}

TEST_F(Viewer, ThePdfCarriesTheOrientationOfThePageSetup) {
  state.Printer.printer().setPageOrientation(QPageLayout::Landscape);
  const ReportDocument document = sampleDocument(10, 99);
  const QString path = dir.filePath(QStringLiteral("wide.pdf"));
  showViewer(document, [&](ReportViewer& viewer) {
    ui.expectFileDialog(QStringLiteral("Export Report"), path);
    viewer.pdfClicked();
  });
  const QString pdf = QString::fromLatin1(contents(path));
  const QRegularExpressionMatch box =
      QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(pdf);
  ASSERT_TRUE(box.hasMatch());
  EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble());
  EXPECT_EQ(pdfPageCount(path), 1);
}

TEST_F(Viewer, PrintPreviewShowsThePrintedPages) {
  const ReportDocument document = sampleDocument(45, 76, 20);
  showViewer(document, [&](ReportViewer& viewer) {
    ui.expectModal(QStringLiteral("PrintPreview"), [](QDialog& preview) {
      QApplication::processEvents();
      auto* pages = preview.findChild<QPrintPreviewWidget*>();
      ASSERT_NE(pages, nullptr);
      pages->updatePreview();
      EXPECT_EQ(pages->pageCount(), 3);
    });
    viewer.printPreviewAction->trigger();
  });
}

TEST_F(Viewer, TheHostShowsTheViewerModally) {
  const ReportDocument document = sampleDocument(3);
  TestDatabase data;
  UiReportHost host(ui, state, data.db, data.progress);
  ui.expectModal(QStringLiteral("ReportF"), [](QDialog& viewer) {
    EXPECT_GT(static_cast<ReportViewer&>(viewer).VisibleLines(), 3);
  });
  host.ShowReport(document);
}

class PrintedPages : public testing::TestWithParam<QPageLayout::Orientation> {};

TEST_P(PrintedPages, MeasuredLinesFitThePageInTheSetupsOrientation) {
  AppState state;
  state.ReportFont = QFont(QStringLiteral("DejaVu Sans"), 12);
  QPrinter& printer = state.Printer.printer();
  printer.setPageOrientation(GetParam());
  ScriptedUi ui;
  TestDatabase data;
  UiReportHost host(ui, state, data.db, data.progress);
  const int lines = host.LinesPerPage();
  EXPECT_EQ(lines, ReportPrinting::LinesPerPage(printer, state.ReportFont));
  for (int width : {40, 76, 99}) {
    const ReportDocument document = sampleDocument(1, width);
    const ReportPainter page = ReportPrinting::PageLayout(document, printer, state.ReportFont);
    // The last of LinesPerPage lines ends above the page's bottom, the report's right
    // edge inside the printable width.
    EXPECT_LE(ReportPrinting::TopMargin(page) + lines * page.LineHeight(), printer.height());
    EXPECT_GE(page.LeftEdge(), 0) << width;
    EXPECT_LE(page.RightEdge(), printer.width()) << width;
  }
}

INSTANTIATE_TEST_SUITE_P(Orientations, PrintedPages,
                         testing::Values(QPageLayout::Portrait, QPageLayout::Landscape));

TEST(PrintedPageLength, LandscapePagesHoldFewerLines) {
  AppState state;
  QPrinter& printer = state.Printer.printer();
  const QFont font(QStringLiteral("DejaVu Sans"), 10);
  printer.setPageOrientation(QPageLayout::Portrait);
  const int portrait = ReportPrinting::LinesPerPage(printer, font).value_or(0);
  printer.setPageOrientation(QPageLayout::Landscape);
  const int landscape = ReportPrinting::LinesPerPage(printer, font).value_or(0);
  EXPECT_GT(portrait, 50);
  EXPECT_GT(landscape, 20);
  EXPECT_LT(landscape, portrait);
}

}  // namespace
