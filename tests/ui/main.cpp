// The widget tests need one application object for the whole run.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Headless unless told otherwise, also when the test list is read at build time.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
