#include "app/production.h"

#include "app/services.h"
#include "db/engine.h"
#include "migrations/code_migrations.h"
#include "protect/sodium_crypto.h"

namespace mt {

void InstallProductionServices() {
  // The core's production services. The windows are installed by the
  // upgrade program's main() itself, the only entry point that links them.
  SetCryptoFactory(&ProductionCryptoFactory());
  SetCodeMigrations(&ProductionCodeMigrations());
  // The engine's long work keeps the progress window painted.
  SetEngineHeartbeat(&KeepWindowPainted);
}

}  // namespace mt
