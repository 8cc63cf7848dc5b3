#include "db/store/engine_heartbeat.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

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

// A file layer over SQLite's default one that beats between page reads and
// writes (a check of the whole file or a checkpoint is one step of SQLite's,
// however long it takes) and while the disk flushes a file: the flush runs on
// a thread of its own and this one beats until it is done.
sqlite3_vfs* g_base = nullptr;
sqlite3_vfs g_layer;
thread_local unsigned g_pages = 0;

struct BeatFile {
  sqlite3_file file;
  sqlite3_file* base() { return reinterpret_cast<sqlite3_file*>(this + 1); }
  static sqlite3_file* B(sqlite3_file* f) { return reinterpret_cast<BeatFile*>(f)->base(); }

  static void PageDone() {
    if ((++g_pages & 31) == 0) Beat();
  }
  static int Close(sqlite3_file* f) { return B(f)->pMethods->xClose(B(f)); }
  static int Read(sqlite3_file* f, void* p, int n, sqlite3_int64 o) {
    PageDone();
    return B(f)->pMethods->xRead(B(f), p, n, o);
  }
  static int Write(sqlite3_file* f, const void* p, int n, sqlite3_int64 o) {
    PageDone();
    return B(f)->pMethods->xWrite(B(f), p, n, o);
  }
  static int Truncate(sqlite3_file* f, sqlite3_int64 n) { return B(f)->pMethods->xTruncate(B(f), n); }
  static int Sync(sqlite3_file* f, int flags) {
    if (!g_beat.load(std::memory_order_relaxed)) return B(f)->pMethods->xSync(B(f), flags);
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    int rc = SQLITE_OK;
    std::thread flush([&] {
      const int r = B(f)->pMethods->xSync(B(f), flags);
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
    flush.join();
    return rc;
  }
  static int FileSize(sqlite3_file* f, sqlite3_int64* n) { return B(f)->pMethods->xFileSize(B(f), n); }
  static int Lock(sqlite3_file* f, int l) { return B(f)->pMethods->xLock(B(f), l); }
  static int Unlock(sqlite3_file* f, int l) { return B(f)->pMethods->xUnlock(B(f), l); }
  static int CheckReservedLock(sqlite3_file* f, int* r) { return B(f)->pMethods->xCheckReservedLock(B(f), r); }
  static int FileControl(sqlite3_file* f, int op, void* a) { return B(f)->pMethods->xFileControl(B(f), op, a); }
  static int SectorSize(sqlite3_file* f) { return B(f)->pMethods->xSectorSize(B(f)); }
  static int DeviceCharacteristics(sqlite3_file* f) { return B(f)->pMethods->xDeviceCharacteristics(B(f)); }
  static int ShmMap(sqlite3_file* f, int i, int sz, int e, void volatile** p) {
    return B(f)->pMethods->xShmMap(B(f), i, sz, e, p);
  }
  static int ShmLock(sqlite3_file* f, int o, int n, int flags) { return B(f)->pMethods->xShmLock(B(f), o, n, flags); }
  static void ShmBarrier(sqlite3_file* f) { B(f)->pMethods->xShmBarrier(B(f)); }
  static int ShmUnmap(sqlite3_file* f, int d) { return B(f)->pMethods->xShmUnmap(B(f), d); }
  static int Fetch(sqlite3_file* f, sqlite3_int64 o, int n, void** p) { return B(f)->pMethods->xFetch(B(f), o, n, p); }
  static int Unfetch(sqlite3_file* f, sqlite3_int64 o, void* p) { return B(f)->pMethods->xUnfetch(B(f), o, p); }

  static const sqlite3_io_methods kMethods;

  static int Open(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
    auto* self = reinterpret_cast<BeatFile*>(f);
    self->file.pMethods = nullptr;
    const int rc = g_base->xOpen(g_base, name, self->base(), flags, outFlags);
    if (self->base()->pMethods) self->file.pMethods = &kMethods;
    return rc;
  }
};

const sqlite3_io_methods BeatFile::kMethods = {
    3, &Close, &Read, &Write, &Truncate, &Sync, &FileSize, &Lock, &Unlock,
    &CheckReservedLock, &FileControl, &SectorSize, &DeviceCharacteristics, &ShmMap, &ShmLock,
    &ShmBarrier, &ShmUnmap, &Fetch, &Unfetch};

bool InstallBeatLayer() {
  g_base = sqlite3_vfs_find(nullptr);
  if (!g_base) return false;
  g_layer = *g_base;
  g_layer.zName = "mt_heartbeat";
  g_layer.szOsFile = int(sizeof(BeatFile)) + g_base->szOsFile;
  g_layer.xOpen = &BeatFile::Open;
  g_layer.pNext = nullptr;
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
