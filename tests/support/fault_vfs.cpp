#include "support/fault_vfs.h"

#include <sqlite3.h>

#include <cstring>
#include <string>

namespace mt::test {
namespace {

FaultVfs* g_active = nullptr;
sqlite3_vfs* g_base = nullptr;
sqlite3_vfs g_shim;

}  // namespace

// An open file of the shim: its methods, then the base layer's own file.
struct FaultFile {
  sqlite3_file file;
  bool damaged;  // writes into this file may land damaged (FaultVfs::DamageWrites)
  sqlite3_file* base() { return reinterpret_cast<sqlite3_file*>(this + 1); }
  static FaultFile* Of(sqlite3_file* f) { return reinterpret_cast<FaultFile*>(f); }
  static sqlite3_file* B(sqlite3_file* f) { return Of(f)->base(); }

  static int Close(sqlite3_file* f) { return B(f)->pMethods->xClose(B(f)); }
  static int Read(sqlite3_file* f, void* p, int n, sqlite3_int64 o) {
    if (int rc = g_active ? g_active->CheckRead() : SQLITE_OK; rc != SQLITE_OK) return rc;
    return B(f)->pMethods->xRead(B(f), p, n, o);
  }
  static int Write(sqlite3_file* f, const void* p, int n, sqlite3_int64 o) {
    if (int rc = g_active ? g_active->Check(n) : SQLITE_OK; rc != SQLITE_OK) return rc;
    if (Of(f)->damaged && g_active && o >= g_active->damageOffset_) {
      std::string bytes(static_cast<const char*>(p), size_t(n));
      bytes[size_t(n) / 2] ^= 0x5a;
      return B(f)->pMethods->xWrite(B(f), bytes.data(), n, o);
    }
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

  static const sqlite3_io_methods kMethods;

  static int Open(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
    FaultFile* self = Of(f);
    self->file.pMethods = nullptr;
    self->damaged = g_active && name && g_active->Damages(name);
    int rc = g_base->xOpen(g_base, name, self->base(), flags, outFlags);
    if (rc == SQLITE_OK && self->base()->pMethods) self->file.pMethods = &kMethods;
    return rc;
  }
};

const sqlite3_io_methods FaultFile::kMethods = {
    3, &Close, &Read, &Write, &Truncate, &Sync, &FileSize, &Lock, &Unlock,
    &CheckReservedLock, &FileControl, &SectorSize, &DeviceCharacteristics, &ShmMap, &ShmLock,
    &ShmBarrier, &ShmUnmap, &Fetch, &Unfetch};

bool FaultVfs::Damages(const char* name) const {
  if (!damageSuffix_) return false;
  const size_t n = std::strlen(name), k = std::strlen(damageSuffix_);
  return n >= k && std::strcmp(name + n - k, damageSuffix_) == 0;
}

FaultVfs::FaultVfs() {
  g_base = sqlite3_vfs_find(nullptr);
  g_shim = *g_base;
  g_shim.zName = "mt_fault";
  g_shim.szOsFile = int(sizeof(FaultFile)) + g_base->szOsFile;
  g_shim.xOpen = &FaultFile::Open;
  g_shim.pNext = nullptr;
  g_active = this;
  sqlite3_vfs_register(&g_shim, 1);
}

FaultVfs::~FaultVfs() {
  sqlite3_vfs_unregister(&g_shim);
  sqlite3_vfs_register(g_base, 1);
  g_active = nullptr;
}

void FaultVfs::FailAfter(int64_t bytes, int code) {
  armed_ = true;
  budget_ = bytes;
  code_ = code;
}

void FaultVfs::Disarm() {
  armed_ = false;
  readCode_ = 0;
}

int FaultVfs::Check(int64_t amount) {
  if (!armed_) return SQLITE_OK;
  if (budget_ >= amount) {
    budget_ -= amount;
    return SQLITE_OK;
  }
  ++failures_;
  return code_;
}

}  // namespace mt::test
