// The engine's heartbeat (SetEngineHeartbeat in db/engine.h). Beat() calls
// the installed function, if any; InstallHeartbeat() makes SQLite call it
// every few thousand virtual-machine steps of any statement on a handle, so a
// single long statement (a table rebuild, an export, a scan) beats too.
#pragma once

struct sqlite3;

namespace mt::engine {

void Beat();
void InstallHeartbeat(sqlite3* db);

}  // namespace mt::engine
