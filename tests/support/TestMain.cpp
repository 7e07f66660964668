// The Qt tests run in one application (offscreen unless another platform is asked for, as
// when the windows are looked at under Xvfb), with a fixed locale so decimal separators and
// date formats are known. Window tests get a QApplication, the others a QGuiApplication.
#include <gtest/gtest.h>

#include <QLocale>
#ifdef TALLYWORTH_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale(QLocale::English, QLocale::Australia));
  TestApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
