// Puts the production implementations of the core into the service slots:
// the crypto component, the code migrations and the engine's heartbeat
// (the window kept painted through long work). Called once by each entry
// point before it does any work. The windows are not among them: only the
// upgrade program links them, and its main() installs them itself when a
// window system is reachable.
#pragma once

namespace mt {

void InstallProductionServices();

}  // namespace mt
