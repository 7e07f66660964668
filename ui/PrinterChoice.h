// The printer of the run: the system's default printer, or a PDF file when the machine
// has no printer (normal on a desktop without one). The page setup changes it for the
// run only; nothing about it is stored.
#pragma once

#include <QString>
#include <memory>

class QPrinter;

class PrinterChoice {
 public:
  PrinterChoice();
  ~PrinterChoice();
  PrinterChoice(const PrinterChoice&) = delete;
  PrinterChoice& operator=(const PrinterChoice&) = delete;

  QPrinter& printer() { return *printer_; }
  // True when printing goes to a PDF file instead of a printer.
  bool printsToPdf() const;
  // The printer's name ("PDF file" for the PDF output) followed by "-Landscape" or
  // "-Portrait", as the settings page shows it.
  QString description() const;

 private:
  std::unique_ptr<QPrinter> printer_;
};
