// Test entry point: a QApplication exists for every test so widgets,
// timers and the clipboard work; each test binary gets a fresh data folder and component registry.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QTemporaryDir data;
  if (qgetenv("DORRIN_DATA_DIR").isEmpty()) qputenv("DORRIN_DATA_DIR", data.path().toUtf8());
  // Components register into a registry of the test's own, never the user's.
  if (qgetenv("TESSIVO_REGISTRY").isEmpty())
    qputenv("TESSIVO_REGISTRY", (data.path() + "/registry.ini").toUtf8());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
