#include "ReportViewer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <map>

#include "AppState.h"
#include "ProfitChartView.h"
#include "ReportCsv.h"
#include "ReportDocument.h"
#include "ReportPainter.h"
#include "ReportPrinting.h"
#include "Ui.h"
#include "WindowKeys.h"

namespace {

constexpr int kScrollBarTop = 2;
constexpr int kScrollBarWidth = 16;
constexpr int kMinimumScreenPointSize = 8;

}  // namespace

ReportViewer::ReportViewer(Ui& ui, AppState& state, const ReportDocument& document, QWidget* parent)
    : QDialog(parent), ui_(ui), state_(state), document_(document) {
  setObjectName(QStringLiteral("ReportF"));
  setWindowTitle(QStringLiteral("Report"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  setWindowState(Qt::WindowMaximized);

  menuBar = new QMenuBar(this);
  menuBar->setObjectName(QStringLiteral("menuBar"));
  exitAction = menuBar->addAction(QStringLiteral("E&xit"), this, &ReportViewer::exitClicked);
  exitAction->setObjectName(QStringLiteral("exitAction"));
  printAction = menuBar->addAction(QStringLiteral("Print"), this, &ReportViewer::printClicked);
  printAction->setObjectName(QStringLiteral("printAction"));
  printPreviewAction = menuBar->addAction(QStringLiteral("Print Pre&view"), this,
                                          &ReportViewer::printPreviewClicked);
  printPreviewAction->setObjectName(QStringLiteral("printPreviewAction"));
  exportMenu = menuBar->addMenu(QStringLiteral("&Export"));
  exportMenu->setObjectName(QStringLiteral("exportMenu"));
  asciiTextAction =
      exportMenu->addAction(QStringLiteral("Ascii &Text"), this, &ReportViewer::asciiTextClicked);
  asciiTextAction->setObjectName(QStringLiteral("asciiTextAction"));
  tabDelimitedAction = exportMenu->addAction(QStringLiteral("Tab &Delimited"), this,
                                             &ReportViewer::tabDelimitedClicked);
  tabDelimitedAction->setObjectName(QStringLiteral("tabDelimitedAction"));
  csvAction = exportMenu->addAction(QStringLiteral("&CSV"), this, &ReportViewer::csvClicked);
  csvAction->setObjectName(QStringLiteral("csvAction"));
  pdfAction = exportMenu->addAction(QStringLiteral("&PDF"), this, &ReportViewer::pdfClicked);
  pdfAction->setObjectName(QStringLiteral("pdfAction"));
  pngAction = exportMenu->addAction(QStringLiteral("P&NG"), this, &ReportViewer::pngClicked);
  pngAction->setObjectName(QStringLiteral("pngAction"));
  chartAction = menuBar->addAction(QStringLiteral("&Chart"));
  chartAction->setObjectName(QStringLiteral("chartAction"));
  chartAction->setCheckable(true);
  connect(chartAction, &QAction::toggled, this, &ReportViewer::chartToggled);
  const bool chart = document.ProfitPeriods();
  chartAction->setVisible(chart);
  pngAction->setVisible(chart);
  pngAction->setEnabled(false);

  canvas_ = new QWidget(this);
  canvas_->setObjectName(QStringLiteral("canvas"));
  canvas_->setAutoFillBackground(true);
  QPalette white = canvas_->palette();
  white.setColor(QPalette::Window, Qt::white);
  canvas_->setPalette(white);
  canvas_->installEventFilter(this);
  canvas_->setFocusPolicy(Qt::StrongFocus);  // the keys scroll it

  bevel = new QFrame(canvas_);
  bevel->setObjectName(QStringLiteral("bevel"));
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setLineWidth(1);

  scrollBar = new QScrollBar(Qt::Vertical, canvas_);
  scrollBar->setObjectName(QStringLiteral("scrollBar"));
  connect(scrollBar, &QScrollBar::valueChanged, this, &ReportViewer::scrolled);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menuBar);
  layout->addWidget(canvas_);
  if (chart) {
    chartView_ = new ProfitChartView(ProfitChart::FromDocument(document, QLocale()), this);
    chartView_->hide();
    layout->addWidget(chartView_);
  }
  resize(800, 600);  // the size when not maximised
  WindowKeys::Install(*this, &ui);
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  prepare();
}

void ReportViewer::prepare() { layOut(false); }

bool ReportViewer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == canvas_) {
    if (event->type() == QEvent::Paint) {
      QPainter painter(canvas_);
      PaintLines(painter);
      return true;
    }
    if (event->type() == QEvent::Resize && screen_) layOut(true);
    if (event->type() == QEvent::Wheel) {
      QCoreApplication::sendEvent(scrollBar, event);
      return true;
    }
    if (event->type() == QEvent::KeyPress) return scrollKeyPressed(*static_cast<QKeyEvent*>(event));
  }
  return QDialog::eventFilter(watched, event);
}

