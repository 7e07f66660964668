// tallyworth-cli: the reports and the maintenance of the Tallyworth books from a script.
// It never shows a window; reports still lay text out in fonts and print PDF pages, so a
// QGuiApplication runs on the offscreen platform unless QT_QPA_PLATFORM names another.
#include <unistd.h>

#include <QGuiApplication>
#include <iostream>

#include "CliApp.h"
#include "Clock.h"

namespace {

// Qt's own notes (a missing runtime directory on a headless machine, font fallbacks) are
// no concern of a script, whose error stream carries only the tool's lines.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

}  // namespace

int main(int argc, char* argv[]) {
  qInstallMessageHandler(quietQt);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QGuiApplication::setApplicationName(QStringLiteral("tallyworth-cli"));
  QStringList arguments = QGuiApplication::arguments();
  arguments.removeFirst();
  return CliApp(std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0, Clock::system()).Run(arguments);
}
