// A connection of the SQLCipher engine: one keyed sqlite3 handle in WAL mode,
// the catalogue kept inside the file, and the Jet-dialect translator in front.
//
// Promises:
//  - Execute() translates the statement; data statements run as one SQLite
//    statement (atomic on their own), data-definition commands through the
//    SchemaEditor (atomic on their own). The count returned is the
//    number of rows the statement wrote (0 for definitions and SELECTs).
//  - After a failed statement no transaction of its own is left open and the
//    connection is usable. Inside the caller's transaction (BeginTransaction)
//    a failed statement is undone alone; when SQLite itself ends the
//    transaction, or a change made without a savepoint failed halfway
//    (db/store/schema_editor.h), WriteRefusal() says so and writing
//    statements are refused until the transaction is rolled back.
//  - Consecutive column drops of one table, each told that the next follows
//    (Execute(sql, next)), make one rebuild inside the caller's transaction;
//    every other operation of the connection comes after that rebuild.
//  - AddLookupIndex() makes a lookup index (db/store/lookup_index.h); Close()
//    drops them all first.
//  - A commit that leaves the write-ahead log above a few MB checkpoints it
//    into the file and truncates it (ShrinkLog).
//  - Close() checkpoints the WAL into the main file and switches the file back
//    to the rollback journal, so that afterwards the database is exactly one
//    file; a read-only file stays untouched.
#pragma once

#include <memory>

#include "db/store/catalog_guard.h"
#include "db/store/catalog_store.h"
#include "db/engine.h"
#include "db/store/schema_editor.h"
#include "db/store/sqlite_db.h"

namespace mt::engine {

// What a connection and its recordsets share; recordsets outliving the
// connection see a closed handle.
struct ConnectionState {
  SqliteDb db;
  CatalogStore catalog{db};
  SchemaEditor editor{db, catalog};
  CatalogGuard guard;

  // Per table (lower-case name): the statements that normalise the Yes/No
  // columns of inserted rows; empty statements for tables without any.
  struct BitFixup {
    Stmt byRowid;
    Stmt all;
    Stmt removeRowid;  // takes an inserted row out again
  };
  std::map<QString, BitFixup> bitFixups;
  // Statements with bound values (see SqlStatement::values) and a
  // recordset's changes by rowid, by SQL text.
  std::map<QString, Stmt> statements;
  // The schema generation both caches were made under.
  uint64_t cachedGeneration = 0;

  // Empties both caches when the schema changed since they were made.
  void ForgetStaleStatements();
  // The statement of the SQL text from the cache (prepared when missing),
  // reset; valid until the next call. A caller that steps it and stops
  // before its end resets it, so that no statement stays active.
  Stmt& Prepared(const QString& sql);
  // The lookup indexes this connection made (db/store/lookup_index.h).
  QStringList lookupIndexes;
};

class SqlCipherConnection : public Connection {
 public:
  // Takes over an open, keyed and verified handle.
  explicit SqlCipherConnection(std::shared_ptr<ConnectionState> state);
  ~SqlCipherConnection() override;

  bool IsOpen() const override;
  int32_t Execute(const QString& sql) override;
  int32_t Execute(const QString& sql, const QString& next) override;
  std::unique_ptr<Recordset> OpenRecordset(const QString& sql, CursorType cursor,
                                           LockType lock) override;
  Catalog& GetCatalog() override;
  void Close() override;
  void BeginTransaction() override;
  void CommitTransaction() override;
  void RollbackTransaction() override;
  QString WriteRefusal() const override;
  QString Damage(bool quick) override;
  void AddLookupIndex(const QString& table, const QStringList& columns) override;

  ConnectionState& state() { return *state_; }

 private:
  void RequireOpen() const;
  // Drops what was read from the schema: after a rollback it may be stale.
  void ForgetDerivedState();
  // The statement for an SQL text with bound values, prepared once and
  // kept, reset and bound to this statement's values.
  Stmt& WithValues(const SqlStatement& statement);
  int32_t RunSql(const SqlStatement& statement);
  int32_t RunInsertWithBits(const SqlStatement& statement, Stmt& insert, ConnectionState::BitFixup& fixup);
  ConnectionState::BitFixup* BitFixupFor(const QString& table);

  std::shared_ptr<ConnectionState> state_;
  std::unique_ptr<Catalog> catalog_;
};

// Installs what every handle needs: the Jet functions, the storage functions,
// WAL journal (when the file is writable) and synchronous=NORMAL.
void PrepareHandle(SqliteDb& db);

// After a commit: a log past kLogShrinkBytes is checkpointed into the file
// and truncated, so a big transaction does not hold its disk space for the
// rest of the run. Never throws.
inline constexpr qint64 kLogShrinkBytes = 8 << 20;
void ShrinkLog(SqliteDb& db);

// Checkpoints and leaves the file as one rollback-journal file. Never throws.
void CheckpointToSingleFile(SqliteDb& db);

}  // namespace mt::engine
