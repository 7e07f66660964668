// Program entry: Tallyworth works on the tables in the directory it is started in.
#include <QApplication>
#include <QDir>
#include <QScreen>

#include "AppState.h"
#include "Clock.h"
#include "Environment.h"
#include "ProgramVersion.h"
#include "QtUi.h"
#include "UiProgramHost.h"
#include "MainWindow.h"
#include "WaitClock.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tallyworth"));
  QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Tallyworth.png")));

  QtUi ui;
  UiProgramHost host(ui);
  AppState state;
  const Environment env{ui, host, Clock::system(), WaitClock::system(), xbase::FileSystem::posix(),
                        QDir::currentPath().toStdString()};
  MainWindow form(env, state);
  form.FormShow();
  if (QScreen* screen = form.screen()) {
    form.move(screen->availableGeometry().center() - form.rect().center());
  }
  form.show();
  return app.exec();
}
