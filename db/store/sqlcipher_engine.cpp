#include "db/store/sqlcipher_engine.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include "db/store/earlier_currency.h"
#include "db/store/lookup_index.h"
#include "db/store/sqlcipher_connection.h"

namespace mt::engine {
namespace {

[[noreturn]] void OpenFailed(const QString& text) { throw DbError(dberr::kOpenFailed, text); }

void Key(SqliteDb& db, const QString& password) {
  // No password: a plain file (SQLCipher refuses an empty key).
  if (password.isEmpty()) return;
  QByteArray key = password.toUtf8();
  int rc = sqlite3_key(db.handle(), key.constData(), int(key.size()));
  if (rc != SQLITE_OK)
    OpenFailed(QStringLiteral("Cannot key the database '%1': %2")
                   .arg(db.path(), QString::fromUtf8(sqlite3_errstr(rc))));
}

void RemoveFileSet(const QString& path) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) QFile::remove(path + QLatin1String(suffix));
}

}  // namespace

QString OpenFailureText(int sqliteCode, const QString& path, const QString& message) {
  QString text;
  switch (sqliteCode & 0xff) {
    case SQLITE_NOTADB:
      text = QStringLiteral("Not a valid password, or '%1' is not a database file (%2).");
      break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      text = QStringLiteral("The database '%1' is locked by another process (%2).");
      break;
    case SQLITE_FULL:
      text = QStringLiteral("The disk holding '%1' is full (%2).");
      break;
    case SQLITE_IOERR:
      text = QStringLiteral("An I/O error occurred on '%1' (%2).");
      break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
      text = QStringLiteral("The database '%1' is read-only (%2).");
      break;
    case SQLITE_CORRUPT:
      text = QStringLiteral("The database file '%1' is damaged (%2).");
      break;
    case SQLITE_CANTOPEN:
      text = QStringLiteral("The database file '%1' or its journal cannot be opened (%2).");
      break;
    default:
      text = QStringLiteral("The database '%1' cannot be read (%2).");
      break;
  }
  return text.arg(path, message);
}

namespace {

// Reads the schema with the key in place. A wrong key, a foreign or damaged
// file fail here, before anything could be written to the file; so does a
// file another process holds locked or that cannot be read.
void VerifyReadable(SqliteDb& db, const QString& path) {
  try {
    Stmt stmt = db.Prepare(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    stmt.Run();
  } catch (const DbError& e) {
    OpenFailed(OpenFailureText(sqlite3_errcode(db.handle()), path, e.description()));
  }
  // A file cut short still shows its first page; the page count in its
  // header tells how long it must be. (With a -wal file the log may hold the
  // missing pages, so the test only applies to a single file.)
  QFileInfo wal(path + QStringLiteral("-wal"));
  if (wal.exists() && wal.size() > 0) return;
  qint64 pages = db.ScalarOrNull(QStringLiteral("PRAGMA page_count")).toLongLong();
  qint64 pageSize = db.ScalarOrNull(QStringLiteral("PRAGMA page_size")).toLongLong();
  if (pages * pageSize > QFileInfo(path).size())
    OpenFailed(QStringLiteral("The database file '%1' is damaged: it is shorter than its header says.")
                   .arg(path));
}

// flags: the sqlite3_open_v2 flags; ATTACH inherits them, so compaction adds
// SQLITE_OPEN_CREATE to be able to attach its new destination file.
std::unique_ptr<Connection> OpenVerified(const QString& path, const QString& password,
                                         int flags = SQLITE_OPEN_READWRITE) {
  QFileInfo info(path);
  if (!info.exists()) OpenFailed(QStringLiteral("Could not find file '%1'.").arg(path));
  if (!info.isFile()) OpenFailed(QStringLiteral("'%1' is not a file.").arg(path));
  if (info.size() == 0)
    OpenFailed(QStringLiteral("Unrecognized database format '%1' (the file is empty).").arg(path));
  // SQLite opens its journals by name: a FIFO there would make it wait for a
  // reader forever, and a device or folder fails in the middle of a write.
  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    const QFileInfo journal(path + QLatin1String(suffix));
    if ((journal.exists() || journal.isSymLink()) && !journal.isFile())
      OpenFailed(QStringLiteral("'%1' is where the database's journal goes, and it is not a regular file; "
                                "move it away and try again.").arg(journal.filePath()));
  }
  auto state = std::make_shared<ConnectionState>();
  // READWRITE without CREATE: a missing file is never created. A file the
  // process may not write opens read-only; its statements that write fail.
  state->db.OpenHandle(path, flags);
  Key(state->db, password);
  VerifyReadable(state->db, path);
  PrepareHandle(state->db);
  return std::make_unique<SqlCipherConnection>(std::move(state));
}

}  // namespace

