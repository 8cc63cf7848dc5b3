// Process-wide values of the run: the database path, the application name,
// whether logging is on and whether the protected values are encrypted.
// They live for the whole process; the run sets them in its fixed order.
#pragma once

#include <QString>
#include <cstdint>

namespace mt {

struct RunGlobals {
  QString DBPath;
  QString AppName;
  bool LoggingEnabled = false;
  bool IsDBEncrypted = false;
};

RunGlobals& Globals();

// The schema version this program brings every database to.
constexpr int32_t LatestDBVersion = 405;

}  // namespace mt
