// A thin C++ layer over one sqlite3 handle (SQLCipher build): prepared
// statements with RAII, SQLite result codes turned into DbError, and
// savepoints that undo a multi-step change as a whole.
//
// Promises:
//  - Every failing call throws DbError with one of the dberr codes and a
//    description that carries SQLite's own message; nothing else escapes.
//  - A Savepoint that is not released rolls back everything done since it was
//    taken, also when SQLite already rolled the enclosing transaction back
//    itself (sqlite3_get_autocommit is checked), and leaves no transaction open.
//  - Once a statement has failed because the file takes no more changes (no
//    space, an I/O error, a read-only or damaged file), the handle refuses
//    every further statement that would write, until it is opened again;
//    reading goes on. When the disk fills, a large change fails and is rolled
//    back, but a small one after it may still fit: it would record work (a
//    schema version, an "encrypted" marker) whose parts never reached the file.
//  - A transaction opened with BeginTransaction() that SQLite rolls back on
//    its own (it does so on some errors) is lost: until RollbackTransaction()
//    the handle refuses every statement that would write, so that nothing
//    meant for the transaction takes effect on its own. So is one in which a
//    change made without a savepoint of its own failed halfway
//    (LoseTransaction): nothing can undo that change alone.
//  - Watchers (ChangeWatcher) are told once, before the first statement
//    that may change what the handle's statements read (one that writes, a
//    rollback, closing the handle), and then forgotten.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace mt::engine {

// The dberr code that fits an SQLite result code and message.
int32_t DbErrorCodeFor(int sqliteCode, const QString& message);

// Double-quoted SQLite identifier ("a""b").
QString QuoteIdent(const QString& name);
// Single-quoted SQLite string literal.
QString QuoteText(const QString& text);

class SqliteDb;

// Something that reads through the handle and must see the database as it
// was: it takes what it still needs before the change (see SqliteDb::Watch).
class ChangeWatcher {
 public:
  virtual void BeforeChange() = 0;

 protected:
  ~ChangeWatcher() = default;
};

// One prepared statement. Movable, not copyable; finalized on destruction.
class Stmt {
 public:
  Stmt() = default;
  Stmt(SqliteDb* db, sqlite3_stmt* stmt) : db_(db), stmt_(stmt) {}
  Stmt(Stmt&& other) noexcept;
  Stmt& operator=(Stmt&& other) noexcept;
  Stmt(const Stmt&) = delete;
  Stmt& operator=(const Stmt&) = delete;
  ~Stmt();

  sqlite3_stmt* get() const { return stmt_; }
  explicit operator bool() const { return stmt_ != nullptr; }

  // Parameters are 1-based.
  void Bind(int index, const QVariant& value);
  void Bind(int index, const QString& value);
  void Bind(int index, int64_t value);
  void BindDouble(int index, double value);
  void BindNull(int index);

  // Steps once; true while a row is available, false when done.
  bool Step();
  // Steps to the end, discarding rows.
  void Run();
  void Reset();

  int ColumnCount() const;
  bool IsNull(int col) const;
  int64_t Int(int col) const;
  double Double(int col) const;
  QString Text(int col) const;
  // The raw stored value: Null, qint64, double, QString or QByteArray.
  QVariant Raw(int col) const;

 private:
  SqliteDb* db_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
};

class SqliteDb {
 public:
  SqliteDb() = default;
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;
  ~SqliteDb();

  // Opens the handle with the given sqlite3_open_v2 flags; throws kOpenFailed.
  void OpenHandle(const QString& path, int flags);
  // Finalizes the cached statements and closes the handle. Never throws.
  void CloseHandle();

  sqlite3* handle() const { return db_; }
  bool IsOpen() const { return db_ != nullptr; }
  const QString& path() const { return path_; }

  // Runs one or more statements without results.
  void Exec(const QString& sql);
  Stmt Prepare(const QString& sql);
  // A statement kept prepared for the life of the handle, reset and with its
  // bindings cleared on return; sql is a literal (the key is its address).
  Stmt& Cached(const char* sql);

  // First column of the first row, or an invalid QVariant.
  QVariant ScalarOrNull(const QString& sql);

  // Throws the DbError for SQLite's current error on this handle.
  [[noreturn]] void Fail(int rc, const QString& context = QString()) const;

  bool InTransaction() const;

  // The caller's transaction: BEGIN IMMEDIATE, COMMIT, ROLLBACK. A failed
  // commit rolls back and throws. Savepoints taken meanwhile nest inside it.
  void BeginTransaction();
  void CommitTransaction();
  void RollbackTransaction();  // never throws
  bool HoldsTransaction() const { return held_; }
  // Counts the caller's transactions begun on this handle: while one is held
  // and SQLite has not ended it, no other connection can commit, so what was
  // read in it stays true until it ends.
  uint64_t TransactionSerial() const { return serial_; }
  // Marks the caller's transaction lost (see above), `why` being the failure.
  void LoseTransaction(const QString& why);
  // Whether a statement of this handle has stepped and not been reset: a
  // table it reads cannot be dropped meanwhile.
  bool HasActiveStatements() const;
  // Moves with every definition made and every row written on this handle:
  // two equal marks around a failed change say it changed nothing.
  struct ChangeMark {
    int64_t schema = 0, rows = 0;
    bool operator==(const ChangeMark&) const = default;
  };
  ChangeMark Mark();

  // Tells the watcher once, before the next change (then forgets it).
  void Watch(ChangeWatcher* watcher) { watchers_.push_back(watcher); }
  void Unwatch(ChangeWatcher* watcher);
  bool Watched() const { return !watchers_.empty(); }
  // Tells every watcher now: called before whatever may change the data.
  void BeforeChange();

  // Why the handle refuses to write (see above); empty while it writes.
  QString WriteRefusal() const;
  // Throws when the handle refuses to write and stmt would write.
  void RequireWritable(sqlite3_stmt* stmt) const;

 private:
  void NoteFailure(int rc, const QString& message) const;

  sqlite3* db_ = nullptr;
  QString path_;
  mutable QString storageFailure_;
  bool held_ = false;
  uint64_t serial_ = 0;
  mutable QString lostBecause_;  // the failure after which SQLite ended the held transaction
  bool lost_ = false;            // LoseTransaction() was called on the held transaction
  std::map<const char*, Stmt> cache_;
  std::vector<ChangeWatcher*> watchers_;
};

// SAVEPOINT ... RELEASE, rolled back unless Release() was called.
class Savepoint {
 public:
  explicit Savepoint(SqliteDb& db, const char* name = "mt_stmt");
  ~Savepoint();
  void Release();

 private:
  SqliteDb& db_;
  QString name_;
  bool outermost_;
  bool open_ = true;
};

}  // namespace mt::engine
