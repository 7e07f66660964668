// Starts the main window on a set of books and saves a picture of each of its four pages
// and of the About box, for checking the look of the program.
//
// usage: screenshots <books directory> <output directory>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <cstdio>

#include "AppState.h"
#include "Clock.h"
#include "Environment.h"
#include "QtUi.h"
#include "TAboutForm.h"
#include "TFormMain.h"
#include "WaitClock.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tallyworth"));
  if (argc != 3) {
    std::fprintf(stderr, "usage: screenshots <books directory> <output directory>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[2]));
  QtUi ui;
  AppState state;
  const Environment env{ui, Clock::system(), WaitClock::system(), xbase::FileSystem::posix(),
                        QDir(QString::fromLocal8Bit(argv[1])).absolutePath().toStdString()};
  TFormMain form(env, state);
  form.FormShow();
  form.show();
  // The first paint fills the default-folder list; wait for it.
  QElapsedTimer waited;
  waited.start();
  while (state.RefillFolderBox && waited.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  int failures = 0;
  for (int page = 0; page < form.PageControl1->count(); ++page) {
    form.PageControl1->setCurrentIndex(page);
    QApplication::processEvents();
    const QString file = out.filePath(QStringLiteral("page%1-%2.png")
                                          .arg(page + 1)
                                          .arg(form.PageControl1->widget(page)->objectName()));
    if (!form.grab().save(file)) ++failures;
  }
  form.AboutForm->show();
  QApplication::processEvents();
  if (!form.AboutForm->grab().save(out.filePath(QStringLiteral("about.png")))) ++failures;
  std::fflush(nullptr);
  // Leave without the shut-down: nothing was changed, and no pack may run here.
  std::_Exit(failures == 0 ? 0 : 1);
}
