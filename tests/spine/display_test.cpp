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
    const Env e{c.vars, c.sockets};
    EXPECT_EQ(e.Reachable(), c.reachable) << env << c.sockets.size() << " socket(s)";
  }
}

}  // namespace
}  // namespace mt
