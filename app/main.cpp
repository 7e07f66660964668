// Program entry: Tallyworth works on the tables in the directory it is started in.
#include <QApplication>
#include <QDir>
#include <QScreen>

#include "AppState.h"
#include "Clock.h"
#include "Environment.h"
#include "MainWindow.h"
#include "ProgramVersion.h"
#include "QtUi.h"
#include "UiProgramHost.h"
#include "WaitClock.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tallyworth"));
  QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Tallyworth.png")));

  QtUi ui;
  UiProgramHost host(ui);
  AppState state;
  const Environment env{ui,
                        host,
                        Clock::system(),
                        WaitClock::system(),
                        xbase::FileSystem::posix(),
                        QDir::currentPath().toStdString()};
  MainWindow window(env, state);
  window.prepare();
  if (QScreen* screen = window.screen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
  window.show();
  return app.exec();
}
