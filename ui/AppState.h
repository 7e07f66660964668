// The application state of the window program: the hand-over values every operation
// shares, and what only windows need (the splash, the report font, the printer).
#pragma once

#include <QFont>
#include <QString>

#include "HandOver.h"
#include "PrinterChoice.h"

struct AppState : HandOver {
  // The four version numbers of the program, joined by ".".
  QString ProgramVersion;
  // The About box is on screen as the start-up splash (its OK button hidden).
  bool SplashMode = true;
  // Font of report display and printing; its name and size persist in the settings.
  QFont ReportFont;
  // The printer reports print on, as chosen in the page setup for this run.
  PrinterChoice Printer;
};
