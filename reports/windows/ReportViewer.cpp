#include "ReportViewer.h"

#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QVBoxLayout>

#include "AppState.h"
#include "ReportDocument.h"
#include "ReportPainter.h"
#include "ReportPrinting.h"
#include "Ui.h"

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

  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  mExit = MainMenu1->addAction(QStringLiteral("E&xit"), this, &ReportViewer::mExitClick);
  mExit->setObjectName(QStringLiteral("mExit"));
  mPrint = MainMenu1->addAction(QStringLiteral("Print"), this, &ReportViewer::mPrintClick);
  mPrint->setObjectName(QStringLiteral("mPrint"));
  mPrintPreview =
      MainMenu1->addAction(QStringLiteral("Print Pre&view"), this, &ReportViewer::mPrintPreviewClick);
  mPrintPreview->setObjectName(QStringLiteral("mPrintPreview"));
  mExport = MainMenu1->addMenu(QStringLiteral("&Export"));
  mExport->setObjectName(QStringLiteral("mExport"));
  AsciiText1 = mExport->addAction(QStringLiteral("Ascii &Text"), this, &ReportViewer::AsciiText1Click);
  AsciiText1->setObjectName(QStringLiteral("AsciiText1"));
  TabDelimited1 =
      mExport->addAction(QStringLiteral("Tab &Delimited"), this, &ReportViewer::TabDelimited1Click);
  TabDelimited1->setObjectName(QStringLiteral("TabDelimited1"));
  PdfFile1 = mExport->addAction(QStringLiteral("&PDF"), this, &ReportViewer::PdfFile1Click);
  PdfFile1->setObjectName(QStringLiteral("PdfFile1"));

  canvas_ = new QWidget(this);
  canvas_->setObjectName(QStringLiteral("ReportCanvas"));
  canvas_->setAutoFillBackground(true);
  QPalette white = canvas_->palette();
  white.setColor(QPalette::Window, Qt::white);
  canvas_->setPalette(white);
  canvas_->installEventFilter(this);

  Bevel1 = new QFrame(canvas_);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameShape(QFrame::HLine);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Bevel1->setLineWidth(1);

  ScrollBar1 = new QScrollBar(Qt::Vertical, canvas_);
  ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &ReportViewer::ScrollBar1Change);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(MainMenu1);
  layout->addWidget(canvas_);
  resize(800, 600);  // the size when not maximised
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void ReportViewer::FormShow() { layOut(false); }

bool ReportViewer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == canvas_) {
    if (event->type() == QEvent::Paint) {
      QPainter painter(canvas_);
      PaintLines(painter);
      return true;
    }
    if (event->type() == QEvent::Resize && screen_) layOut(true);
  }
  return QDialog::eventFilter(watched, event);
}

int ReportViewer::usableWidth() const { return canvas_->width() - kScrollBarWidth; }

void ReportViewer::layOut(bool keepPosition) {
  Bevel1->setGeometry(0, 0, canvas_->width(), 1);
  ScrollBar1->setGeometry(canvas_->width() - kScrollBarWidth, kScrollBarTop, kScrollBarWidth,
                          std::max(canvas_->height() - kScrollBarTop, 0));
  // The viewer's font is a copy: the report font itself never changes here.
  screen_ = std::make_unique<ReportPainter>(document_, state_.ReportFont, *canvas_, usableWidth(),
                                            kMinimumScreenPointSize);
  visibleLines_ = (canvas_->height() - kScrollBarTop) / screen_->LineHeight();
  const int lineCount = document_.LastLine() + 1;
  const int position = keepPosition ? ScrollBar1->value() : 0;
  const QSignalBlocker quiet(ScrollBar1);
  if (visibleLines_ < lineCount) {
    ScrollBar1->setEnabled(true);
    ScrollBar1->setRange(0, lineCount - visibleLines_);
    ScrollBar1->setPageStep(std::max(visibleLines_ - 1, 1));
    ScrollBar1->setSingleStep(1);
  } else {
    ScrollBar1->setEnabled(false);
    ScrollBar1->setRange(0, 0);
  }
  ScrollBar1->setValue(position);
  firstShownLine_ = ScrollBar1->value();
  canvas_->update();
}

void ReportViewer::ScrollBar1Change(int position) {
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

void ReportViewer::mExitClick() { reject(); }

void ReportViewer::mPrintClick() {
  if (state_.Printer.printsToPdf()) {
    PdfFile1Click();
    return;
  }
  QPrinter& printer = state_.Printer.printer();
  if (!ReportPrinting::Print(document_, printer, state_.ReportFont)) {
    ui_.message(Ui::Type::Information, Ui::Buttons::Ok,
                QStringLiteral("Unable to print on: ") + printer.printerName());
  }
}

void ReportViewer::mPrintPreviewClick() {
  QPrintPreviewDialog preview(&state_.Printer.printer(), this);
  preview.setObjectName(QStringLiteral("PrintPreview"));
  preview.setWindowTitle(QStringLiteral("Print Preview"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
    ReportPrinting::Print(document_, *printer, state_.ReportFont);
  });
  ui_.showModal(preview);
}

void ReportViewer::PdfFile1Click() {
  const QString path = askExportFile(QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"));
  if (path.isEmpty()) return;
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
