// Whether a window system can be reached, decided before any Qt application
// object exists (creating a window-system application against an unreachable
// display aborts the process).
//
// Promises:
//  - It is the first sieve, from the environment alone; a true answer is
//    confirmed by starting the window system in a child process
//    (app/main.cpp), so a server that does not answer also means headless.
//  - QT_QPA_PLATFORM naming offscreen or minimal means "no one can see a
//    window": false. Any other platform it names passes: true.
//  - WAYLAND_DISPLAY counts when its socket exists (absolute, or under
//    XDG_RUNTIME_DIR); DISPLAY counts when it names a remote host or a local
//    display whose socket /tmp/.X11-unix/X<n> exists.
#pragma once

#include <QString>
#include <functional>

namespace mt {

bool WindowSystemReachable();

// The same decision over a given environment and file test (for tests).
bool WindowSystemReachable(const std::function<QString(const char*)>& env,
                           const std::function<bool(const QString&)>& socketExists);

}  // namespace mt
