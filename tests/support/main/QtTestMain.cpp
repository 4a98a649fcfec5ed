// One QApplication around every test of a binary: widgets, fonts, events and
// nested loops need it. Headless unless the caller chose a platform, so that
// a plain run (and test discovery at build time) needs no display.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
