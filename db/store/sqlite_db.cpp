#include "db/store/sqlite_db.h"

#include <sqlite3.h>

#include <algorithm>

#include "db/engine.h"
#include "db/store/engine_heartbeat.h"

namespace mt::engine {

int32_t DbErrorCodeFor(int sqliteCode, const QString& message) {
  switch (sqliteCode & 0xff) {
    case SQLITE_CONSTRAINT:
      return dberr::kConstraint;
    case SQLITE_MISMATCH:
      return dberr::kTypeMismatch;
    case SQLITE_NOTADB:
    case SQLITE_CANTOPEN:
    case SQLITE_CORRUPT:
    case SQLITE_READONLY:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_PERM:
      return dberr::kOpenFailed;
    case SQLITE_MISUSE:
      return dberr::kClosed;
    case SQLITE_RANGE:
      return dberr::kInvalidArg;
    default:
      break;
  }
  if (message.startsWith(QLatin1String("no such table")) ||
      message.startsWith(QLatin1String("no such view")))
    return dberr::kNotFound;
  if (message.contains(QLatin1String("datatype mismatch")) ||
      message.contains(QLatin1String("type mismatch")))
    return dberr::kTypeMismatch;
  return dberr::kSyntax;
}

QString QuoteIdent(const QString& name) {
  QString out = name;
  out.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + out + QLatin1Char('"');
}

QString QuoteText(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + out + QLatin1Char('\'');
}

// ---- Stmt ----

Stmt::Stmt(Stmt&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
  other.stmt_ = nullptr;
}

Stmt& Stmt::operator=(Stmt&& other) noexcept {
  if (this != &other) {
    if (stmt_) sqlite3_finalize(stmt_);
    db_ = other.db_;
    stmt_ = other.stmt_;
    other.stmt_ = nullptr;
  }
  return *this;
}

Stmt::~Stmt() {
  if (stmt_) sqlite3_finalize(stmt_);
}

void Stmt::Bind(int index, const QVariant& value) {
  if (!value.isValid() || value.isNull()) {
    BindNull(index);
    return;
  }
  switch (value.typeId()) {
    case QMetaType::Bool:
      Bind(index, int64_t(value.toBool() ? -1 : 0));
      return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
      Bind(index, int64_t(value.toLongLong()));
      return;
    case QMetaType::ULongLong:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
      BindDouble(index, value.toDouble());
      return;
    case QMetaType::QByteArray: {
      QByteArray bytes = value.toByteArray();
      int rc = sqlite3_bind_blob(stmt_, index, bytes.constData(), int(bytes.size()),
                                 SQLITE_TRANSIENT);
      if (rc != SQLITE_OK) db_->Fail(rc);
      return;
    }
    default:
      Bind(index, value.toString());
      return;
  }
}

void Stmt::Bind(int index, const QString& value) {
  QByteArray utf8 = value.toUtf8();
  int rc = sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) db_->Fail(rc);
}

void Stmt::Bind(int index, int64_t value) {
  int rc = sqlite3_bind_int64(stmt_, index, value);
  if (rc != SQLITE_OK) db_->Fail(rc);
}

void Stmt::BindDouble(int index, double value) {
  int rc = sqlite3_bind_double(stmt_, index, value);
  if (rc != SQLITE_OK) db_->Fail(rc);
}

void Stmt::BindNull(int index) {
  int rc = sqlite3_bind_null(stmt_, index);
  if (rc != SQLITE_OK) db_->Fail(rc);
}

bool Stmt::Step() {
  Beat();
  if (!sqlite3_stmt_busy(stmt_)) {
    if (db_->Watched() && !sqlite3_stmt_readonly(stmt_)) db_->BeforeChange();
    db_->RequireWritable(stmt_);
  }
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  // sqlite3_reset makes the detailed error current on the handle.
  sqlite3_reset(stmt_);
  db_->Fail(rc);
}

void Stmt::Run() {
  while (Step()) {
  }
}

void Stmt::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int Stmt::ColumnCount() const { return sqlite3_column_count(stmt_); }

bool Stmt::IsNull(int col) const { return sqlite3_column_type(stmt_, col) == SQLITE_NULL; }

int64_t Stmt::Int(int col) const { return sqlite3_column_int64(stmt_, col); }

double Stmt::Double(int col) const { return sqlite3_column_double(stmt_, col); }

QString Stmt::Text(int col) const {
  const unsigned char* text = sqlite3_column_text(stmt_, col);
  if (!text) return QString();
  return QString::fromUtf8(reinterpret_cast<const char*>(text), sqlite3_column_bytes(stmt_, col));
}

