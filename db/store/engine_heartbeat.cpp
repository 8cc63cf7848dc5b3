#include "db/store/engine_heartbeat.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "db/engine.h"
#include "db/store/file_layer.h"

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

// Runs one call of the file layer below on a thread of its own and beats
// until it is done: a flush waits on the disk, and a truncation or a
// deletion that takes a big file's blocks back (a log of a few hundred MB
// after a checkpoint) is one call that may take most of a second.
template <class Call>
int Beating(Call&& call) {
  if (!g_beat.load(std::memory_order_relaxed)) return call();
  std::mutex m;
  std::condition_variable cv;
  bool done = false;
  int rc = SQLITE_OK;
  std::thread worker([&] {
    const int r = call();
    std::lock_guard<std::mutex> lock(m);
    rc = r;
    done = true;
    cv.notify_one();
  });
  {
    std::unique_lock<std::mutex> lock(m);
    while (!cv.wait_for(lock, std::chrono::milliseconds(50), [&] { return done; })) {
      lock.unlock();
      Beat();
      lock.lock();
    }
  }
  worker.join();
  return rc;
}

// A file layer over SQLite's default one that beats between page reads and
// writes (a check of the whole file or a checkpoint is one step of SQLite's,
// however long it takes) and while a file is flushed, shortened or deleted.
sqlite3_vfs g_layer;
thread_local unsigned g_pages = 0;

struct BeatFile : FileLayer<BeatFile> {
  static void PageDone() {
    if ((++g_pages & 31) == 0) Beat();
  }
  static int Read(sqlite3_file* f, void* p, int n, sqlite3_int64 o) {
    PageDone();
    return B(f)->pMethods->xRead(B(f), p, n, o);
  }
  static int Write(sqlite3_file* f, const void* p, int n, sqlite3_int64 o) {
    PageDone();
    return B(f)->pMethods->xWrite(B(f), p, n, o);
  }
  static int Sync(sqlite3_file* f, int flags) {
    return Beating([&] { return B(f)->pMethods->xSync(B(f), flags); });
  }
  static int Truncate(sqlite3_file* f, sqlite3_int64 n) {
    return Beating([&] { return B(f)->pMethods->xTruncate(B(f), n); });
  }
  static int Delete(sqlite3_vfs*, const char* name, int syncFolder) {
    return Beating([&] { return under_->xDelete(under_, name, syncFolder); });
  }
};

bool InstallBeatLayer() {
  sqlite3_vfs* base = sqlite3_vfs_find(nullptr);
  if (!base) return false;
  g_layer = BeatFile::MakeLayer(base, "mt_heartbeat");
  g_layer.xDelete = &BeatFile::Delete;
  return sqlite3_vfs_register(&g_layer, 1) == SQLITE_OK;
}

}  // namespace

void InstallHeartbeat(sqlite3* db) {
  // About a hundred microseconds of work between two calls.
  sqlite3_progress_handler(db, 2000, &OnProgress, nullptr);
}

void InstallBeatingFileLayer() {
  static const bool installed = InstallBeatLayer();
  (void)installed;
}

}  // namespace engine
}  // namespace mt
