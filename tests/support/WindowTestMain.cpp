// The window tests run in one QApplication (offscreen unless another platform is asked
// for, as when the windows are looked at under Xvfb), with a fixed locale so decimal
// separators and date formats are known.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale(QLocale::English, QLocale::Australia));
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
