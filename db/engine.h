// The database engine interface: what the rest of the program calls on the
// database that stores the product's data.
//
// Promises:
//  - Every operation that fails throws DbError with a negative 32-bit code and
//    a description; nothing else escapes.
//  - A statement takes effect at once, on its own (no transaction is left open
//    between calls), unless the caller opened a transaction; a statement the
//    engine rejects changes nothing (inside a transaction: nothing of its own,
//    the earlier statements stay) and leaves the connection usable.
//  - Values cross this boundary as QVariant: Null is an invalid QVariant,
//    text is QString, whole numbers qint64 (or int), Yes/No bool, dates
//    QDateTime holding Jet's civil date and time (marked Qt::UTC; never converted
//    through a time zone; a QDateTime handed in is read by its own fields),
//    other numbers double.
//  - Catalogue lookups of unknown tables, columns, views and procedures
//    answer "absent" (false), never fail.
//
// The production engine is db/store/ (SQLCipher storage), which runs the
// Jet dialect through db/jetsql/'s translation to SQLite; tests may put any
// implementation of these interfaces in its place.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace mt {

// A failure raised by the engine or passed on by a procedure of the program.
class DbError : public std::runtime_error {
 public:
  DbError(int32_t code, QString description, QString source = QString())
      : std::runtime_error(description.toStdString()),
        code_(code), description_(std::move(description)), source_(std::move(source)) {}
  int32_t code() const { return code_; }
  const QString& description() const { return description_; }
  const QString& source() const { return source_; }

 private:
  int32_t code_;
  QString description_;
  QString source_;
};

// Codes the engine reports (the values the program's logs have always shown).
namespace dberr {
constexpr int32_t kSyntax = -2147217900;        // statement rejected
constexpr int32_t kNotFound = -2147217865;      // table or object not found
constexpr int32_t kOpenFailed = -2147467259;    // file missing, not a database, wrong password
constexpr int32_t kConstraint = -2147467259;    // key or NOT NULL violated
constexpr int32_t kClosed = -2147217843;        // operation on a closed connection or recordset
constexpr int32_t kTypeMismatch = -2147217913;  // data type mismatch
constexpr int32_t kInvalidArg = -2146825287;    // bad field index/name, operation not allowed
}  // namespace dberr

enum class CursorType : int { ForwardOnly = 0, Dynamic = 2, Static = 3 };
enum class LockType : int { Unspecified = -1, ReadOnly = 1, Optimistic = 3 };

// Rows of one query. Static and forward-only cursors see a snapshot taken at
// open; with an optimistic lock, SetValue + Update writes the current row to
// the table at once.
class Recordset {
 public:
  virtual ~Recordset() = default;
  virtual bool IsOpen() const = 0;
  virtual bool Eof() const = 0;
  // Number of rows, or -1 when the cursor does not know it.
  virtual int32_t RecordCount() const = 0;
  virtual int FieldCount() const = 0;
  virtual QString FieldName(int index) const = 0;
  virtual QVariant Value(int index) const = 0;
  virtual QVariant Value(const QString& name) const = 0;  // case-insensitive
  virtual void SetValue(const QString& name, const QVariant& value) = 0;
  virtual void Update() = 0;
  virtual void MoveNext() = 0;
  // Persists the recordset where it came from. Every Update is already
  // written, so this writes only a change still pending; it fails on a
  // closed recordset or connection.
  virtual void Save() = 0;
  virtual void Close() = 0;
};

// Data-definition operations on the database behind one connection.
class Catalog {
 public:
  virtual ~Catalog() = default;
  // Views and procedures share one name space.
  virtual bool HasView(const QString& name) = 0;
  virtual bool HasProcedure(const QString& name) = 0;
  virtual void DeleteView(const QString& name) = 0;
  virtual void DeleteProcedure(const QString& name) = 0;
  virtual void AppendView(const QString& name, const QString& sql) = 0;
  virtual void AppendProcedure(const QString& name, const QString& sql) = 0;
  virtual bool HasTable(const QString& name) = 0;
  virtual void RenameTable(const QString& from, const QString& to) = 0;
  virtual bool HasColumn(const QString& table, const QString& column) = 0;
  virtual void RenameColumn(const QString& table, const QString& from, const QString& to) = 0;
  virtual void SetColumnDescription(const QString& table, const QString& column,
                                    const QString& text) = 0;
};

