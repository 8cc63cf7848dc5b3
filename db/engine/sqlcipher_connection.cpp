#include "db/engine/sqlcipher_connection.h"

#include <sqlite3.h>

#include "db/engine/column_storage.h"
#include "db/engine/jet_catalog.h"
#include "db/engine/sqlite_recordset.h"
#include "db/engine/translator.h"

namespace mt::engine {

void PrepareHandle(SqliteDb& db) {
  RegisterJetFunctions(db.handle());
  RegisterStorageFunctions(db.handle());
  if (sqlite3_db_readonly(db.handle(), "main") == 1) return;
  // WAL: an auto-committed statement costs one append to the log instead of
  // a journal file per statement (tens of microseconds instead of a
  // millisecond). The mode is only a wish: a folder where the -wal file
  // cannot be made keeps the rollback journal.
  sqlite3_exec(db.handle(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  db.Exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
}

void CheckpointToSingleFile(SqliteDb& db) {
  if (!db.IsOpen() || sqlite3_db_readonly(db.handle(), "main") == 1) return;
  if (db.InTransaction()) sqlite3_exec(db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_exec(db.handle(), "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
  // Back to the rollback journal: the -wal and -shm files go away and any
  // reader, even one without write access, sees one ordinary file.
  sqlite3_exec(db.handle(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
}

SqlCipherConnection::SqlCipherConnection(std::shared_ptr<ConnectionState> state)
    : state_(std::move(state)), catalog_(std::make_unique<JetCatalog>(state_)) {}

SqlCipherConnection::~SqlCipherConnection() {
  try {
    Close();
  } catch (...) {
  }
}

bool SqlCipherConnection::IsOpen() const { return state_->db.IsOpen(); }

void SqlCipherConnection::RequireOpen() const {
  if (!state_->db.IsOpen()) throw DbError(dberr::kClosed, QStringLiteral("The connection is closed."));
}

int32_t SqlCipherConnection::RunSql(const SqlStatement& statement) {
  SqliteDb& db = state_->db;
  Stmt stmt = db.Prepare(statement.sql);
  stmt.Run();
  if (statement.returnsRows) return 0;
  return int32_t(sqlite3_changes(db.handle()));
}

int32_t SqlCipherConnection::Execute(const QString& sql) {
  RequireOpen();
  Command command = Translate(sql);
  try {
    if (const auto* statement = std::get_if<SqlStatement>(&command)) return RunSql(*statement);
    state_->editor.Apply(command);
    return 0;
  } catch (...) {
    // Nothing is ever left pending between statements.
    if (state_->db.InTransaction())
      sqlite3_exec(state_->db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

std::unique_ptr<Recordset> SqlCipherConnection::OpenRecordset(const QString& sql, CursorType cursor,
                                                              LockType lock) {
  RequireOpen();
  Command command = Translate(sql);
  const auto* statement = std::get_if<SqlStatement>(&command);
  if (!statement || !statement->returnsRows) {
    // A statement without rows runs, and its recordset comes back closed.
    Execute(sql);
    auto closed = std::make_unique<SqliteRecordset>(state_, QStringLiteral("SELECT NULL WHERE 0"),
                                                    cursor, LockType::ReadOnly);
    closed->Close();
    return closed;
  }
  return std::make_unique<SqliteRecordset>(state_, statement->sql, cursor, lock);
}

Catalog& SqlCipherConnection::GetCatalog() { return *catalog_; }

void SqlCipherConnection::Close() {
  if (!state_->db.IsOpen()) return;
  CheckpointToSingleFile(state_->db);
  state_->catalog.Invalidate();
  state_->db.CloseHandle();
}

}  // namespace mt::engine