std::unique_ptr<Connection> SqlCipherEngine::Open(const QString& path, const QString& password) {
  auto connection = OpenVerified(path, password);
  ConnectionState& state = static_cast<SqlCipherConnection&>(*connection).state();
  DropLeftoverLookupIndexes(state.db);
  const auto earlier = EarlierCurrencyColumns(state.db);
  if (earlier.empty()) return connection;
  try {
    ConvertEarlierCurrency(state.editor, earlier);
  } catch (const DbError& e) {
    connection->Close();
    OpenFailed(QStringLiteral("The Currency columns of '%1' are in an earlier build's form and could not be "
                              "converted (%2).").arg(path, e.description()));
  }
  return connection;
}

std::unique_ptr<Connection> SqlCipherEngine::OpenReadOnly(const QString& path, const QString& password) {
  auto connection = OpenVerified(path, password, SQLITE_OPEN_READONLY);
  // Such columns are converted by the first open for writing; read as they
  // are, every amount would come out 10,000 times too small.
  const auto earlier = EarlierCurrencyColumns(static_cast<SqlCipherConnection&>(*connection).state().db);
  if (!earlier.empty()) {
    connection->Close();
    OpenFailed(QStringLiteral("The Currency columns of '%1' are in an earlier build's form (%2); any command "
                              "that writes, or an upgrade run, converts them.").arg(path, DescribeColumns(earlier)));
  }
  return connection;
}

std::unique_ptr<Connection> SqlCipherEngine::Create(const QString& path, const QString& password) {
  if (QFileInfo::exists(path)) OpenFailed(QStringLiteral("File '%1' already exists.").arg(path));
  auto state = std::make_shared<ConnectionState>();
  state->db.OpenHandle(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  try {
    Key(state->db, password);
    PrepareHandle(state->db);
    state->catalog.EnsureTables();
  } catch (...) {
    state->db.CloseHandle();
    RemoveFileSet(path);
    throw;
  }
  return std::make_unique<SqlCipherConnection>(std::move(state));
}

void SqlCipherEngine::Compact(const QString& src, const QString& dst, const QString& password) {
  if (QFileInfo::exists(dst)) OpenFailed(QStringLiteral("File '%1' already exists.").arg(dst));
  auto connection = OpenVerified(src, password, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  SqliteDb& db = static_cast<SqlCipherConnection&>(*connection).state().db;
  bool attached = false;
  try {
    QVariant userVersion = db.ScalarOrNull(QStringLiteral("PRAGMA user_version"));
    // Literals, not parameters: SQLCipher reads the KEY of an ATTACH as text.
    db.Exec(QStringLiteral("ATTACH DATABASE %1 AS compacted KEY %2").arg(QuoteText(dst), QuoteText(password)));
    attached = true;
    db.ScalarOrNull(QStringLiteral("SELECT sqlcipher_export('compacted')"));
    db.Exec(QStringLiteral("PRAGMA compacted.user_version = %1").arg(userVersion.toLongLong()));
    db.Exec(QStringLiteral("DETACH DATABASE compacted"));
    attached = false;
    connection->Close();
    // The copy must open with the same password like any database, and be
    // sound before it may take the place of anything.
    auto copy = OpenVerified(dst, password);
    const QString damage = copy->Damage(true);
    copy->Close();
    if (!damage.isEmpty())
      throw DbError(dberr::kOpenFailed, QStringLiteral("The compacted copy '%1' is damaged: %2").arg(dst, damage));
  } catch (...) {
    if (attached) sqlite3_exec(db.handle(), "DETACH DATABASE compacted", nullptr, nullptr, nullptr);
    connection->Close();
    RemoveFileSet(dst);
    throw;
  }
}

}  // namespace mt::engine

namespace mt {
namespace {
Engine* g_engine = nullptr;
}

Engine& DefaultEngine() {
  static engine::SqlCipherEngine production;
  return g_engine ? *g_engine : production;
}

void SetDefaultEngine(Engine* engine) { g_engine = engine; }

}  // namespace mt
