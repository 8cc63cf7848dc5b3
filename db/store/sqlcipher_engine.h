// The production engine: Jet-dialect databases stored as SQLCipher files.
//
// Promises:
//  - Open() never creates a file and never changes a file it refuses: a
//    missing, empty, truncated or foreign file and a wrong password fail with
//    DbError(kOpenFailed) before anything is written (the key is checked by
//    reading the schema right after keying). The description names the cause
//    (OpenFailureText).
//  - Create() makes a new keyed file with an empty catalogue and refuses an
//    existing path.
//  - Compact() exports src into a fresh file dst keyed with the same password
//    (sqlcipher_export: tables, catalogue, views, triggers, AUTOINCREMENT
//    counters, user_version) and checks it (PRAGMA quick_check); dst must not
//    exist, and a failed or damaged compaction removes dst and leaves src as
//    it was.
//  - OpenReadOnly() opens without writing anything (no journal mode switch).
#pragma once

#include "db/engine.h"

namespace mt::engine {

// The description of an open that failed with this SQLite result code:
// "Not a valid password, or ... is not a database file" only for a file that
// is no database under this key (SQLITE_NOTADB); a file locked by another
// process, a full disk, an I/O error, a read-only or damaged file each say so.
QString OpenFailureText(int sqliteCode, const QString& path, const QString& message);

class SqlCipherEngine : public Engine {
 public:
  std::unique_ptr<Connection> Open(const QString& path, const QString& password) override;
  std::unique_ptr<Connection> OpenReadOnly(const QString& path, const QString& password) override;
  std::unique_ptr<Connection> Create(const QString& path, const QString& password) override;
  void Compact(const QString& src, const QString& dst, const QString& password) override;
};

}  // namespace mt::engine
