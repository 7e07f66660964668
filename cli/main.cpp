// tallyworth-cli: the reports and the maintenance of the Tallyworth books from a script.
// It never shows a window; reports still lay text out in fonts and print PDF pages, so for
// them a QGuiApplication runs on the offscreen platform unless QT_QPA_PLATFORM names
// another. Every other command does without its font and platform start-up.
#include <unistd.h>

#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "CliApp.h"
#include "CliArguments.h"
#include "Clock.h"

namespace {

// Qt's own notes (a missing runtime directory on a headless machine, font fallbacks) are
// no concern of a script, whose error stream carries only the tool's lines.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

bool buildsReport(const QStringList& arguments) {
  try {
    return CliArguments::Parse(arguments).command == QLatin1String("report");
  } catch (const UsageError&) {
    return false;  // the run only reports the usage error
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  qInstallMessageHandler(quietQt);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  const std::unique_ptr<QCoreApplication> app =
      buildsReport(arguments) ? std::make_unique<QGuiApplication>(argc, argv)
                              : std::make_unique<QCoreApplication>(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tallyworth-cli"));
  return CliApp(std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0, Clock::system()).Run(arguments);
}
