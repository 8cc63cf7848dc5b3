// The one QApplication of a windows test program: the offscreen platform with
// three screens (a 1920 x 1080 primary at the origin, a 1280 x 1024 screen to
// its left and a 1024 x 768 screen above it), described in screens.json.
// The offscreen platform orders the screens by name and makes the first the
// primary; the names keep that order. With MT_TEST_SCREENS set, that file
// describes the screens instead (a program run again without any).
#pragma once

#include <QApplication>
#include <QByteArray>

namespace mt::testing {

inline QApplication* UiApp() {
  static QApplication* app = [] {
    const QByteArray screens = qEnvironmentVariableIsSet("MT_TEST_SCREENS")
                                   ? qgetenv("MT_TEST_SCREENS")
                                   : QByteArray(MT_SOURCE_DIR "/tests/ui_library/screens.json");
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens);
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return app;
}

}  // namespace mt::testing