class Connection {
 public:
  virtual ~Connection() = default;
  virtual bool IsOpen() const = 0;
  // Runs one statement; returns the number of records it affected.
  virtual int32_t Execute(const QString& sql) = 0;
  // The same, told that `next` is the statement the caller runs right after
  // it (nothing else in between): inside the caller's transaction a change
  // may wait to be made together with the next one (consecutive column drops
  // of one table become one rebuild). Whatever fails, each statement reports
  // as it would alone.
  virtual int32_t Execute(const QString& sql, const QString& next) {
    (void)next;
    return Execute(sql);
  }
  virtual std::unique_ptr<Recordset> OpenRecordset(const QString& sql, CursorType cursor,
                                                   LockType lock) = 0;
  virtual Catalog& GetCatalog() = 0;
  // Closes the file; afterwards the database is one file on disk.
  virtual void Close() = 0;

  // One transaction over the statements, catalogue operations and recordset
  // updates that follow, until it is committed or rolled back. A commit that
  // fails rolls back and throws. (Connections without transactions accept
  // these calls and go on applying each statement at once.)
  virtual void BeginTransaction() {}
  virtual void CommitTransaction() {}
  virtual void RollbackTransaction() {}
  // Why the connection takes no further change: its transaction was lost,
  // the disk is full, an I/O error, a read-only or damaged file. Empty while
  // it takes changes.
  virtual QString WriteRefusal() const { return QString(); }
  // What a check of the whole file finds damaged (pages, records, indexes
  // that do not read back as written), one problem a line; empty when the
  // file is sound. quick: the structure and every record, without
  // cross-checking indexes against their tables (much cheaper).
  virtual QString Damage(bool /*quick*/ = true) { return QString(); }
  // An index for a pass that looks many rows up one at a time by these
  // columns of the table: texts compare ignoring case, as the engine
  // compares them, so equalities with the columns and LIKE patterns without
  // wildcards find their rows without a scan. It is no part of the schema:
  // the connection drops it before it closes the file. (Connections without
  // indexes accept the call and do nothing.)
  virtual void AddLookupIndex(const QString& table, const QStringList& columns) {
    (void)table;
    (void)columns;
  }
};

// Called while the engine works: before every step of a statement and every
// few thousand of SQLite's own steps inside a long one (a table rebuild, a
// compaction, a query over many rows), and between the pages it reads and
// writes. The program points it at a time-throttled repaint of its window,
// so it must be cheap and must not use the engine; null (the default) calls
// nothing.
void SetEngineHeartbeat(void (*beat)());

class Engine {
 public:
  virtual ~Engine() = default;
  // Opens an existing database file. Never creates one.
  virtual std::unique_ptr<Connection> Open(const QString& path, const QString& password) = 0;
  // Opens an existing database file read-only: nothing of the file changes,
  // not even its header; statements that write fail.
  virtual std::unique_ptr<Connection> OpenReadOnly(const QString& path, const QString& password) {
    return Open(path, password);
  }
  // Creates a new, empty database file keyed with the password; refuses an existing path.
  virtual std::unique_ptr<Connection> Create(const QString& path, const QString& password) = 0;
  // Writes a compacted copy of src to dst (which must not exist) under the same password.
  virtual void Compact(const QString& src, const QString& dst, const QString& password) = 0;
};

// The engine the program uses; tests may replace it. Never null once set.
Engine& DefaultEngine();
void SetDefaultEngine(Engine* engine);  // nullptr restores the production engine

}  // namespace mt
