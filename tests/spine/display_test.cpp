#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/display.h"

namespace mt {
namespace {

struct Env {
  std::map<std::string, QString> vars;
  std::set<QString> sockets;
  bool Reachable() const {
    return WindowSystemReachable(
        [&](const char* name) {
          auto it = vars.find(name);
          return it == vars.end() ? QString() : it->second;
        },
        [&](const QString& path) { return sockets.count(path) != 0; });
  }
};

TEST(WindowSystemReachable, NeedsAPlatformOrALiveDisplaySocket) {
  Env e;
  EXPECT_FALSE(e.Reachable());

  e.vars["DISPLAY"] = QStringLiteral(":7");
  EXPECT_FALSE(e.Reachable());  // no X server behind it
  e.sockets.insert(QStringLiteral("/tmp/.X11-unix/X7"));
  EXPECT_TRUE(e.Reachable());
  e.vars["DISPLAY"] = QStringLiteral("unix:7.0");
  EXPECT_TRUE(e.Reachable());
  e.vars["DISPLAY"] = QStringLiteral(":8");
  EXPECT_FALSE(e.Reachable());
  e.vars["DISPLAY"] = QStringLiteral("otherhost:0");
  EXPECT_TRUE(e.Reachable());
  e.vars["DISPLAY"] = QStringLiteral("garbage");
  EXPECT_FALSE(e.Reachable());
}

TEST(WindowSystemReachable, WaylandSocketLivesInTheRuntimeFolder) {
  Env e;
  e.vars["WAYLAND_DISPLAY"] = QStringLiteral("wayland-0");
  EXPECT_FALSE(e.Reachable());
  e.vars["XDG_RUNTIME_DIR"] = QStringLiteral("/run/user/1000");
  EXPECT_FALSE(e.Reachable());
  e.sockets.insert(QStringLiteral("/run/user/1000/wayland-0"));
  EXPECT_TRUE(e.Reachable());
}

TEST(WindowSystemReachable, ExplicitPlatformDecidesAlone) {
  Env e;
  e.vars["DISPLAY"] = QStringLiteral(":0");
  e.sockets.insert(QStringLiteral("/tmp/.X11-unix/X0"));
  e.vars["QT_QPA_PLATFORM"] = QStringLiteral("offscreen");
  EXPECT_FALSE(e.Reachable());  // nobody could close a message box
  e.vars["QT_QPA_PLATFORM"] = QStringLiteral("minimal");
  EXPECT_FALSE(e.Reachable());
  e.vars.erase("DISPLAY");
  e.vars["QT_QPA_PLATFORM"] = QStringLiteral("xcb");
  EXPECT_TRUE(e.Reachable());
}

}  // namespace
}  // namespace mt