QVariant Stmt::Raw(int col) const {
  switch (sqlite3_column_type(stmt_, col)) {
    case SQLITE_INTEGER:
      return QVariant(qint64(sqlite3_column_int64(stmt_, col)));
    case SQLITE_FLOAT:
      return QVariant(sqlite3_column_double(stmt_, col));
    case SQLITE_TEXT:
      return QVariant(Text(col));
    case SQLITE_BLOB: {
      const void* data = sqlite3_column_blob(stmt_, col);
      return QVariant(QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt_, col)));
    }
    default:
      return QVariant();
  }
}

// ---- SqliteDb ----

SqliteDb::~SqliteDb() { CloseHandle(); }

void SqliteDb::OpenHandle(const QString& path, int flags) {
  // Without memory statistics (which nothing here reads) SQLite allocates
  // without taking its global mutex: a schema change allocates by the
  // thousand. Only possible before SQLite first starts; later it is a no-op.
  static const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  (void)configured;
  InstallBeatingFileLayer();
  CloseHandle();
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    if (db) sqlite3_close_v2(db);
    throw DbError(dberr::kOpenFailed,
                  QStringLiteral("Cannot open the database file '%1': %2").arg(path, message));
  }
  sqlite3_extended_result_codes(db, 1);
  InstallHeartbeat(db);
  db_ = db;
  path_ = path;
}

void SqliteDb::CloseHandle() {
  BeforeChange();
  storageFailure_.clear();
  held_ = false;
  lost_ = false;
  lostBecause_.clear();
  if (!db_) return;
  cache_.clear();
  // Statements a caller still holds would keep the handle alive; finalize
  // everything so the file is really closed when this returns.
  while (sqlite3_stmt* stmt = sqlite3_next_stmt(db_, nullptr)) sqlite3_finalize(stmt);
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

void SqliteDb::Exec(const QString& sql) {
  const QByteArray utf8 = sql.toUtf8();
  const bool refusing = db_ && !WriteRefusal().isEmpty();
  if (refusing || Watched()) {
    // Look at each statement of the text before any of them runs.
    bool changes = false;
    const char* p = utf8.constData();
    const char* end = p + utf8.size();
    while (p < end) {
      sqlite3_stmt* stmt = nullptr;
      const char* tail = nullptr;
      if (sqlite3_prepare_v2(db_, p, int(end - p), &stmt, &tail) != SQLITE_OK) break;  // exec reports it
      if (!stmt) break;
      const bool writes = !sqlite3_stmt_readonly(stmt);
      // SQLite counts a rollback as reading only, but it changes the data.
      const bool rollback = QByteArray(p, int(tail - p)).trimmed().left(8).toUpper() == "ROLLBACK";
      sqlite3_finalize(stmt);
      if (writes && refusing) RequireWritable(nullptr);
      changes = changes || writes || rollback;
      p = tail;
    }
    if (changes) BeforeChange();
  }
  char* err = nullptr;
  int rc = sqlite3_exec(db_, utf8.constData(), nullptr, nullptr, &err);
  if (rc != SQLITE_OK) {
    QString message = err ? QString::fromUtf8(err) : QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_free(err);
    NoteFailure(rc, message);
    throw DbError(DbErrorCodeFor(rc, message), message);
  }
}

void SqliteDb::NoteFailure(int rc, const QString& message) const {
  switch (rc & 0xff) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_READONLY:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      if (storageFailure_.isEmpty()) storageFailure_ = message;
      break;
    default:
      break;
  }
  if (held_ && lostBecause_.isEmpty() && db_ && sqlite3_get_autocommit(db_)) lostBecause_ = message;
}

QString SqliteDb::WriteRefusal() const {
  if (!storageFailure_.isEmpty())
    return QStringLiteral("The database could not be written earlier (%1); it takes no further change "
                          "until it is opened again.")
        .arg(storageFailure_);
  if (held_ && db_ && sqlite3_get_autocommit(db_))
    return QStringLiteral("The engine rolled the transaction back (%1); it takes no further change "
                          "until the transaction is ended.")
        .arg(lostBecause_.isEmpty() ? QStringLiteral("unknown cause") : lostBecause_);
  if (held_ && lost_)
    return QStringLiteral("A change failed halfway (%1); the transaction takes no further change "
                          "until it is ended.")
        .arg(lostBecause_);
  return QString();
}

void SqliteDb::LoseTransaction(const QString& why) {
  if (!held_ || lost_) return;
  lost_ = true;
  if (lostBecause_.isEmpty()) lostBecause_ = why;
}

