#include "PrinterChoice.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

PrinterChoice::PrinterChoice() {
  const QPrinterInfo system = QPrinterInfo::defaultPrinter();
  if (system.isNull()) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setOutputFormat(QPrinter::PdfFormat);
  } else {
    printer_ = std::make_unique<QPrinter>(system, QPrinter::HighResolution);
  }
}

PrinterChoice::~PrinterChoice() = default;

bool PrinterChoice::printsToPdf() const { return printer_->outputFormat() == QPrinter::PdfFormat; }

QString PrinterChoice::description() const {
  const QString name = printsToPdf() ? QStringLiteral("PDF file") : printer_->printerName();
  const bool landscape = printer_->pageLayout().orientation() == QPageLayout::Landscape;
  return name + (landscape ? QStringLiteral("-Landscape") : QStringLiteral("-Portrait"));
}
