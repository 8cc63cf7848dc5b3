// The engine's heartbeat (SetEngineHeartbeat in db/engine.h). Beat() calls
// the installed function, if any; InstallHeartbeat() makes SQLite call it
// every few thousand virtual-machine steps of any statement on a handle, so a
// single long statement (a table rebuild, an export, a scan) beats too.
// InstallBeatingFileLayer() puts, once, a file layer over SQLite's default
// one that beats between page reads and writes and while a file is flushed,
// shortened or deleted (each on a thread of its own), for the steps of
// SQLite's that are long in themselves: a check of the whole file, a
// checkpoint, a commit, emptying a big write-ahead log.
#pragma once

struct sqlite3;

namespace mt::engine {

void Beat();
void InstallHeartbeat(sqlite3* db);
void InstallBeatingFileLayer();

}  // namespace mt::engine
