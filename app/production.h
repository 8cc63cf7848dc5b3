// Puts the production implementations into the service slots: the crypto
// component, the code migrations and, when a window system is reachable,
// the windows. Called once by each entry point before it does any work.
#pragma once

namespace mt {

void InstallProductionServices();

}  // namespace mt
