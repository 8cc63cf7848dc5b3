#include "db/store/sqlcipher_connection.h"

#include <sqlite3.h>

#include <QFileInfo>

#include "db/store/column_storage.h"
#include "db/store/jet_catalog.h"
#include "db/store/lookup_index.h"
#include "db/store/sqlite_recordset.h"
#include "db/store/table_sql.h"
#include "db/jetsql/translator.h"

namespace mt::engine {

void PrepareHandle(SqliteDb& db) {
  RegisterJetFunctions(db.handle());
  RegisterStorageFunctions(db.handle());
  // A page cache of 16 MB instead of SQLite's 2 MB: SQLCipher decrypts a page
  // each time it is read into the cache, so a pass over a table larger than
  // the cache decrypts the whole table again every time.
  sqlite3_exec(db.handle(), "PRAGMA cache_size=-16384", nullptr, nullptr, nullptr);
  // Savepoint journals and large sorts in temporary files, not in memory
  // (this build's default): the savepoint around a table rebuild keeps every
  // page the rebuild changes, so the resident size grew with the largest
  // table rebuilt. A journal moves to its file only past 64 KB.
  sqlite3_exec(db.handle(), "PRAGMA temp_store=FILE", nullptr, nullptr, nullptr);
  // SQLite maps the temporary files of a large sort into memory (up to 2 GB,
  // whatever mmap_size says), and every mapped page it reads counts as
  // resident: the decryption pass's sorted listing of 300,000 code rows took
  // 200 MB so. Read through the page reads instead.
  sqlite3_test_control(SQLITE_TESTCTRL_SORTER_MMAP, db.handle(), 0);
  // A dropped table's pages go to the free list without being overwritten
  // with zeros first (this build's default): the zeros doubled what a
  // rebuild wrote to the log and to its savepoint's journal. The pages are
  // encrypted like every other, and compaction leaves no free page behind.
  sqlite3_exec(db.handle(), "PRAGMA secure_delete=OFF", nullptr, nullptr, nullptr);
  if (sqlite3_db_readonly(db.handle(), "main") == 1) return;
  // WAL: an auto-committed statement costs one append to the log instead of
  // a journal file per statement (tens of microseconds instead of a
  // millisecond). The mode is only a wish: a folder where the -wal file
  // cannot be made keeps the rollback journal.
  // Exclusive locking, set before the first access in WAL mode: the program
  // is the file's only user while it runs, and the lock taken once spares
  // every auto-committed statement its lock and unlock calls and the
  // shared-memory index (the -shm file is never made).
  sqlite3_exec(db.handle(), "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);
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
    : state_(std::move(state)), catalog_(std::make_unique<JetCatalog>(state_)) {
  state_->guard.Install(state_->db.handle());
}

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

namespace {

bool IsInsert(const QString& sql) {
  int i = 0;
  while (i < sql.size() && sql[i].isSpace()) ++i;
  return QStringView(sql).mid(i, 6).compare(QLatin1String("INSERT"), Qt::CaseInsensitive) == 0;
}

void StepCached(SqliteDb& db, const char* sql) {
  sqlite3_stmt* stmt = db.Cached(sql).get();
  int rc = sqlite3_step(stmt);
  sqlite3_reset(stmt);
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) db.Fail(rc);
}

// Runs a statement whose one parameter is a rowid.
void RunForRow(Stmt& stmt, int64_t rowid) {
  stmt.Reset();
  stmt.Bind(1, rowid);
  stmt.Run();
}

}  // namespace

void ConnectionState::ForgetStaleStatements() {
  if (cachedGeneration == editor.generation()) return;
  bitFixups.clear();
  statements.clear();
  cachedGeneration = editor.generation();
}

Stmt& ConnectionState::Prepared(const QString& sql) {
  ForgetStaleStatements();
  if (statements.size() >= 64) statements.clear();  // the scripts go from one table to the next
  auto it = statements.find(sql);
  if (it == statements.end()) it = statements.emplace(sql, db.Prepare(sql)).first;
  it->second.Reset();
  return it->second;
}

Stmt& SqlCipherConnection::WithValues(const SqlStatement& statement) {
  Stmt& stmt = state_->Prepared(statement.sql);
  for (qsizetype i = 0; i < statement.values.size(); ++i) stmt.Bind(int(i + 1), statement.values[i]);
  return stmt;
}

ConnectionState::BitFixup* SqlCipherConnection::BitFixupFor(const QString& table) {
  ConnectionState& s = *state_;
  s.ForgetStaleStatements();
  const QString key = NameKey(table);
  auto it = s.bitFixups.find(key);
  if (it == s.bitFixups.end()) {
    ConnectionState::BitFixup fixup;
    if (const TableInfo* info = s.catalog.FindTable(table)) {
      QString byRowid = BitFixupSql(info->def, true);
      if (!byRowid.isEmpty()) {
        fixup.byRowid = s.db.Prepare(byRowid);
        fixup.all = s.db.Prepare(BitFixupSql(info->def, false));
        fixup.removeRowid = s.db.Prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(QuoteIdent(info->def.name)));
      }
    }
    it = s.bitFixups.emplace(key, std::move(fixup)).first;
  }
  return it->second.byRowid ? &it->second : nullptr;
}

int32_t SqlCipherConnection::RunInsertWithBits(const SqlStatement& statement, Stmt& insert,
                                               ConnectionState::BitFixup& fixup) {
  SqliteDb& db = state_->db;
  // Inside the caller's transaction one row goes without a savepoint: SQLCipher
  // writes every page that a savepoint covers, encrypted, to the sub-journal,
  // and the upgrade's thousands of such INSERTs spent a tenth of its time
  // there. The INSERT alone is atomic; when the normalisation of its row
  // fails, the row is taken out again. (Should that fail too, the file takes
  // no more changes, the handle refuses every write from then on and the
  // caller's transaction is not committed.)
  if (statement.oneRow && db.HoldsTransaction()) {
    insert.Run();
    if (sqlite3_changes(db.handle()) == 0) return 0;
    const int64_t rowid = sqlite3_last_insert_rowid(db.handle());
    try {
      RunForRow(fixup.byRowid, rowid);
    } catch (...) {
      try {
        RunForRow(fixup.removeRowid, rowid);
      } catch (const DbError&) {
      }
      throw;
    }
    return 1;
  }
  // Otherwise one transaction for the INSERT and the normalisation of its rows.
  StepCached(db, "SAVEPOINT mt_insert");
  try {
    insert.Run();
    const int changed = sqlite3_changes(db.handle());
    if (changed == 1) {
      RunForRow(fixup.byRowid, sqlite3_last_insert_rowid(db.handle()));
    } else if (changed > 1) {
      fixup.all.Reset();
      fixup.all.Run();
    }
    StepCached(db, "RELEASE mt_insert");
    return changed;
  } catch (...) {
    if (db.InTransaction()) {
      sqlite3_exec(db.handle(), "ROLLBACK TO mt_insert", nullptr, nullptr, nullptr);
      sqlite3_exec(db.handle(), "RELEASE mt_insert", nullptr, nullptr, nullptr);
    }
    throw;
  }
}

namespace {

// SQLite knows a stored query only when it is a view. One that takes
// parameters (or that SQLite refused as a view) is kept as text alone, so a
// statement that reads it learns no more than "no such table": say what it is.
[[noreturn]] void ExplainMissingTable(CatalogStore& catalog, const DbError& e) {
  static const QString kPrefix = QStringLiteral("no such table: ");
  if (e.code() == dberr::kNotFound && e.description().startsWith(kPrefix)) {
    QString name = e.description().mid(kPrefix.size());
    if (name.startsWith(QLatin1String("main."))) name = name.mid(5);
    if (const std::optional<NamedQuery> query = catalog.FindQuery(name))
      throw DbError(dberr::kNotFound,
                    QStringLiteral("The query '%1' cannot be read from another statement: it takes parameters "
                                   "(or cannot be a view); run it on its own with its parameters.")
                        .arg(query->name));
  }
  throw e;
}

}  // namespace

int32_t SqlCipherConnection::RunSql(const SqlStatement& statement) {
  SqliteDb& db = state_->db;
  CatalogGuard::UserStatement user(state_->guard);
  Stmt own;
  Stmt* prepared = &own;
  try {
    if (statement.values.isEmpty()) own = db.Prepare(statement.sql);
    else prepared = &WithValues(statement);
  } catch (const DbError& e) {
    if (!state_->guard.refused().isEmpty())
      throw DbError(dberr::kInvalidArg, CatalogRefusal(state_->guard.refused()));
    ExplainMissingTable(state_->catalog, e);
  }
  Stmt& stmt = *prepared;
  if (!statement.returnsRows && !statement.targetTable.isEmpty() && IsInsert(statement.sql)) {
    if (ConnectionState::BitFixup* fixup = BitFixupFor(statement.targetTable))
      return RunInsertWithBits(statement, stmt, *fixup);
  }
  stmt.Run();
  if (statement.returnsRows) return 0;
  return int32_t(sqlite3_changes(db.handle()));
}

namespace {

// Whether both commands drop a column of the same table.
bool DropFromOneTable(const Command& command, const QString& next, const TypedColumnsOf* typesOf) {
  const auto* drop = std::get_if<DropColumn>(&command);
  if (!drop) return false;
  try {
    const Command following = Translate(next, typesOf);
    const auto* then = std::get_if<DropColumn>(&following);
    return then && then->table.compare(drop->table, Qt::CaseInsensitive) == 0;
  } catch (const DbError&) {
    return false;
  }
}

}  // namespace

int32_t SqlCipherConnection::Execute(const QString& sql) { return Execute(sql, QString()); }

int32_t SqlCipherConnection::Execute(const QString& sql, const QString& next) {
  RequireOpen();
  SchemaEditor& editor = state_->editor;
  Command command = Translate(sql, &editor.TypesOf());
  SqliteDb& db = state_->db;
  const auto* statement = std::get_if<SqlStatement>(&command);
  const bool wait = !next.isEmpty() && db.HoldsTransaction() && DropFromOneTable(command, next, &editor.TypesOf());
  // Inside the caller's transaction a failing statement is undone alone and
  // the earlier ones stay. A single SQL statement is atomic in SQLite itself
  // (an error undoes that statement only, or ends the whole transaction,
  // which the connection then reports); the schema editor makes each of its
  // operations atomic itself.
  const bool held = db.HoldsTransaction();
  if (held) db.RequireWritable(nullptr);
  try {
    if (statement) {
      editor.Settle();
      return RunSql(*statement);
    }
    editor.Apply(command, wait);
    return 0;
  } catch (...) {
    if (held) {
      // A rebuild kept waiting for this statement is made all the same (a
      // failure of it loses the transaction).
      if (!wait) {
        try {
          editor.Settle();
        } catch (const DbError&) {
        }
      }
      // The transaction ended or lost: what was read from it is gone.
      if (!db.WriteRefusal().isEmpty()) ForgetDerivedState();
    } else if (db.InTransaction()) {
      // Nothing is ever left pending between statements.
      sqlite3_exec(db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    throw;
  }
}

void SqlCipherConnection::ForgetDerivedState() {
  state_->editor.Discard();
  state_->catalog.Invalidate();
  state_->bitFixups.clear();
  state_->statements.clear();
}

void SqlCipherConnection::BeginTransaction() {
  RequireOpen();
  state_->db.BeginTransaction();
}

void SqlCipherConnection::CommitTransaction() {
  RequireOpen();
  try {
    state_->editor.Settle();
    state_->db.CommitTransaction();
  } catch (...) {
    state_->db.RollbackTransaction();
    ForgetDerivedState();
    throw;
  }
  ShrinkLog(state_->db);
}

void ShrinkLog(SqliteDb& db) {
  // The log keeps the size of the largest transaction written to it (a
  // version that rebuilt a big table: hundreds of MB), for as long as the
  // file stays open. Past a few MB it is written into the file and cut back.
  if (QFileInfo(db.path() + QStringLiteral("-wal")).size() > kLogShrinkBytes)
    sqlite3_exec(db.handle(), "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
}

void SqlCipherConnection::RollbackTransaction() {
  if (!state_->db.IsOpen()) return;
  state_->db.RollbackTransaction();
  ForgetDerivedState();
}

QString SqlCipherConnection::WriteRefusal() const { return state_->db.WriteRefusal(); }

void SqlCipherConnection::AddLookupIndex(const QString& table, const QStringList& columns) {
  RequireOpen();
  state_->editor.Settle();
  const QString name = CreateLookupIndex(state_->db, state_->catalog, table, columns);
  if (!state_->lookupIndexes.contains(name)) state_->lookupIndexes.append(name);
}

std::unique_ptr<Recordset> SqlCipherConnection::OpenRecordset(const QString& sql, CursorType cursor,
                                                              LockType lock) {
  RequireOpen();
  state_->editor.Settle();
  Command command = Translate(sql, &state_->editor.TypesOf());
  const auto* statement = std::get_if<SqlStatement>(&command);
  if (!statement || !statement->returnsRows) {
    // A statement without rows runs, and its recordset comes back closed.
    Execute(sql);
    auto closed = std::make_unique<SqliteRecordset>(state_, QStringLiteral("SELECT NULL WHERE 0"),
                                                    cursor, LockType::ReadOnly);
    closed->Close();
    return closed;
  }
  try {
    return std::make_unique<SqliteRecordset>(state_, statement->sql, cursor, lock, statement->resultTypes);
  } catch (const DbError& e) {
    ExplainMissingTable(state_->catalog, e);
  }
}

Catalog& SqlCipherConnection::GetCatalog() {
  if (state_->db.IsOpen()) state_->editor.Settle();
  return *catalog_;
}

void SqlCipherConnection::Close() {
  if (!state_->db.IsOpen()) return;
  // Open recordsets keep their rows: the rollback below may change them.
  state_->db.BeforeChange();
  if (state_->db.InTransaction()) sqlite3_exec(state_->db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
  DropLookupIndexes(state_->db, state_->lookupIndexes);
  CheckpointToSingleFile(state_->db);
  ForgetDerivedState();
  state_->db.CloseHandle();
}

}  // namespace mt::engine

namespace mt::engine {

QString SqlCipherConnection::Damage(bool quick) {
  RequireOpen();
  state_->editor.Settle();
  QStringList problems;
  try {
    Stmt check = state_->db.Prepare(quick ? QStringLiteral("PRAGMA quick_check") : QStringLiteral("PRAGMA integrity_check"));
    while (check.Step()) problems << check.Text(0);
  } catch (const DbError& e) {
    // A page that no longer authenticates fails the check itself.
    problems << e.description();
  }
  if (problems == QStringList{QStringLiteral("ok")}) return QString();
  if (problems.size() > 8) problems = problems.mid(0, 8) << QStringLiteral("...");
  return problems.join(QLatin1Char('\n'));
}

}  // namespace mt::engine
