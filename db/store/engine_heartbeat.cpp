#include "db/store/engine_heartbeat.h"

#include <sqlite3.h>

#include <atomic>

#include "db/engine.h"

namespace mt {

namespace {
std::atomic<void (*)()> g_beat{nullptr};
}  // namespace

void SetEngineHeartbeat(void (*beat)()) { g_beat.store(beat, std::memory_order_relaxed); }

namespace engine {

void Beat() {
  if (void (*beat)() = g_beat.load(std::memory_order_relaxed)) beat();
}

namespace {
int OnProgress(void*) {
  Beat();
  return 0;  // never interrupts the statement
}
}  // namespace

// About a hundred microseconds of work between two calls.
void InstallHeartbeat(sqlite3* db) { sqlite3_progress_handler(db, 2000, &OnProgress, nullptr); }

}  // namespace engine
}  // namespace mt
