// A shim over SQLite's default file layer that makes writes fail on demand,
// as a full disk or a failing device would: while it is installed (it becomes
// the default for every handle opened meanwhile), each write of an armed shim
// spends its budget; once the budget is spent, writes fail with the chosen
// result code; or land damaged.
#pragma once

#include <cstdint>

namespace mt::test {

class FaultVfs {
 public:
  FaultVfs();   // installs itself as the default file layer, disarmed
  ~FaultVfs();  // restores the previous default
  FaultVfs(const FaultVfs&) = delete;
  FaultVfs& operator=(const FaultVfs&) = delete;

  // Writes (database, -wal and journal files alike) may take `bytes` more
  // bytes; later ones fail with `code` (SQLITE_FULL, SQLITE_IOERR_WRITE, ...).
  void FailAfter(int64_t bytes, int code);
  // Every read fails with `code` (SQLITE_IOERR_READ, ...).
  void FailReads(int code) { readCode_ = code; }
  // Writes at `offset` or beyond into a file whose name ends with `suffix`
  // land with one byte changed, as a failing device may write them.
  void DamageWrites(const char* suffix, int64_t offset) {
    damageSuffix_ = suffix;
    damageOffset_ = offset;
  }
  void Disarm();
  int64_t failures() const { return failures_; }

 private:
  friend struct FaultFile;
  int Check(int64_t amount);
  int CheckRead() const { return readCode_; }
  bool Damages(const char* name) const;

  bool armed_ = false;
  int64_t budget_ = 0;
  int code_ = 0;
  int readCode_ = 0;
  const char* damageSuffix_ = nullptr;
  int64_t damageOffset_ = 0;
  int64_t failures_ = 0;
};

}  // namespace mt::test
