#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/display.h"

namespace mt {
namespace {

TEST(WindowSystemReachable, NeedsAPlatformOrALiveDisplaySocket) {
  const QString x7 = QStringLiteral("/tmp/.X11-unix/X7");
  const QString wayland = QStringLiteral("/run/user/1000/wayland-0");
  const struct {
    std::map<std::string, QString> vars;
    std::set<QString> sockets;
    bool reachable;
  } cases[] = {
      {{}, {}, false},
      {{{"DISPLAY", ":7"}}, {}, false},  // no X server behind it
      {{{"DISPLAY", ":7"}}, {x7}, true},
      {{{"DISPLAY", ":8"}}, {x7}, false},
      {{{"DISPLAY", "otherhost:0"}}, {}, true},
      // The Wayland socket lives in the runtime folder.
      {{{"WAYLAND_DISPLAY", "wayland-0"}}, {wayland}, false},
      {{{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}, {}, false},
      {{{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}, {wayland}, true},
      // An explicit platform decides alone: nobody could close a message box
      // on offscreen or minimal.
      {{{"DISPLAY", ":7"}, {"QT_QPA_PLATFORM", "offscreen"}}, {x7}, false},
      {{{"QT_QPA_PLATFORM", "xcb"}}, {}, true},
  };
  for (const auto& c : cases) {
    std::string env;
    for (const auto& [name, value] : c.vars) env += name + "=" + value.toStdString() + " ";
    const auto var = [&](const char* name) { return c.vars.count(name) ? c.vars.at(name) : QString(); };
    const auto socket = [&](const QString& path) { return c.sockets.count(path) != 0; };
    EXPECT_EQ(WindowSystemReachable(var, socket), c.reachable) << env << c.sockets.size() << " socket(s)";
  }
}

}  // namespace
}  // namespace mt
