// Recordsets of the SQLCipher engine.
//
// Promises:
//  - The rows are a snapshot taken at open, for every cursor type: writing
//    rows during a pass (Update, or other statements) never disturbs the
//    listing. Yet they are not all read at open: the SQLite statement is
//    stepped as the cursor moves, and only before something changes the
//    data it reads (SqliteDb's watchers) does the recordset read the rest of
//    it ahead, a megabyte in memory and beyond that into SpilledRows on
//    disk. Memory stays flat whatever the rows.
//  - RecordCount is the number of rows (read ahead to the end), except for
//    forward-only cursors, which report -1 as a server-side cursor does.
//  - A statement that fails on a row (a function refusing a value) fails
//    the MoveNext that reaches that row, as a server-side cursor does; a
//    failure on the first row fails the open.
//  - Values follow the engine boundary: Null is an invalid QVariant, Yes/No
//    reads as bool, dates as QDateTime (civil, no time zone), Currency as
//    mt::Currency; computed columns too, by the type the translation gave them.
//  - With an optimistic lock, SetValue() + Update() writes the changed fields
//    of the current row to its table at once (the row is found by its rowid;
//    the recordset's columns must come from one table). MoveNext() with
//    pending changes updates first; Close() drops them. Save() writes what
//    is pending, else nothing: the rows are in the table already.
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <deque>
#include <optional>
#include <memory>
#include <vector>

#include "db/jetsql/translator.h"
#include "db/store/column_storage.h"
#include "db/store/spilled_rows.h"
#include "db/store/sqlite_db.h"
#include "db/engine.h"

namespace mt::engine {

struct ConnectionState;

class SqliteRecordset : public Recordset, private ChangeWatcher {
 public:
  // Runs the (already translated) SELECT and reads its rows.
  // resultTypes: the translation's types of computed columns (Currency,
  // dates), which SQLite declares none for.
  SqliteRecordset(std::shared_ptr<ConnectionState> state, const QString& sqliteSql, CursorType cursor,
                  LockType lock, const std::vector<TypedColumn>& resultTypes = {});
  ~SqliteRecordset() override;

  bool IsOpen() const override { return open_; }
  bool Eof() const override;
  int32_t RecordCount() const override;
  int FieldCount() const override;
  QString FieldName(int index) const override;
  QVariant Value(int index) const override;
  QVariant Value(const QString& name) const override;
  void SetValue(const QString& name, const QVariant& value) override;
  void Update() override;
  void MoveNext() override;
  void Save() override;
  void Close() override;

 private:
  struct Field {
    QString name;
    ValueKind kind = ValueKind::Plain;
    JetType jetType = JetType::Memo;
    QString originTable;
    QString originColumn;  // empty: an expression, not updatable
  };

  struct Row {
    qint64 rowid = 0;
    std::vector<QVariant> values;
  };

  void RequireOpen() const;
  void RequireRow() const;
  int IndexOf(const QString& name) const;  // throws for an unknown name
  void ChooseUpdateTable(const QString& sqliteSql);

  Row ReadRow(sqlite3_stmt* from) const;
  // Makes the next row current; false at the end.
  bool Advance();
  // Steps the statement still read; false (and the statement finished) at its end.
  bool StepLive();
  void FinishLive();
  // Reads what the statement has left ahead of the cursor (ChangeWatcher).
  void BeforeChange() override;

  std::shared_ptr<ConnectionState> state_;
  CursorType cursor_;
  LockType lock_;
  bool open_ = true;
  std::vector<Field> fields_;
  QHash<QString, int> byName_;  // lower-case name -> first index
  bool updatable_ = false;      // the statement's first column is the rowid of updateTable_
  Stmt live_;                   // the statement, while it has rows the cursor has not reached
  qint64 rowsRead_ = 0;         // rows taken from the statement so far
  std::deque<Row> ahead_;       // rows read ahead, in memory, then
  std::unique_ptr<SpilledRows> spilled_;  // those beyond, on disk
  std::optional<DbError> failedAhead_;    // where reading ahead ended with a failure
  Row current_;
  bool atEnd_ = false;
  QString updateTable_;         // the table Update() writes; empty when not updatable
  std::map<int, QVariant> pending_;  // field index -> new value
};

}  // namespace mt::engine
