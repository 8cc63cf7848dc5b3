// Temporary engine slot until the production engine lands. Both definitions
// are weak, so the production engine's own definitions take their place as
// soon as they exist; this file is removed then.
#include "db/engine/engine.h"

namespace mt {
namespace {
Engine* g_fallbackEngine = nullptr;
}  // namespace

__attribute__((weak)) Engine& DefaultEngine() {
  if (!g_fallbackEngine) throw DbError(dberr::kOpenFailed, QStringLiteral("No database engine"));
  return *g_fallbackEngine;
}

__attribute__((weak)) void SetDefaultEngine(Engine* engine) { g_fallbackEngine = engine; }

}  // namespace mt
