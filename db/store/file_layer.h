// A file layer over another SQLite file layer (VFS), for layers that change
// a few of a file's methods and pass the rest through.
//
// Promises:
//  - A layer's file type F derives from FileLayer<F>, may hide any of the
//    static methods below with its own of the same signature, and may hold
//    members of its own; the base layer's file follows F in memory.
//  - MakeLayer() fills a VFS that opens every file through F, over `under`;
//    F::kMethods is used for each file the base layer opened.
#pragma once

#include <sqlite3.h>

namespace mt::engine {

template <class F>
struct FileLayer {
  sqlite3_file file;

  sqlite3_file* base() { return reinterpret_cast<sqlite3_file*>(static_cast<F*>(this) + 1); }
  static F* Of(sqlite3_file* f) { return reinterpret_cast<F*>(f); }
  static sqlite3_file* B(sqlite3_file* f) { return Of(f)->base(); }

  static int Close(sqlite3_file* f) { return B(f)->pMethods->xClose(B(f)); }
  static int Read(sqlite3_file* f, void* p, int n, sqlite3_int64 o) { return B(f)->pMethods->xRead(B(f), p, n, o); }
  static int Write(sqlite3_file* f, const void* p, int n, sqlite3_int64 o) {
    return B(f)->pMethods->xWrite(B(f), p, n, o);
  }
  static int Truncate(sqlite3_file* f, sqlite3_int64 n) { return B(f)->pMethods->xTruncate(B(f), n); }
  static int Sync(sqlite3_file* f, int flags) { return B(f)->pMethods->xSync(B(f), flags); }
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

  // Called by Open() once the base layer opened the file; a layer may hide it.
  static void Opened(F*, const char* /*name*/) {}

  static int Open(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
    F* self = Of(f);
    self->file.pMethods = nullptr;
    F::Opened(self, name);
    const int rc = under_->xOpen(under_, name, self->base(), flags, outFlags);
    if (self->base()->pMethods) self->file.pMethods = &kMethods;
    return rc;
  }

  static inline const sqlite3_io_methods kMethods = {
      3, &F::Close, &F::Read, &F::Write, &F::Truncate, &F::Sync, &F::FileSize, &F::Lock, &F::Unlock,
      &F::CheckReservedLock, &F::FileControl, &F::SectorSize, &F::DeviceCharacteristics, &F::ShmMap,
      &F::ShmLock, &F::ShmBarrier, &F::ShmUnmap, &F::Fetch, &F::Unfetch};

  // The layer named `name` over `under` (register it with
  // sqlite3_vfs_register). The other methods of the VFS stay the base's, with
  // its own pAppData, which they may read.
  static sqlite3_vfs MakeLayer(sqlite3_vfs* under, const char* name) {
    under_ = under;
    sqlite3_vfs layer = *under;
    layer.zName = name;
    layer.szOsFile = int(sizeof(F)) + under->szOsFile;
    layer.xOpen = &Open;
    layer.pNext = nullptr;
    return layer;
  }

  static inline sqlite3_vfs* under_ = nullptr;  // the layer below, one layer per F
};

}  // namespace mt::engine
