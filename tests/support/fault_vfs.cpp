#include "support/fault_vfs.h"

#include <sqlite3.h>

#include <cstring>
#include <string>

#include "db/store/file_layer.h"

namespace mt::test {
namespace {

FaultVfs* g_active = nullptr;
sqlite3_vfs* g_base = nullptr;
sqlite3_vfs g_shim;

}  // namespace

// An open file of the shim: its methods, then the base layer's own file.
struct FaultFile : engine::FileLayer<FaultFile> {
  bool damaged;  // writes into this file may land damaged (FaultVfs::DamageWrites)

  static void Opened(FaultFile* self, const char* name) {
    self->damaged = g_active && name && g_active->Damages(name);
  }
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
};

bool FaultVfs::Damages(const char* name) const {
  if (!damageSuffix_) return false;
  const size_t n = std::strlen(name), k = std::strlen(damageSuffix_);
  return n >= k && std::strcmp(name + n - k, damageSuffix_) == 0;
}

FaultVfs::FaultVfs() {
  g_base = sqlite3_vfs_find(nullptr);
  g_shim = FaultFile::MakeLayer(g_base, "mt_fault");
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
