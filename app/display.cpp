#include "app/display.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace mt {

namespace {

bool X11Reachable(const QString& display, const std::function<bool(const QString&)>& socketExists) {
  // [host]:display[.screen]; "unix" and an empty host mean the local socket.
  static const QRegularExpression re(QStringLiteral("^(.*):(\\d+)(\\.\\d+)?$"));
  const QRegularExpressionMatch m = re.match(display);
  if (!m.hasMatch()) return false;
  const QString host = m.captured(1);
  if (!host.isEmpty() && host != QLatin1String("unix")) return true;  // remote: trust it
  return socketExists(QStringLiteral("/tmp/.X11-unix/X") + m.captured(2));
}

bool WaylandReachable(const QString& name, const QString& runtimeDir,
                      const std::function<bool(const QString&)>& socketExists) {
  if (name.startsWith(QLatin1Char('/'))) return socketExists(name);
  if (runtimeDir.isEmpty()) return false;
  return socketExists(runtimeDir + QLatin1Char('/') + name);
}

}  // namespace

bool WindowSystemReachable(const std::function<QString(const char*)>& env,
                           const std::function<bool(const QString&)>& socketExists) {
  const QString platform = env("QT_QPA_PLATFORM");
  if (!platform.isEmpty()) {
    return !platform.startsWith(QLatin1String("offscreen")) &&
           !platform.startsWith(QLatin1String("minimal"));
  }
  const QString wayland = env("WAYLAND_DISPLAY");
  if (!wayland.isEmpty() && WaylandReachable(wayland, env("XDG_RUNTIME_DIR"), socketExists))
    return true;
  const QString x11 = env("DISPLAY");
  return !x11.isEmpty() && X11Reachable(x11, socketExists);
}

bool WindowSystemReachable() {
  return WindowSystemReachable([](const char* name) { return qEnvironmentVariable(name); },
                               [](const QString& path) { return QFileInfo::exists(path); });
}

}  // namespace mt
