// Program entry: Tallyworth works on the books it is given (tallyworth DIR, or --data DIR),
// else on those of the directory it is started in, else on those it used last; on the very
// first start it asks. When the user opens other books, a new main window starts on them.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "AppState.h"
#include "BooksChooser.h"
#include "Clock.h"
#include "Environment.h"
#include "MainWindow.h"
#include "ProgramVersion.h"
#include "QtUi.h"
#include "RecentBooks.h"
#include "UiProgramHost.h"
#include "WaitClock.h"

namespace {

// The folder named on the command line, or an empty text.
QString RequestedBooks(const QApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Bookkeeping with GST or VAT for a small business."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Opens the books in DIR."),
                                QStringLiteral("DIR"));
  parser.addOption(data);
  parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("Opens the books in DIR."),
                               QStringLiteral("[DIR]"));
  parser.process(app);
  const QStringList folders = parser.positionalArguments() + parser.values(data);
  if (folders.size() > 1) {
    std::fputs("tallyworth: give one books folder\n", stderr);
    std::exit(2);
  }
  return folders.value(0);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tallyworth"));
  QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
  QApplication::setDesktopFileName(QStringLiteral("org.tallyworth.Tallyworth"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Tallyworth.png")));
  const QString requested = RequestedBooks(app);

  QtUi ui;
  UiProgramHost host(ui);
  RecentBooks recent(RecentBooks::defaultFile());
  // Installed or in the build tree, the sample books lie beside the programs' folder.
  BooksChooser books(
      ui, xbase::FileSystem::posix(), recent,
      QApplication::applicationDirPath() + QStringLiteral("/../share/tallyworth/sample"));
  // Unattended set-ups answer the first-start question in advance.
  QString folder =
      books.startupBooks(requested, QDir::currentPath(),
                         BooksChooser::ParseAnswer(qEnvironmentVariable("TALLYWORTH_FIRST_START")));
  while (!folder.isEmpty()) {
    AppState state;
    const Environment env{ui,
                          host,
                          Clock::system(),
                          WaitClock::system(),
                          xbase::FileSystem::posix(),
                          folder.toStdString(),
                          &books,
                          {}};
    MainWindow window(env, state);
    window.prepare();
    recent.remember(folder);
    if (QScreen* screen = window.screen()) {
      window.move(screen->availableGeometry().center() - window.rect().center());
    }
    window.show();
    QApplication::exec();
    folder = window.nextBooks();
    if (folder.isEmpty()) window.ShutDown();  // the session ended the event loop
  }
  return 0;
}
