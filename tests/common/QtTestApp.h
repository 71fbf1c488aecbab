#pragma once
/// The one QApplication of a widget test program. Each program's test environment destroys it
/// after the last test so Qt's font caches are released and leak checks stay meaningful.

#include <QApplication>

namespace orvx::test {

inline QApplication*& AppSlot() {
  static QApplication* app = nullptr;
  return app;
}

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "orvx-widget-test";
  static char* argv[] = {name, nullptr};
  if (AppSlot() == nullptr) {
    // Widget tests never need a screen; the real-window test starts its own X server.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    AppSlot() = new QApplication(argc, argv);
  }
  return *AppSlot();
}

}  // namespace orvx::test