bool ReportViewer::scrollKeyPressed(const QKeyEvent& key) {
  // Home and End go to the ends with or without Ctrl: the report never scrolls sideways.
  static const std::map<int, QAbstractSlider::SliderAction> kActions{
      {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub},
      {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd},
      {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
      {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
      {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
      {Qt::Key_End, QAbstractSlider::SliderToMaximum}};
  const auto action = kActions.find(key.key());
  if (action == kActions.end()) return false;
  scrollBar->triggerAction(action->second);
  return true;
}

int ReportViewer::usableWidth() const { return canvas_->width() - kScrollBarWidth; }

void ReportViewer::layOut(bool keepPosition) {
  bevel->setGeometry(0, 0, canvas_->width(), 1);
  scrollBar->setGeometry(canvas_->width() - kScrollBarWidth, kScrollBarTop, kScrollBarWidth,
                         std::max(canvas_->height() - kScrollBarTop, 0));
  // The viewer's font is a copy: the report font itself never changes here.
  screen_ = std::make_unique<ReportPainter>(document_, state_.ReportFont, *canvas_, usableWidth(),
                                            kMinimumScreenPointSize);
  visibleLines_ = (canvas_->height() - kScrollBarTop) / screen_->LineHeight();
  const int lineCount = document_.LastLine() + 1;
  const int position = keepPosition ? scrollBar->value() : 0;
  const QSignalBlocker quiet(scrollBar);
  if (visibleLines_ < lineCount) {
    scrollBar->setEnabled(true);
    scrollBar->setRange(0, lineCount - visibleLines_);
    scrollBar->setPageStep(std::max(visibleLines_ - 1, 1));
    scrollBar->setSingleStep(1);
  } else {
    scrollBar->setEnabled(false);
    scrollBar->setRange(0, 0);
  }
  scrollBar->setValue(position);
  firstShownLine_ = scrollBar->value();
  canvas_->update();
}

void ReportViewer::scrolled(int position) {
  firstShownLine_ = position;
  canvas_->repaint();
}

void ReportViewer::PaintLines(QPainter& painter) {
  painter.fillRect(0, 0, usableWidth(), canvas_->height(), Qt::white);
  if (!screen_) return;
  const int lineHeight = screen_->LineHeight();
  const int lastShown = std::min(firstShownLine_ + visibleLines_ - 1, document_.LastLine());
  // Lines start below the bevel, level with the scroll bar.
  int y = kScrollBarTop;
  for (int line = firstShownLine_; line <= lastShown; ++line) {
    screen_->BeginLine(painter, line);
    for (int index = 0; index < document_.CellCount() - 1; ++index) {
      const ReportCell cell = ReportCell::Parse(document_.Cell(line, index));
      if (cell.kind == ReportCell::Kind::Eject) {
        painter.setPen(screen_->Pen(Qt::DotLine));
        painter.drawLine(0, y + lineHeight / 2, usableWidth() - 1, y + lineHeight / 2);
      } else if (cell.kind == ReportCell::Kind::Image) {
        const QImage& picture = screen_->Picture(cell.text);
        if (!picture.isNull()) {
          painter.drawImage(screen_->PictureX(cell, picture.width()), y, picture);
        }
      } else {
        screen_->DrawCell(painter, cell, y);
      }
    }
    y += lineHeight;
    screen_->DrawUnderline(painter, line, y);
  }
}

void ReportViewer::exitClicked() { reject(); }

void ReportViewer::chartToggled(bool shown) {
  if (!chartView_) return;
  canvas_->setVisible(!shown);
  chartView_->setVisible(shown);
  pngAction->setEnabled(shown);
}

void ReportViewer::pngClicked() {
  if (!chartView_) return;
  const QString path = askExportFile(QStringLiteral("PNG pictures (*.png)"), QStringLiteral("png"));
  if (path.isEmpty()) return;
  if (!chartView_->Chart().WritePng(path, QSize(1600, 1000))) unableToSave(path);
}

void ReportViewer::printClicked() {
  if (chartView_ && chartView_->isVisible() && !state_.Printer.printsToPdf()) {
    QPrinter& printer = state_.Printer.printer();
    QPainter painter;
    if (!painter.begin(&printer)) {
      ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                  QStringLiteral("Unable to print on: ") + printer.printerName());
      return;
    }
    chartView_->Chart().Paint(painter, QRectF(painter.viewport()));
    painter.end();
    return;
  }
  if (state_.Printer.printsToPdf()) {
    pdfClicked();
    return;
  }
  QPrinter& printer = state_.Printer.printer();
  if (!ReportPrinting::Print(document_, printer, state_.ReportFont)) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Unable to print on: ") + printer.printerName());
  }
}

void ReportViewer::printPreviewClicked() {
  QPrintPreviewDialog preview(&state_.Printer.printer(), this);
  preview.setObjectName(QStringLiteral("PrintPreview"));
  preview.setWindowTitle(QStringLiteral("Print Preview"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
    ReportPrinting::Print(document_, *printer, state_.ReportFont);
  });
  ui_.showModal(preview);
}

void ReportViewer::pdfClicked() {
  const QString path = askExportFile(QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"));
  if (path.isEmpty()) return;
  if (chartView_ && chartView_->isVisible()) {
    if (!chartView_->Chart().WritePdf(path)) unableToSave(path);
    return;
  }
  // The pages of the run's printer, so the page breaks placed for it still fit.
  const QPrinter& printer = state_.Printer.printer();
  if (!ReportPrinting::PrintPdf(document_, printer.pageLayout(), printer.resolution(),
                                state_.ReportFont, path, windowTitle())) {
    unableToSave(path);
  }
}

void ReportViewer::ExportReport(ReportExport::Layout layout) {
  const bool tabs = layout == ReportExport::Layout::TabDelimited;
  const QString path =
      tabs ? askExportFile(QStringLiteral("Delimited files (*.asc)"), QStringLiteral("asc"))
           : askExportFile(QStringLiteral("Text files (*.txt)"), QStringLiteral("txt"));
  if (path.isEmpty()) return;
  if (!ReportExport::Write(document_, layout, path)) unableToSave(path);
}

void ReportViewer::csvClicked() {
  const QString path =
      askExportFile(QStringLiteral("Comma-separated values (*.csv)"), QStringLiteral("csv"));
  if (path.isEmpty()) return;
  if (!ReportCsv::Write(document_, path)) unableToSave(path);
}

QString ReportViewer::askExportFile(const QString& filter, const QString& defaultSuffix) {
  QString path = ui_.saveFileName(QStringLiteral("Export Report"), QString(), filter);
  if (path.isEmpty()) return path;
  if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + defaultSuffix;
  if (QFileInfo::exists(path) &&
      ui_.message(Ui::Type::Confirmation, Ui::Buttons::YesNo,
                  path + QStringLiteral(" already exists.\r\nDo you want to replace it?")) !=
          Ui::Answer::Yes) {
    return QString();
  }
  return path;
}

void ReportViewer::unableToSave(const QString& path) {
  ui_.message(Ui::Type::Information, Ui::Buttons::Ok, QStringLiteral("Unable to save to: ") + path);
}