SqliteDb::ChangeMark SqliteDb::Mark() {
  ChangeMark mark;
  mark.rows = sqlite3_total_changes(db_);
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db_, "PRAGMA schema_version", -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW)
    mark.schema = sqlite3_column_int64(stmt, 0);
  sqlite3_finalize(stmt);
  return mark;
}

bool SqliteDb::HasActiveStatements() const {
  if (!db_) return false;
  for (sqlite3_stmt* s = sqlite3_next_stmt(db_, nullptr); s; s = sqlite3_next_stmt(db_, s))
    if (sqlite3_stmt_busy(s)) return true;
  return false;
}

void SqliteDb::RequireWritable(sqlite3_stmt* stmt) const {
  if (stmt && sqlite3_stmt_readonly(stmt)) return;
  const QString refusal = WriteRefusal();
  if (!refusal.isEmpty()) throw DbError(dberr::kOpenFailed, refusal);
}

void SqliteDb::BeginTransaction() {
  RequireWritable(nullptr);
  Exec(QStringLiteral("BEGIN IMMEDIATE"));
  held_ = true;
  ++serial_;
  lost_ = false;
  lostBecause_.clear();
}

void SqliteDb::CommitTransaction() {
  try {
    RequireWritable(nullptr);
    Exec(QStringLiteral("COMMIT"));
  } catch (...) {
    RollbackTransaction();
    throw;
  }
  held_ = false;
}

void SqliteDb::RollbackTransaction() {
  BeforeChange();
  if (InTransaction()) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  held_ = false;
  lost_ = false;
  lostBecause_.clear();
}

Stmt SqliteDb::Prepare(const QString& sql) {
  if (!db_) throw DbError(dberr::kClosed, QStringLiteral("The connection is closed."));
  sqlite3_stmt* stmt = nullptr;
  QByteArray utf8 = sql.toUtf8();
  int rc = sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt, nullptr);
  if (rc != SQLITE_OK) Fail(rc);
  return Stmt(this, stmt);
}

Stmt& SqliteDb::Cached(const char* sql) {
  auto it = cache_.find(sql);
  if (it != cache_.end()) {
    it->second.Reset();
    return it->second;
  }
  return cache_.emplace(sql, Prepare(QString::fromUtf8(sql))).first->second;
}

QVariant SqliteDb::ScalarOrNull(const QString& sql) {
  Stmt stmt = Prepare(sql);
  if (!stmt.Step()) return QVariant();
  return stmt.Raw(0);
}

void SqliteDb::Fail(int rc, const QString& context) const {
  QString message = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
  if (message.isEmpty() || message == QLatin1String("not an error"))
    message = QString::fromUtf8(sqlite3_errstr(rc));
  int32_t code = DbErrorCodeFor(rc, message);
  NoteFailure(rc, message);
  if (!context.isEmpty()) message = context + QStringLiteral(": ") + message;
  throw DbError(code, message);
}

void SqliteDb::Unwatch(ChangeWatcher* watcher) {
  watchers_.erase(std::remove(watchers_.begin(), watchers_.end(), watcher), watchers_.end());
}

void SqliteDb::BeforeChange() {
  // Each is told once; a watcher may stop watching others meanwhile.
  while (!watchers_.empty()) {
    ChangeWatcher* watcher = watchers_.back();
    watchers_.pop_back();
    watcher->BeforeChange();
  }
}

bool SqliteDb::InTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

// ---- Savepoint ----

Savepoint::Savepoint(SqliteDb& db, const char* name)
    : db_(db), name_(QString::fromLatin1(name)), outermost_(!db.InTransaction()) {
  db_.Exec(QStringLiteral("SAVEPOINT ") + name_);
}

Savepoint::~Savepoint() {
  if (!open_ || !db_.IsOpen()) return;
  db_.BeforeChange();
  // An error such as SQLITE_FULL can make SQLite roll back the whole
  // transaction itself; then there is no savepoint left to roll back to.
  if (db_.InTransaction()) {
    sqlite3_exec(db_.handle(), (QStringLiteral("ROLLBACK TO ") + name_).toUtf8().constData(),
                 nullptr, nullptr, nullptr);
    sqlite3_exec(db_.handle(), (QStringLiteral("RELEASE ") + name_).toUtf8().constData(), nullptr,
                 nullptr, nullptr);
  }
  // Never leave a transaction open between statements.
  if (outermost_ && db_.InTransaction()) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Savepoint::Release() {
  db_.Exec(QStringLiteral("RELEASE ") + name_);
  open_ = false;
}

}  // namespace mt::engine
