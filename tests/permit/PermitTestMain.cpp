// main() for the permit program's tests: the program's own application
// object (its notify override is under test), headless unless the caller
// chose a platform, and a scratch home folder so that no test touches the
// user's real data folder.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TPermisoApplication.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  qputenv("HOME", home.path().toLocal8Bit());
  TPermisoApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
