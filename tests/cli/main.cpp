// The command-line tests run in one QGuiApplication (offscreen), in the en_AU locale, which
// the tool started from here inherits: both sides of a comparison format money and dates
// alike.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("LC_ALL", "en_AU.UTF-8");
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
