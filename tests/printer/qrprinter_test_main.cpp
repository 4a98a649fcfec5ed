// The printer posts and sends Qt events and the progress window is a widget,
// so every test runs inside one application object (offscreen).
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
